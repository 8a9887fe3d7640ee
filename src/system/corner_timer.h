// Immediate start: a timer on the main window that starts the screen saver
// when the mouse cursor is pushed into the chosen corner of a monitor.
#pragma once
#include <windows.h>

#include "base/monitors.h"

constexpr UINT_PTR kCornerTimerId = 9004;
constexpr UINT kCornerTimerPeriod = 1000;  // ms

// The options the corner watch follows, named as the program's settings:
// immediate start on when ScrSave is 1; the corner SSPos, 1 top left, 2 top
// right, 3 bottom left, 4 bottom right (any other value names no corner);
// FulScr not 0: nothing starts while a full-screen program is in use.
struct CornerOptions {
    int ScrSave = 0;
    int SSPos = 4;
    int FulScr = 1;
};
// The program hands over its options whenever it has (re)loaded them; the
// timer and each of its ticks use the options last handed over.
void SetCornerOptions(const CornerOptions& options);

// Sets the corner timer on window when immediate start is on.
void StartCornerTimer(HWND window);
void StopCornerTimer(HWND window);
// The timer procedure: one look at the cursor, then the timer is set again.
void CALLBACK OnCornerTimer(HWND window, UINT message, UINT_PTR id, DWORD time);

// The monitor whose corner of the kind the setting names is the cursor's
// pixel and a dead end (no monitor goes on beyond it); -1 when there is none
// or the setting names no corner.
int CornerMonitorAt(POINT cursor, int setting, const MonitorRects& monitors);

