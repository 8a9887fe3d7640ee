#pragma once
#include <gtest/gtest.h>

#include <string>

#include "support/ui.h"

// A main window made the way the program makes it, on a clean settings key
// and with no standard list in the program folder unless a test writes one.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Recreates the window (the settings and standard list stay as they are).
    void Restart();
    std::string standardList() const { return TestProgramFolder() + "zelvista.lst"; }
};
