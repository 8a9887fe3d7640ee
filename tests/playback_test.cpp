// List playback, full screen and in the play window: order from the selected
// row and the selection afterwards, switch seconds, looping, Esc, Stop and
// Play, the play area's texts, the play window's place and z-order, screen
// savers that misbehave, passes that start nothing, and no second playback
// inside a running one.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "app/main_window.h"
#include "base/long_operation.h"
#include "base/saver_window_class.h"
#include "base/strings.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "play/list_playback.h"
#include "play/play_window.h"
#include "play/play_window_ids.h"
#include "play/saver_process.h"
#include "playback_support.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "support/input.h"
#include "system/changer.h"

namespace {

constexpr char kPlayWindowCaption[] = "再生ウィンドウ";
constexpr char kLoading[] = "Ｎｏｗ Ｌｏａｄｉｎｇ ・・・";
constexpr char kFinished[] = "ｂｅ  ｆｉｎｉｓｈｅｄ ・・・";

enum class Mode { FullScreen, Window };
const char* ModeName(Mode mode) {
    return mode == Mode::FullScreen ? "full screen" : "play window";
}

class PlaybackTest : public SaverRunTest {
protected:
    void SetUp() override {
        SaverRunTest::SetUp();
        AppSettings.ChgTime = 1;
        AppSettings.LopPlay = 0;
    }
    // Plays the list as the command does; in the play window the script
    // closes the window once playback is over (unless told not to).
    void Play(Mode mode, PlaybackScript& script, bool closeWhenDone = true) {
        if (mode == Mode::FullScreen) {
            Command(kCmdPlayFullScreen);
            return;
        }
        if (closeWhenDone)
            script.When([] { return PlayWindow() && !IsListPlaying(); }, [] { ClickButton(PlayWindow(), IDC_PLAY_CLOSE); });
        DialogDriver driver;
        driver.Allow(kPlayWindowCaption);
        Command(kCmdPlayWindow);
        EXPECT_EQ(PlayWindow(), nullptr);
    }
    // No screen saver of ours is left running.
    static void ExpectAllEnded(const std::vector<ProbeRun>& runs) {
        for (const ProbeRun& run : runs) EXPECT_TRUE(ProcessEnded(run.pid)) << run.name;
    }
    std::function<bool()> Shown(size_t n) const {
        return [this, n] { return RunsShown(log_) >= n; };
    }
};

std::string HandleText(HWND window) {
    return std::to_string(static_cast<int>(reinterpret_cast<INT_PTR>(window)));
}

TEST_F(PlaybackTest, PlaysFromTheSelectedRowAndSelectsTheFirstRowAfterwards) {
    struct Case {
        Mode mode;
        int selected;
        std::vector<std::string> expected;
    } cases[] = {
        {Mode::FullScreen, -1, {"A.scr", "B.scr", "C.scr"}},
        {Mode::FullScreen, 1, {"B.scr", "C.scr"}},
        {Mode::Window, -1, {"A.scr", "B.scr", "C.scr"}},
        {Mode::Window, 2, {"C.scr"}},
    };
    AddProbes({{"A.scr", "1"}, {"B.scr", "1"}, {"C.scr", "1"}});
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(ModeName(c.mode)) + ", selected row " + std::to_string(c.selected));
        SelectListRow(c.selected);
        log_.Clear();
        std::string area;
        RECT areaRect{};
        PlaybackScript script;
        if (c.mode == Mode::Window)
            script.When(Shown(1), [&] {
                area = HandleText(PlayArea());
                GetClientRect(PlayArea(), &areaRect);
            });
        Play(c.mode, script);
        const std::vector<ProbeRun> runs = log_.Runs();
        EXPECT_EQ(RunNames(runs), c.expected);
        for (const ProbeRun& run : runs) {
            if (c.mode == Mode::FullScreen) {
                EXPECT_EQ(run.mode, "s");
                EXPECT_EQ(run.windowClass, kSaverWindowClass);
            } else {
                // The /p handle is the play area's, and the screen saver fills it.
                EXPECT_EQ(run.mode, "p");
                EXPECT_EQ(run.parent, area);
                EXPECT_EQ(run.width, areaRect.right);
                EXPECT_EQ(run.height, areaRect.bottom);
            }
            // The command line quotes the path.
            std::string quoted = "\"";
            quoted.append(scratch_.path()).append(run.name).append("\" /");
            EXPECT_EQ(run.commandLine.rfind(quoted, 0), 0u) << run.commandLine;
            EXPECT_EQ(run.endReason, "close") << run.name;
            EXPECT_EQ(run.active, 0) << "the system's screen saver is off while the list plays";
        }
        ExpectAllEnded(runs);
        EXPECT_EQ(GetSelectedEntryRow(), 0);
    }
}

// An entry plays for its own seconds, or for ChgTime (1 s here) when it has
// none: "0", empty, not a number, below zero.
TEST_F(PlaybackTest, SwitchSecondsOrTheStandardTime) {
    struct Case {
        const char* name;
        const char* seconds;
        double expected;
    } cases[] = {{"S0.scr", "0", 1}, {"S1.scr", "", 1}, {"S2.scr", "x7", 1}, {"S3.scr", "-3", 1}, {"S4.scr", "2", 2}};
    for (const Case& c : cases) AddRow(LooseProbe(scratch_.path(), c.name, c.seconds));
    PlaybackScript script;
    Play(Mode::FullScreen, script);
    const std::vector<ProbeRun> runs = log_.Runs();
    ASSERT_EQ(runs.size(), std::size(cases));
    for (size_t i = 0; i < runs.size(); ++i) {
        const double seconds = SecondsBetween(runs[i].windowUs, runs[i].endUs);
        EXPECT_GT(seconds, cases[i].expected - 0.3) << "seconds \"" << cases[i].seconds << "\"";
        EXPECT_LT(seconds, cases[i].expected + 0.9) << "seconds \"" << cases[i].seconds << "\"";
    }
}

// With LopPlay 1 the list starts again at the first row until Esc, pressed
// as a real key: held down or only tapped. The row after the interrupted
// one is selected afterwards.
TEST_F(PlaybackTest, LoopsUntilEscape) {
    struct Case {
        Mode mode;
        bool tap;
    } cases[] = {{Mode::FullScreen, false}, {Mode::FullScreen, true}, {Mode::Window, true}};
    AppSettings.LopPlay = 1;
    AddProbes({{"A.scr", "1"}, {"B.scr", "1"}});
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(ModeName(c.mode)) + (c.tap ? ", Esc tapped" : ", Esc held"));
        SelectListRow(-1);
        log_.Clear();
        DWORD pressed = 0;
        PlaybackScript script;
        script.When(Shown(3), [&] {
            SendKey(VK_ESCAPE, true, c.tap);
            pressed = GetTickCount();
        });
        if (!c.tap) script.When([&] { return GetTickCount() - pressed > 300; }, [] { SendKey(VK_ESCAPE, false, true); });
        const DWORD start = GetTickCount();
        Play(c.mode, script);
        if (!c.tap && pressed && !script.finished()) SendKey(VK_ESCAPE, false, true);
        const std::vector<ProbeRun> runs = log_.Runs();
        EXPECT_EQ(RunNames(runs), (std::vector<std::string>{"A.scr", "B.scr", "A.scr"}));
        EXPECT_LT(GetTickCount() - start, 15000u);
        ExpectAllEnded(runs);
        EXPECT_EQ(GetSelectedEntryRow(), 1);
    }
}

// Stop ends the screen saver and the playback; Play starts again from the
// selected row. The buttons follow.
TEST_F(PlaybackTest, StopAndPlayInThePlayWindow) {
    AddProbes({{"A.scr", "20"}, {"B.scr", "1"}});
    struct Buttons {
        bool close, play, stop;
        bool operator==(const Buttons&) const = default;
    };
    auto buttons = [] {
        const HWND w = PlayWindow();
        return Buttons{ControlEnabled(w, IDC_PLAY_CLOSE), ControlEnabled(w, IDC_PLAY_START), ControlEnabled(w, IDC_PLAY_STOP)};
    };
    std::vector<Buttons> seen;
    bool finishedShown = false;
    long long stoppedUs = 0;
    PlaybackScript script;
    script.When(Shown(1), [&] {
              seen.push_back(buttons());
              stoppedUs = NowUs();
              ClickButton(PlayWindow(), IDC_PLAY_STOP);
          })
        .When([] { return !IsListPlaying(); },
              [&] {
                  seen.push_back(buttons());
                  finishedShown = PlayAreaShows(kFinished);
                  EXPECT_EQ(GetSelectedEntryRow(), 1);
                  ClickButton(PlayWindow(), IDC_PLAY_START);
              })
        .When([] { return IsListPlaying(); }, [] {})
        .When([] { return !IsListPlaying(); }, [&] { seen.push_back(buttons()); });
    Play(Mode::Window, script);
    EXPECT_TRUE(script.finished());
    const std::vector<ProbeRun> runs = log_.Runs();
    ASSERT_EQ(RunNames(runs), (std::vector<std::string>{"A.scr", "B.scr"}));
    EXPECT_EQ(runs[0].endReason, "close");
    EXPECT_LT(SecondsBetween(stoppedUs, runs[0].endUs), 1.0);
    EXPECT_TRUE(finishedShown);
    EXPECT_EQ(seen, (std::vector<Buttons>{{false, false, true}, {true, true, false}, {true, true, false}}));
    EXPECT_EQ(GetSelectedEntryRow(), 0);
}

// The play area's two texts, byte for byte as drawn: while an entry loads
// (a screen saver that shows nothing keeps it visible) and at the end.
TEST_F(PlaybackTest, PlayAreaTexts) {
    EXPECT_EQ(LoadText(IDS_PLAY_LOADING).size(), 28u);
    EXPECT_EQ(LoadText(IDS_PLAY_FINISHED).size(), 29u);
    EXPECT_EQ(LoadText(IDS_PLAY_LOADING), kLoading);
    EXPECT_EQ(LoadText(IDS_PLAY_FINISHED), kFinished);
    {
        SCOPED_TRACE("empty list");
        bool finished = false, loading = true;
        PlaybackScript script;
        script.When([] { return PlayWindow() && !IsListPlaying(); }, [&] {
            finished = PlayAreaShows(kFinished);
            loading = PlayAreaShows(kLoading);
        });
        Play(Mode::Window, script);
        EXPECT_TRUE(finished);
        EXPECT_FALSE(loading);
    }
    {
        SCOPED_TRACE("one screen saver that shows nothing");
        AddRow(LooseProbe(scratch_.path(), "Probe-nowindow.scr", "2"));
        bool loading = false, finished = false;
        PlaybackScript script;
        script.When([this] { return !log_.Runs().empty(); }, [&] { loading = PlayAreaShows(kLoading); })
            .When([] { return !IsListPlaying(); }, [&] { finished = PlayAreaShows(kFinished); });
        Play(Mode::Window, script);
        EXPECT_TRUE(loading);
        EXPECT_TRUE(finished);
    }
}

// The play window stays on top when ZOrder is not 0; with EndSave 1 it opens
// where it was when it was last closed, and the place is stored.
TEST_F(PlaybackTest, PlayWindowPlaceAndZOrder) {
    for (int zOrder : {0, 1, 2}) {
        AppSettings.ZOrder = zOrder;
        bool topmost = false;
        PlaybackScript script;
        script.When([] { return PlayWindow() != nullptr; },
                    [&] { topmost = (GetWindowLongA(PlayWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; });
        Play(Mode::Window, script);
        EXPECT_EQ(topmost, zOrder != 0) << "ZOrder " << zOrder;
    }
    AppSettings.ZOrder = 0;
    const RECT place{100, 120, 520, 450};
    for (int endSave : {0, 1}) {
        SCOPED_TRACE("EndSave " + std::to_string(endSave));
        DeleteSettingsKey();
        AppSettings.EndSave = endSave;
        LoadPlayWindowRect();
        PlaybackScript first;
        first.When([] { return PlayWindow() != nullptr; },
                   [&] { MoveWindow(PlayWindow(), place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE); });
        Play(Mode::Window, first);
        int stored[4] = {-1, -1, -1, -1};
        const char* names[4] = {"ViewL", "ViewT", "ViewR", "ViewB"};
        for (int i = 0; i < 4; ++i) ReadSettingInt(names[i], &stored[i]);
        RECT reopened{};
        PlaybackScript second;
        second.When([] { return PlayWindow() != nullptr; }, [&] { GetWindowRect(PlayWindow(), &reopened); });
        Play(Mode::Window, second);
        if (endSave == 1) {
            EXPECT_EQ(std::vector<int>(stored, stored + 4),
                      (std::vector<int>{place.left, place.top, place.right, place.bottom}));
            EXPECT_TRUE(EqualRect(&reopened, &place));
        } else {
            EXPECT_EQ(std::vector<int>(stored, stored + 4), (std::vector<int>{-1, -1, -1, -1})) << "nothing stored";
            EXPECT_FALSE(EqualRect(&reopened, &place));
        }
    }
}

// With the work area below or right of the screen's origin (a task bar at
// the top or the left), the play window comes back where it was, round after
// round, and a rectangle stored earlier (in workspace coordinates, as window
// placements give them) opens moved by the work area's offset.
TEST_F(PlaybackTest, PlayWindowComesBackWhereItWasWhateverTheWorkArea) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    const POINT offset{info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
    const char* names[4] = {"ViewL", "ViewT", "ViewR", "ViewB"};
    auto opened = [this] {
        RECT r{};
        PlaybackScript script;
        script.When([] { return PlayWindow() != nullptr; }, [&] { GetWindowRect(PlayWindow(), &r); });
        Play(Mode::Window, script);
        return r;
    };
    DeleteSettingsKey();
    AppSettings.EndSave = 1;
    const int stored[4] = {40, 30, 460, 360};
    for (int i = 0; i < 4; ++i) WriteSettingInt(names[i], stored[i]);
    LoadPlayWindowRect();
    const RECT earlier = opened();
    const RECT expected{stored[0] + offset.x, stored[1] + offset.y, stored[2] + offset.x, stored[3] + offset.y};
    EXPECT_TRUE(EqualRect(&earlier, &expected)) << earlier.left << "," << earlier.top;

    const RECT place{100, 120, 520, 450};
    PlaybackScript first;
    first.When([] { return PlayWindow() != nullptr; },
               [&] { MoveWindow(PlayWindow(), place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE); });
    Play(Mode::Window, first);
    for (int round = 0; round < 3; ++round) {
        int values[4] = {};
        for (int i = 0; i < 4; ++i) ReadSettingInt(names[i], &values[i]);
        EXPECT_EQ(std::vector<int>(values, values + 4),
                  (std::vector<int>{place.left - offset.x, place.top - offset.y, place.right - offset.x,
                                    place.bottom - offset.y}));
        const RECT r = opened();
        EXPECT_TRUE(EqualRect(&r, &place)) << "round " << round << ": " << r.left << "," << r.top;
    }
}

// A play window stored on a monitor that is gone opens inside the work area
// of the monitor nearest to where it was, as large as it was.
TEST_F(PlaybackTest, PlayWindowStoredOnAMonitorThatIsGoneComesBack) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromPoint(POINT{30000, 30000}, MONITOR_DEFAULTTONEAREST), &info);
    const RECT w = info.rcWork;
    DeleteSettingsKey();
    const int stored[4] = {30000, 30000, 30420, 30330};
    const char* names[4] = {"ViewL", "ViewT", "ViewR", "ViewB"};
    for (int i = 0; i < 4; ++i) WriteSettingInt(names[i], stored[i]);
    AppSettings.EndSave = 1;
    LoadPlayWindowRect();
    RECT opened{};
    PlaybackScript script;
    script.When([] { return PlayWindow() != nullptr; }, [&] { GetWindowRect(PlayWindow(), &opened); });
    Play(Mode::Window, script);
    const RECT expected{w.right - 420, w.bottom - 330, w.right, w.bottom};
    EXPECT_TRUE(EqualRect(&opened, &expected))
        << opened.left << "," << opened.top << "," << opened.right << "," << opened.bottom;
}

// The play area follows the window: 28 pixels below the client area's top,
// as wide as it and as high as what is left.
TEST_F(PlaybackTest, PlayAreaFollowsTheWindowSize) {
    std::vector<RECT> areas, clients;
    PlaybackScript script;
    script.When([] { return PlayWindow() && !IsListPlaying(); }, [&] {
        for (SIZE size : {SIZE{400, 300}, SIZE{640, 200}}) {
            SetWindowPos(PlayWindow(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
            RECT client{}, area{};
            GetClientRect(PlayWindow(), &client);
            GetWindowRect(PlayArea(), &area);
            MapWindowPoints(nullptr, PlayWindow(), reinterpret_cast<POINT*>(&area), 2);
            clients.push_back(client);
            areas.push_back(area);
        }
    });
    Play(Mode::Window, script);
    ASSERT_EQ(areas.size(), 2u);
    for (size_t i = 0; i < areas.size(); ++i) {
        const RECT expected{0, 28, clients[i].right, clients[i].bottom};
        EXPECT_TRUE(EqualRect(&areas[i], &expected)) << i;
    }
}

// Screen savers that misbehave end within their bound and leave nothing
// running: the program waits at most kSaverCloseWaitMs after WM_CLOSE, ends
// one without a window when its time is over, and goes on at once after one
// that ended by itself.
TEST_F(PlaybackTest, MisbehavingScreenSaversEndWithinTheirBound) {
    const double closeWait = kSaverCloseWaitMs / 1000.0;
    struct Case {
        const char* name;
        Mode mode;
        double bound;  // seconds of the whole playback, one-second entry included
    } cases[] = {
        {"Probe-nowindow.scr", Mode::FullScreen, 3},   {"Probe-nowindow.scr", Mode::Window, 3},
        {"Probe-ignoreclose.scr", Mode::FullScreen, 3 + closeWait},
        {"Probe-ignoreclose.scr", Mode::Window, 3 + closeWait},
        {"Probe-forever.scr", Mode::FullScreen, 3 + closeWait}, {"Probe-forever.scr", Mode::Window, 3 + closeWait},
        {"Probe-exitnow.scr", Mode::FullScreen, 2},    {"Probe-crash.scr", Mode::FullScreen, 3},
        {"Probe-crash.scr", Mode::Window, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ", " + ModeName(c.mode));
        NewList();
        AddRow(LooseProbe(scratch_.path(), c.name, "1"));
        log_.Clear();
        PlaybackScript script;
        const long long start = NowUs();
        Play(c.mode, script);
        const double seconds = SecondsBetween(start, NowUs());
        const std::vector<ProbeRun> runs = log_.Runs();
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_LT(seconds, c.bound + 1.5);
        ExpectAllEnded(runs);
    }
}

// A pass that starts no screen saver ends playback, also with LopPlay 1:
// files that are gone, screen savers that end at once, an empty list.
TEST_F(PlaybackTest, APassThatStartsNothingEndsPlayback) {
    AppSettings.LopPlay = 1;
    struct Case {
        const char* name;
        std::vector<Row> rows;
    } cases[] = {
        {"files gone", {{"Gone1.scr", "1", "C:\\nowhere\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""},
                        {"Gone2.scr", "1", "C:\\nowhere\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""}}},
        {"screen savers that end at once", {LooseProbe(scratch_.path(), "Probe-exitnow.scr", "1"),
                                            LooseProbe(scratch_.path(), "Two-exitnow.scr", "1")}},
        {"empty list", {}},
    };
    for (const Case& c : cases) {
        for (Mode mode : {Mode::FullScreen, Mode::Window}) {
            SCOPED_TRACE(std::string(c.name) + ", " + ModeName(mode));
            NewList();
            for (const Row& row : c.rows) AddRow(row);
            SelectListRow(c.rows.empty() ? -1 : 1);
            log_.Clear();
            PlaybackScript script;
            const DWORD start = GetTickCount();
            Play(mode, script);
            EXPECT_LT(GetTickCount() - start, 8000u);
            EXPECT_LE(log_.Runs().size(), c.rows.size());
        }
    }
}

// Full screen, the user's return ends the screen saver and the next entry
// plays within about a second; only Esc ends the playback.
TEST_F(PlaybackTest, UserReturnPlaysTheNextEntry) {
    AddProbes({{"A.scr", "20"}, {"B.scr", "1"}});
    PlaybackScript script;
    DWORD shown = 0;
    script.When(Shown(1), [&] { shown = GetTickCount(); })
        .When([&] { return GetTickCount() - shown > 300; }, [] { MoveMouseBy(100); });
    Play(Mode::FullScreen, script);
    const std::vector<ProbeRun> runs = log_.Runs();
    ASSERT_EQ(RunNames(runs), (std::vector<std::string>{"A.scr", "B.scr"}));
    EXPECT_EQ(runs[0].endReason, "mouse");
    EXPECT_LT(SecondsBetween(runs[0].endUs, runs[1].startUs), 1.5);
}

// While the list plays, 6201 and 6202 (menu, toolbar, tray), a preview, a
// double click and the folder search are ignored, not run afterwards; the
// changer's timer is stopped meanwhile and set again after.
TEST_F(PlaybackTest, NoSecondPlaybackInsideOne) {
    RestartWith({{"SscTim", 1}, {"ChgTime", 1}});
    AppSettings.ChgTime = 1;
    AddProbes({{"A.scr", "2"}});
    SelectListRow(0);
    for (Mode mode : {Mode::FullScreen, Mode::Window}) {
        SCOPED_TRACE(ModeName(mode));
        log_.Clear();
        bool changerTimerSet = true;
        PlaybackScript script;
        script.When(Shown(1), [&] {
            changerTimerSet = KillTimer(MainWindow, kChangerTimerId) != FALSE;
            for (int command : {kCmdPlayFullScreen, kCmdPlayWindow, kCmdPreview, kCmdFolderSearch})
                PostMessageA(MainWindow, WM_COMMAND, command, 0);
            SendMessageA(MainWindow, WM_COMMAND, kCmdPlayWindow, 0);
            RunSelectedOnDoubleClick();
        });
        Play(mode, script);
        PumpMessages();
        EXPECT_EQ(RunNames(log_.Runs()), (std::vector<std::string>{"A.scr"}));
        EXPECT_FALSE(changerTimerSet);
        EXPECT_TRUE(ChangerTimerSet());
        // Nothing opened meanwhile or afterwards.
        bool dialog = false;
        EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM p) -> BOOL {
            char cls[64] = "";
            GetClassNameA(w, cls, sizeof cls);
            if (std::string(cls) == "#32770" && IsWindowVisible(w)) *reinterpret_cast<bool*>(p) = true;
            return TRUE;
        }, reinterpret_cast<LPARAM>(&dialog));
        EXPECT_FALSE(dialog);
    }
}

// The play window claims the list only while it plays it: open and idle, it
// leaves the changer and the defragmenter free, yet nothing else plays the
// list under it.
TEST_F(PlaybackTest, TheIdlePlayWindowLeavesTheListFree) {
    AddProbes({{"A.scr", "1"}});
    SelectListRow(0);
    log_.Clear();
    LongOperation whilePlaying = LongOperation::None, whileIdle = LongOperation::Playback;
    PlaybackScript script;
    script.When(Shown(1), [&] { whilePlaying = RunningLongOperation(); })
        .When([] { return PlayWindow() && !IsListPlaying(); }, [&] {
            whileIdle = RunningLongOperation();
            SendMessageA(MainWindow, WM_COMMAND, kCmdPlayFullScreen, 0);
        });
    Play(Mode::Window, script);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(whilePlaying, LongOperation::Playback);
    EXPECT_EQ(whileIdle, LongOperation::None);
    EXPECT_EQ(RunningLongOperation(), LongOperation::None);
    EXPECT_EQ(RunNames(log_.Runs()), (std::vector<std::string>{"A.scr"}));
}

// Closing the main window or choosing Exit (here from the tray menu) during
// playback ends the playback first; the window closes afterwards.
TEST_F(PlaybackTest, ClosingTheProgramEndsPlaybackFirst) {
    struct Case {
        Mode mode;
        UINT message;
        WPARAM wParam;
    } cases[] = {{Mode::FullScreen, WM_CLOSE, 0}, {Mode::Window, WM_COMMAND, kCmdExit}};
    for (const Case& c : cases) {
        SCOPED_TRACE(ModeName(c.mode));
        AddProbes({{"A.scr", "20"}, {"B.scr", "20"}});
        CurrentList.Modified = 0;
        log_.Clear();
        HWND window = MainWindow;
        PlaybackScript script;
        script.When(Shown(1), [&c] { PostMessageA(MainWindow, c.message, c.wParam, 0); });
        const DWORD start = GetTickCount();
        Play(c.mode, script, false);
        EXPECT_LT(GetTickCount() - start, 10000u);
        EXPECT_EQ(RunNames(log_.Runs()), (std::vector<std::string>{"A.scr"}));
        ExpectAllEnded(log_.Runs());
        PumpMessages();
        EXPECT_FALSE(IsWindow(window));
        Restart();
    }
}

// In the play window, a key pressed and released while no button can take
// it ends the current screen saver and the next one plays; the release of a
// key pressed before (the one that chose the menu item) does nothing.
TEST_F(PlaybackTest, KeyInThePlayWindowSkipsToTheNextEntry) {
    AddProbes({{"A.scr", "20"}, {"B.scr", "1"}});
    bool stillRunning = false;
    DWORD released = 0;
    PlaybackScript script;
    script.When(Shown(1), [&] {
              SendKey('J', false, true);
              released = GetTickCount();
          })
        .When([&] { return GetTickCount() - released > 700; },
              [&] {
                  const std::vector<ProbeRun> runs = log_.Runs();
                  stillRunning = runs.size() == 1 && runs[0].endUs < 0;
                  SendKey('K', true, true);
              });
    Play(Mode::Window, script);
    EXPECT_TRUE(stillRunning);
    const std::vector<ProbeRun> runs = log_.Runs();
    EXPECT_EQ(RunNames(runs), (std::vector<std::string>{"A.scr", "B.scr"}));
    ExpectAllEnded(runs);
}

}  // namespace
