// The user's own input, told apart from what the system merely reports as
// input. Under Wine a window that appears or goes under a resting pointer is
// reported as a pointer move to where the pointer already is, and it moves
// the system's last-input time (GetLastInputInfo) as a hand on the mouse
// would: a screen saver's window showing would pass for the user's return.
#pragma once
#include <windows.h>

class UserInputWatch {
public:
    // Watches from now: input the system saw before is not the user's return.
    UserInputWatch();
    // True when the system has seen input since the last look and the user
    // made it: the pointer has moved, or a key or mouse button went down or
    // up. A report that changed none of these (the pointer crossing into a
    // window that appeared) is not the user's.
    bool UserActedSinceLastLook();

private:
    // Reads every key's state; true when one was pressed since the last read
    // or is now down where it was up, or up where it was down.
    bool KeysChanged();

    DWORD lastInput_ = 0;
    POINT pointer_{};
    bool down_[256]{};
};
