// Immediate start: a timer that starts the screen saver when the mouse
// cursor is pushed into the chosen corner of the screen.
#pragma once
#include <windows.h>

constexpr UINT_PTR kCornerTimerId = 9004;
constexpr UINT kCornerTimerPeriod = 1000;  // ms

// Sets the corner timer on the main window when immediate start is on.
void StartCornerTimer();
void StopCornerTimer();
// The timer procedure: one look at the cursor, then the timer is set again.
void CALLBACK OnCornerTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
