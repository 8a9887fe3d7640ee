#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/files.h"
#include "support/rows.h"
#include "support/ui.h"

// A main window made the way the program makes it, on a clean settings key
// and with no standard list in the program folder unless a test writes one.
// The system's screen saver setting and waiting time are put back afterwards.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Recreates the window (the settings and standard list stay as they are).
    void Restart();
    std::string standardList() const { return TestProgramFolder() + "zelvista.lst"; }
    // The system's active setting and the program's flag, as the program
    // found them at start.
    static void StartWithActive(int on);
    // Sends a command to the main window as a menu item does.
    static void Command(int id);

private:
    BOOL savedActive_ = FALSE;
    int savedTimeout_ = 0;
};
