// What a command does while a long operation (the folder search, list
// playback) uses the list and dispatches messages between its steps.
#pragma once
#include <windows.h>

// True when the command may run now; otherwise it was deferred or dropped.
bool AdmitCommand(HWND window, WPARAM wParam);
