// The corner and changer timers follow the settings record: the program
// hands their options over after loading the settings and sets them going.
#pragma once
#include <windows.h>

struct OptionTimers;

// Hands the corner options over from the settings record and sets the corner
// timer on the main window when immediate start is on.
void StartCornerTimerFromSettings(HWND mainWindow);
// Hands the changer its options from the settings record.
void HandChangerOptionsOver();
// The same, then sets the changer timer on the main window when the changer is on.
void StartChangerTimerFromSettings(HWND mainWindow);
// What the settings dialog sets going again after OK.
const OptionTimers& ProgramOptionTimers();
