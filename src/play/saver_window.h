// Watching a screen saver that list playback runs: its full-screen window,
// and waiting until it is up before its time starts.
#pragma once
#include <windows.h>

// The visible top-level window of the screen saver class that the process
// shows full screen, or null. Windows of other programs are never taken.
HWND FindSaverWindow(DWORD processId);

// Waits until the screen saver waits for input (its window is up), has ended,
// or ms have passed, answering meanwhile the messages it sends to this
// thread: a window inside one of ours tells its parent when it is made.
void WaitForSaverReady(HANDLE process, DWORD ms);
