#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "app/main_window.h"
#include "app/startup.h"
#include "support/ui.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    AppInstance = GetModuleHandleA(nullptr);
    InitProgramControls();
    RegisterMainWindowClass();
    StartDialogWatchdog();
    return RUN_ALL_TESTS();
}
