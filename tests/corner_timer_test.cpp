// Immediate start: pushing the cursor into the chosen screen corner starts
// the system screen saver.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/main_window.h"
#include "base/monitors.h"
#include "settings/settings.h"
#include "support/controls.h"
#include "support/fixture.h"
#include "support/files.h"
#include "support/input.h"
#include "system/corner_timer.h"

namespace {

std::string Text(POINT p) {
    char text[32];
    std::snprintf(text, sizeof text, "(%ld, %ld)", p.x, p.y);
    return text;
}

// How long a cursor put somewhere must stay there to count as settled.
constexpr DWORD kCursorSettleMs = 60;

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
    // earlier warp's report can still move it, and would then undo the
    // program's own move of the cursor. So the cursor must stay where it was
    // put for a while, with this thread taking the display's reports, before
    // a test goes on.
    static void MoveCursor(POINT to) {
        DWORD since = GetTickCount();
        auto arrived = [&] {
            const POINT at = Cursor();
            if (at.x != to.x || at.y != to.y) {
                since = GetTickCount();
                SetCursorPos(to.x, to.y);
            }
            return GetTickCount() - since >= kCursorSettleMs;
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
    DriveOptimizerStandIn optimizer;
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

// A stand-in full-screen program in another process: a popup at the given
// rectangle, in the foreground. It is closed again when this goes.
class CoverProgram {
public:
    CoverProgram(const RECT& r, bool caption) {
        char command[512];
        std::snprintf(command, sizeof command, "\"%szelvista_cover.exe\" %ld %ld %ld %ld%s",
                      TestProgramFolder().c_str(), r.left, r.top, r.right, r.bottom, caption ? " caption" : "");
        STARTUPINFOA start{};
        start.cb = sizeof start;
        if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process_)) return;
        CloseHandle(process_.hThread);
        PumpMessagesUntil([&] { return (window_ = FindWindowA("ZelvistaTestCover", nullptr)) != nullptr; }, 5000);
        if (!window_) return;
        // The program asks for the foreground itself; the test helps it there.
        PumpMessagesUntil([&] {
            if (GetForegroundWindow() != window_) SetForegroundWindow(window_);
            return GetForegroundWindow() == window_;
        }, 3000);
    }
    ~CoverProgram() {
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
            CloseHandle(process_.hProcess);
        }
    }
    CoverProgram(const CoverProgram&) = delete;
    CoverProgram& operator=(const CoverProgram&) = delete;
    bool inFront() const { return window_ && GetForegroundWindow() == window_; }

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

RECT MonitorOf(POINT p) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcMonitor;
}

// A program that covers its whole monitor and has the foreground keeps the
// corner quiet while the option is on; one that does not cover it, a window
// whose caption shows, or our own window covering it, does not.
TEST_F(CornerTimerTest, NothingStartsOverAFullScreenProgram) {
    const RECT m = MonitorOf({0, 0});
    const POINT corner{m.right - 1, m.bottom - 1};
    const RECT larger{m.left - 8, m.top - 8, m.right + 8, m.bottom + 8};
    struct Case {
        const char* name;
        RECT cover;
        bool caption;  // a window with a caption and a frame, as a maximized one
        bool ours;     // the covering window is one of this process
        int FulScr;    // the option
        bool starts;
    } cases[] = {
        {"a program covering the monitor", m, false, false, 1, false},
        {"the same with the option off", m, false, false, 0, true},
        {"a program not covering it", {m.left + 50, m.top + 50, m.right, m.bottom}, false, false, 1, true},
        {"a program larger than the monitor", larger, false, false, 1, false},
        {"a window with a caption over the monitor", larger, true, false, 1, true},
        {"our own window covering it", m, false, true, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CoverProgram> program;
        std::unique_ptr<HWND__, BOOL(WINAPI*)(HWND)> own(nullptr, DestroyWindow);
        if (c.ours) {
            own.reset(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, c.cover.left, c.cover.top,
                                      c.cover.right - c.cover.left, c.cover.bottom - c.cover.top, nullptr, nullptr,
                                      nullptr, nullptr));
            SetForegroundWindow(own.get());
            ASSERT_TRUE(PumpMessagesUntil([&] { return GetForegroundWindow() == own.get(); }, 2000));
        } else {
            program = std::make_unique<CoverProgram>(c.cover, c.caption);
            ASSERT_TRUE(program->inFront());
        }
        SetCornerOptions({1, 4, c.FulScr});
        MoveCursor(corner);
        MessageRecorder recorder(false, true);
        OnCornerTimer(MainWindow, WM_TIMER, kCornerTimerId, GetTickCount());
        EXPECT_EQ(recorder.systemCommands, c.starts ? kStarted : kNothing);
        // Kept out of the way, the cursor stays where the user left it. (Where
        // the tick moves it, Wine now and then does not carry the warp out
        // while another program's window lies under the pointer, so the move
        // is checked by the tests above, over our own windows.)
        if (!c.starts) {
            EXPECT_TRUE(CursorComesTo(corner)) << Text(Cursor());
        }
        EXPECT_TRUE(TakeCornerTimer());
    }
}

// With several monitors (scripts/test runs this under a server with three),
// the chosen corner counts on every monitor where it is a dead end, as the
// system finds its monitors; the cursor goes to the middle of that monitor.
TEST_F(CornerTimerTest, MultiMonitorTheCornerOfEveryMonitorWhereItIsADeadEnd) {
    MonitorRects monitors;
    ReadMonitorRects(&monitors, false);
    if (GetSystemMetrics(SM_CMONITORS) < 2 || monitors.count < 2) GTEST_SKIP() << "one monitor";
    auto onNoMonitor = [](POINT p) { return MonitorFromPoint(p, MONITOR_DEFAULTTONULL) == nullptr; };
    int deadEnds = 0, inner = 0;
    for (int i = 0; i < monitors.count; ++i) {
        const RECT& m = monitors.monitor[i];
        std::printf("monitor %d: %ld,%ld .. %ld,%ld\n", i + 1, m.left, m.top, m.right, m.bottom);
        for (int setting = 1; setting <= 4; ++setting) {
            const bool right = setting == 2 || setting == 4, bottom = setting >= 3;
            const POINT corner{right ? m.right - 1 : m.left, bottom ? m.bottom - 1 : m.top};
            const int dx = right ? 1 : -1, dy = bottom ? 1 : -1;
            const bool deadEnd = onNoMonitor({corner.x + dx, corner.y}) && onNoMonitor({corner.x, corner.y + dy}) &&
                                 onNoMonitor({corner.x + dx, corner.y + dy});
            (deadEnd ? deadEnds : inner)++;
            const POINT middle{m.left + (m.right - m.left) / 2, m.top + (m.bottom - m.top) / 2};
            // The corner pixel, then one pixel inward horizontally: a near miss.
            for (const POINT at : {corner, POINT{corner.x - dx, corner.y}}) {
                const bool starts = deadEnd && at.x == corner.x;
                SCOPED_TRACE("monitor " + std::to_string(i + 1) + ", setting " + std::to_string(setting) + " at " +
                             Text(at));
                SetCornerOptions({1, setting, 1});
                MoveCursor(at);
                MessageRecorder recorder(false, true);
                OnCornerTimer(MainWindow, WM_TIMER, kCornerTimerId, GetTickCount());
                EXPECT_EQ(recorder.systemCommands, starts ? kStarted : kNothing);
                EXPECT_TRUE(CursorComesTo(starts ? middle : at)) << Text(Cursor());
                EXPECT_TRUE(TakeCornerTimer());
            }
        }
    }
    // The layouts used have both kinds of corner.
    EXPECT_GT(deadEnds, 0);
    EXPECT_GT(inner, 0);
}

}  // namespace
