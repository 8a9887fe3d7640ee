// The full-screen window of a screen saver that list playback runs.
#pragma once
#include <windows.h>

// The visible top-level window of the screen saver class that the process
// shows full screen, or null. Windows of other programs are never taken.
HWND FindSaverWindow(DWORD processId);
