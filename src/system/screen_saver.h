// The system's own screen saver: its active setting, waiting time, standard
// screen saver and starting it now, and the program's record of the setting.
#pragma once
#include <windows.h>

extern int ScreenSaverActive;  // the program's idea of whether it is on

int IsScreenSaverActive();
// Switching the setting on also removes the mark that the program has it
// off for a while; switching it off leaves that mark when it was on.
int EnableScreenSaver();
int DisableScreenSaver();
// At start-up, before the setting is taken as the user's: a mark left by a
// program that ended while it had the setting off switches it on again.
// True when it did.
bool MendInterruptedScreenSaverOff();
bool OffMarkPresent();
// When the program ends: the setting as it was at start-up, and no mark left.
void RestoreScreenSaverSetting(int on);
// Makes the file at shortPath the system's standard screen saver; an empty
// path changes nothing.
void SetStandardScreenSaver(const char* shortPath);
// The standard screen saver's file as the user's desktop settings name it;
// false (and path empty) when none is set or it does not fit.
bool ReadStandardScreenSaver(char* path, DWORD size);
void SetScreenSaverTimeout(int minutes);
// Asks the system, through window, to start the screen saver now.
void StartScreenSaverNow(HWND window);
// Keeps the system's screen saver off for its lifetime: off at once, and on
// again at the end only when it was on at the start.
class ScreenSaverOffScope {
public:
    ScreenSaverOffScope();
    ~ScreenSaverOffScope();
    ScreenSaverOffScope(const ScreenSaverOffScope&) = delete;
    ScreenSaverOffScope& operator=(const ScreenSaverOffScope&) = delete;

private:
    int wasOn_;
};

// Runs the system's drive optimiser and keeps the screen saver off while it
// runs; the corner timer of window pauses too. A message says so when it
// cannot be started.
void RunDefragWithoutScreenSaver(HWND window);
