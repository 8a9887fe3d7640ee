// What a command does while a long operation (the folder search, list
// playback) uses the list and dispatches messages between its steps.
#pragma once
#include <windows.h>

enum class WhileBusy {
    Runs,      // touches neither the list nor the thread for long: runs at once
    Waits,     // carried out once the operation has ended
    EndsItFirst,  // asks the operation to end, then is carried out
    Ignored,   // would edit the list or start a second long operation: dropped with a beep
};

WhileBusy CommandWhileBusy(int command);
// True when the command may run now; otherwise it was deferred or dropped.
bool AdmitCommand(HWND window, WPARAM wParam);
