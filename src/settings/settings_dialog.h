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

// Shows the dialog modally over the owner. OK stores every option, reloads
// the settings record and re-arms the timers; Cancel stores nothing.
void ShowSettingsDialog(HWND owner, const OptionTimers& timers);
