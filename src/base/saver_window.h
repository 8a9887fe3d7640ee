// Finding a running screen saver's window. Screen savers others wrote do not
// all register "WindowsScreenSaverClass": a window of that class counts, and
// failing that, a visible top-level window of the process that covers a
// whole monitor. The changer, list playback, the preview and closing all ask
// here, so they agree on what a screen saver's window is.
#pragma once
#include <windows.h>

#include "base/saver_window_class.h"

// The process's full-screen window: a visible top-level one of the screen
// saver class, else a visible top-level one that covers a monitor; null when
// it shows none. Windows of other processes are never taken.
HWND FindSaverWindow(DWORD processId);

// Calls visit for every top-level window of the process that closing a
// full-screen screen saver reaches: those of the screen saver class, shown or
// hidden, and the visible ones covering a monitor.
void ForEachSaverWindow(DWORD processId, void (*visit)(HWND window, void* context), void* context);

// The system's screen saver running now: a window of the screen saver class,
// else a visible top-level window covering a monitor whose process was
// started from the file at standardSaverPath (any spelling of the same file:
// long or short name, any case). Null when none is running.
HWND FindSystemSaverWindow(const char* standardSaverPath);
