// What the administrator's policy fixes of the system's screen saver
// settings (HKCU\Software\Policies\Microsoft\Windows\Control Panel\Desktop).
// The system enforces it; the program reads it each time it matters, so that
// what a policy fixes is not offered as if it could be changed.
#pragma once
#include <windows.h>

#include <cstddef>

// The settings the program changes that a policy may fix.
enum class ManagedSetting {
    Active,         // whether the screen saver starts at all (ScreenSaveActive)
    Timeout,        // its waiting time (ScreenSaveTimeOut)
    StandardSaver,  // the standard screen saver's file (SCRNSAVE.EXE)
};

struct ScreenSaverPolicy {
    bool activeFixed = false;
    bool active = false;  // what the policy fixes it to
    bool timeoutFixed = false;
    bool secureFixed = false;
    bool secure = false;
    bool standardSaverFixed = false;
    char standardSaver[MAX_PATH] = "";  // empty unless the policy names one that fits
};

ScreenSaverPolicy ReadScreenSaverPolicy();
bool PolicyFixes(const ScreenSaverPolicy& policy, ManagedSetting setting);

// A policy's on/off value as it is stored, a text: on only for "1".
bool PolicyValueOn(const char* text);

// The standard screen saver's file in effect: the policy's when it names
// one, else the user's own. False (and path empty) when there is none.
bool ReadStandardScreenSaverInEffect(char* path, std::size_t size);
// The same with the policy already read.
bool ReadStandardScreenSaverInEffect(const ScreenSaverPolicy& policy, char* path, std::size_t size);
