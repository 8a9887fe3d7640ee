// Immediate start: a timer on the main window that starts the screen saver
// when the mouse cursor is pushed into the chosen corner of the screen.
#pragma once
#include <windows.h>

constexpr unsigned kCornerTimerId = 9004;

void StartCornerTimer(HWND window);
void StopCornerTimer(HWND window);
