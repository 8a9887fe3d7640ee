// The program's main window in a benchmark's own process, set up as the
// program sets it up at start-up: its common controls, window class and window.
#pragma once
#include <windows.h>

#include "app/main_window.h"
#include "app/startup.h"

inline bool OpenProgramWindow() {
    AppInstance = GetModuleHandleA(nullptr);
    InitProgramControls();
    return RegisterMainWindowClass() && CreateMainWindow();
}
