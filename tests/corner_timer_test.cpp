// Immediate start: pushing the cursor into the chosen screen corner starts
// the system screen saver.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/main_window.h"
#include "settings/settings.h"
#include "support/controls.h"
#include "support/fixture.h"
#include "support/input.h"
#include "system/corner_timer.h"

namespace {

std::string Text(POINT p) {
    char text[32];
    std::snprintf(text, sizeof text, "(%ld, %ld)", p.x, p.y);
    return text;
}

class CornerTimerTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        GetCursorPos(&savedCursor_);
        SetSystemScreenSaver(1);
    }
    void TearDown() override {
        LeaveStandInFolder();
        SetCursorPos(savedCursor_.x, savedCursor_.y);
        MainWindowTest::TearDown();
    }
    static void SetSystemScreenSaver(int on) { SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, on, nullptr, 0); }
    static POINT Cursor() {
        POINT at{-1, -1};
        GetCursorPos(&at);
        return at;
    }
    // The display reports a warp of the pointer back a little later; an
    // earlier warp's report can still move it, so settle before going on.
    static void MoveCursor(POINT to) {
        int steady = 0;
        auto arrived = [&] {
            const POINT at = Cursor();
            if (at.x != to.x || at.y != to.y) {
                steady = 0;
                SetCursorPos(to.x, to.y);
            }
            return ++steady > 3;
        };
        ASSERT_TRUE(PumpMessagesUntil(arrived, 3000)) << Text(to);
    }
    // Whether the cursor is (or, once the display has caught up, comes) there.
    static bool CursorComesTo(POINT to) {
        return PumpMessagesUntil([&] { return Cursor().x == to.x && Cursor().y == to.y; }, 1000);
    }
    // Whether the corner timer was set; it is gone afterwards.
    static bool TakeCornerTimer() { return KillTimer(MainWindow, kCornerTimerId) != 0; }
    static POINT Middle() { return {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2}; }

private:
    POINT savedCursor_{};
};

const std::vector<WPARAM> kStarted{SC_SCREENSAVE};
const std::vector<WPARAM> kNothing;

// Each setting's corner pixel starts the screen saver; its neighbours, the
// other corners and a setting that names no corner do not.
TEST_F(CornerTimerTest, OnlyTheCornerPixelOfTheSettingStarts) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    struct Spot {
        POINT at;
        int corner;  // the setting whose corner this is, 0 for none
    } spots[] = {
        {{0, 0}, 1},         {{w - 1, 0}, 2},     {{0, h - 1}, 3},     {{w - 1, h - 1}, 4},
        {{1, 0}, 0},         {{0, 1}, 0},         {{w - 2, 0}, 0},     {{w - 1, 1}, 0},
        {{0, h - 2}, 0},     {{1, h - 1}, 0},     {{w - 2, h - 1}, 0}, {{w - 1, h - 2}, 0},
        {{w / 3, h / 3}, 0},
    };
    for (int setting : {1, 2, 3, 4, 5}) {
        for (const Spot& spot : spots) {
            SCOPED_TRACE("setting " + std::to_string(setting) + " at " + Text(spot.at));
            SetCornerOptions({1, setting});
            MoveCursor(spot.at);
            MessageRecorder recorder(false, true);  // the system's own saver is not started here
            OnCornerTimer(MainWindow, WM_TIMER, kCornerTimerId, GetTickCount());
            const bool starts = spot.corner == setting;
            EXPECT_EQ(recorder.systemCommands, starts ? kStarted : kNothing);
            // Moved out of the corner, so that the next tick does not start it again.
            EXPECT_TRUE(CursorComesTo(starts ? Middle() : spot.at)) << Text(Cursor());
            EXPECT_TRUE(TakeCornerTimer()) << "the tick sets the timer again";
        }
    }
}

TEST_F(CornerTimerTest, NothingWhileTheSystemScreenSaverIsOff) {
    const POINT corner{GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1};
    SetCornerOptions({1, 4});
    SetSystemScreenSaver(0);
    MoveCursor(corner);
    MessageRecorder recorder(false, true);
    OnCornerTimer(MainWindow, WM_TIMER, kCornerTimerId, GetTickCount());
    EXPECT_EQ(recorder.systemCommands, kNothing);
    EXPECT_TRUE(CursorComesTo(corner)) << Text(Cursor());
}

// The real timer, as the program sets it at start-up from the stored option.
TEST_F(CornerTimerTest, TheTimerRunsOnlyWhileTheOptionIsOn) {
    const POINT corner{0, 0};
    WriteSettingInt(kSSPos, 1);
    for (int on : {0, 1}) {
        SCOPED_TRACE(on ? "option on" : "option off");
        WriteSettingInt(kScrSave, on);
        Restart();
        MoveCursor(corner);
        MessageRecorder recorder(false, true);
        // A tick comes once a second; two and a half seconds see at least two.
        bool started = PumpMessagesUntil([&] { return !recorder.systemCommands.empty(); }, 2500);
        EXPECT_EQ(started, on == 1);
        EXPECT_EQ(recorder.systemCommands, on ? kStarted : kNothing);
        EXPECT_TRUE(CursorComesTo(on ? Middle() : corner)) << Text(Cursor());
        EXPECT_EQ(TakeCornerTimer(), on == 1);
    }
    // Starting the timer by hand follows the option too.
    SetCornerOptions({0, 4});
    StartCornerTimer(MainWindow);
    EXPECT_FALSE(TakeCornerTimer());
    SetCornerOptions({1, 4});
    StartCornerTimer(MainWindow);
    StopCornerTimer(MainWindow);
    EXPECT_FALSE(TakeCornerTimer());
}

// The defragmenter runs with the timer stopped and leaves it as the option says.
TEST_F(CornerTimerTest, TheDefragmenterSetsTheTimerAgainAfterwards) {
    EnterStandInFolder({"defrag.exe"});
    for (int on : {1, 0}) {
        SCOPED_TRACE(on ? "option on" : "option off");
        ClearStandInLog();
        SetCornerOptions({on, 4});
        StartCornerTimer(MainWindow);
        SendMessageA(MainWindow, WM_COMMAND, kCmdDefrag, 0);
        ASSERT_EQ(StandInLog().size(), 1u);
        EXPECT_EQ(TakeCornerTimer(), on == 1);
    }
}

}  // namespace
