// The settings dialog: the one place where the user changes the options.
#pragma once
#include <windows.h>

// The option timers belong to other parts of the program; after OK the
// dialog sets them going again through these, given its owner window (a
// missing one is skipped).
struct OptionTimers {
    void (*startCornerTimer)(HWND owner);
    void (*stopCornerTimer)(HWND owner);
    void (*startChangerTimer)(HWND owner);
    void (*stopChangerTimer)(HWND owner);
};

// What the system's screen saver settings mean for the options, read anew
// each time the dialog opens.
struct SystemSaverFacts {
    bool standardSaverFixed = false;  // the administrator's policy names the standard screen saver
    bool saverForcedOff = false;      // the policy keeps the screen saver off
    bool secure = false;              // the sign-in screen shows when it ends (after its grace period)
    int graceSeconds = 5;
    bool changerCanCatch = true;      // the changer finds it within its grace period
};

// Shows the dialog modally over the owner. OK stores every option, reloads
// the settings record and re-arms the timers; Cancel stores nothing. Without
// readFacts the dialog says nothing of the system's settings.
void ShowSettingsDialog(HWND owner, const OptionTimers& timers, SystemSaverFacts (*readFacts)() = nullptr);
