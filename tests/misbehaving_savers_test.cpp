// Screen savers others wrote, as the probe plays them: one that hides its
// window and lingers, one of another window class, one that runs full screen
// without arguments, and the older faults (no window, deaf to WM_CLOSE, never
// ending, ending at once, crashing), in every way the program runs a screen
// saver; and the user's return, made with real input, ending a changer run.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/commands.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "play/list_playback.h"
#include "play/play_window.h"
#include "play/play_window_ids.h"
#include "play/saver_process.h"
#include "playback_support.h"
#include "settings/settings.h"
#include "support/controls.h"
#include "support/input.h"
#include "system/changer.h"
#include "system/screen_saver.h"

namespace {

enum class Way { Changer, FullScreen, PlayWindow, Preview };

const char* WayName(Way way) {
    switch (way) {
    case Way::Changer: return "changer";
    case Way::FullScreen: return "full screen";
    case Way::PlayWindow: return "play window";
    default: return "preview";
    }
}

class MisbehavingSaverTest : public SaverRunTest {
protected:
    void SetUp() override {
        SaverRunTest::SetUp();
        RestartWith({{"ChgTime", 1}, {"TimPtn", 1}});
        AppSettings.ChgTime = 1;
        AppSettings.LopPlay = 0;
    }
    void TearDown() override {
        SetProbeEnvironment("ZELVISTA_PROBE_END_MS", "");
        SaverRunTest::TearDown();
    }
    // Runs the list's first row the given way and returns when that is over.
    void RunTheWay(Way way) {
        SelectListRow(0);
        switch (way) {
        case Way::Changer: RunChanger(); break;
        case Way::FullScreen: Command(kCmdPlayFullScreen); break;
        case Way::Preview: Command(kCmdPreview); break;
        case Way::PlayWindow: PlayInPlayWindowAndClose(); break;
        }
    }
};

// Every misbehaviour ends within its bound in every way of running it, leaves
// no process behind and the active setting as it was. The changer plays the
// bad entry for its second and then one that ends by itself (the user's
// return) to end the run; full screen and the play window play the one entry
// once; the preview's user comes back after 0.7 s (the probe's end time).
TEST_F(MisbehavingSaverTest, EachEndsWithinItsBoundInEveryWay) {
    const double closeWait = kSaverCloseWaitMs / 1000.0;
    const double windowWait = kSaverWindowWaitMs / 1000.0;
    struct Case {
        const char* behaviour;
        double extra;        // seconds it may add beyond its entry time
        bool previewEndsItself;  // with an end time of its own it ends by itself
    } cases[] = {
        {"linger1500", 1.5, true},  {"ownclass", 0, true},         {"noarg-runs", 0, true},
        {"ownclass-linger1500", 1.5, true},
        {"nowindow", 0, false},     {"ignoreclose", closeWait, true}, {"forever", closeWait, false},
        {"exitnow", 0, true},       {"crash", 0, true},
    };
    for (const Case& c : cases) {
        for (Way way : {Way::Changer, Way::FullScreen, Way::PlayWindow, Way::Preview}) {
            // A screen saver deaf to all input never ends in a preview: the
            // user ends it from outside, as with any program that hangs.
            if (way == Way::Preview && std::string(c.behaviour) == "forever") continue;
            SCOPED_TRACE(std::string(c.behaviour) + ", " + WayName(way));
            NewList();
            const std::string bad = std::string("Bad-") + c.behaviour + ".scr";
            AddRow(LooseProbe(scratch_.path(), bad, "1"));
            if (way == Way::Changer) AddRow(LooseProbe(scratch_.path(), "Good-end300.scr", "5"));
            // In a preview the probe stands for a user who comes back.
            SetProbeEnvironment("ZELVISTA_PROBE_END_MS", way == Way::Preview ? "700" : "");
            StartWithActive(1);
            log_.Clear();
            const long long start = NowUs();
            RunTheWay(way);
            const double seconds = SecondsBetween(start, NowUs());
            const std::vector<ProbeRun> runs = log_.Runs();
            ASSERT_GE(runs.size(), 1u);
            EXPECT_EQ(runs[0].name, bad);
            EXPECT_EQ(runs[0].mode, way == Way::PlayWindow ? "p" : "s");
            for (const ProbeRun& run : runs) EXPECT_TRUE(ProcessEnded(run.pid)) << run.name;
            // Its time (a second, or the preview's wait for a window), what it
            // may add, the second probe in the changer, and process starts
            // under Wine with room to spare.
            double bound = 1 + c.extra + 4;
            if (way == Way::Changer) bound += 1;
            if (way == Way::Preview && !c.previewEndsItself) bound = windowWait + closeWait + 4;
            EXPECT_LT(seconds, bound);
            EXPECT_EQ(IsScreenSaverActive(), 1) << "the active setting as it was";
            EXPECT_EQ(ScreenSaverActive, 1);
        }
    }
}

// The user comes back with real input (X events, as a hand on the mouse
// makes): the screen saver the changer is playing hides its window, or ends,
// and the run ends at once: nothing else starts, although the screen saver
// outlives its entry's time, and the active setting is on again. The system's
// screen saver the changer replaced may be of either window class.
TEST_F(MisbehavingSaverTest, UserReturnWithRealInputEndsAChangerRun) {
    struct Case {
        const char* systemSaver;
        const char* first;  // the entry playing when the user comes back
    } cases[] = {
        {"SystemSaver.scr", "A-linger2500.scr"},
        {"SystemSaver-ownclass.scr", "A-ownclass.scr"},
        {"SystemSaver-ownclass.scr", "A-ownclass-linger2500.scr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.systemSaver) + ", " + c.first);
        RestartWith({{"SscTim", 1}, {"ChgTime", 1}, {"TimPtn", 1}});
        NewList();
        // The first plays two seconds: a linger that outlasts it must not
        // count as its time running out.
        AddRow(LooseProbe(scratch_.path(), c.first, "2"));
        AddRow(LooseProbe(scratch_.path(), "B.scr", "2"));
        StartWithActive(1);
        const std::string systemPath = scratch_.path() + c.systemSaver;
        ASSERT_TRUE(InstallProbe(systemPath));
        WriteStandardSaverEverywhere(ShortPathOf(systemPath));
        log_.Clear();
        const DWORD systemPid = StartSystemSaverProbe(systemPath);
        ASSERT_NE(systemPid, 0u);

        // The user: once the changer's screen saver shows, the mouse moves
        // until it has hidden its window or ended.
        std::atomic<bool> stop{false};
        std::thread user([&] {
            DWORD shownAt = 0;
            while (!stop) {
                std::vector<ProbeRun> runs = log_.Runs();
                const ProbeRun* ours = nullptr;
                for (const ProbeRun& run : runs)
                    if (run.name == c.first) ours = &run;
                if (ours && (ours->hiddenUs >= 0 || ours->endUs >= 0)) return;
                if (ours && ours->windowUs >= 0) {
                    if (!shownAt) shownAt = GetTickCount();
                    if (GetTickCount() - shownAt > 300) MoveMouseWithX(shownAt % 2 ? 120 : -120);
                }
                Sleep(100);
            }
        });
        PumpMessagesUntil(
            [&] {
                for (const ProbeRun& run : log_.Runs())
                    if (run.name == c.first) return ProcessEnded(run.pid);
                return false;
            },
            30000);
        // Long enough for the next entry to have started, were it going to.
        PumpMessagesUntil([] { return false; }, 3000);
        stop = true;
        user.join();
        const std::vector<ProbeRun> runs = log_.Runs();
        ASSERT_EQ(RunNames(runs), (std::vector<std::string>{c.systemSaver, c.first}));
        EXPECT_EQ(runs[0].endReason, "close") << "the system screen saver was closed";
        EXPECT_EQ(runs[1].endReason, "mouse");
        EXPECT_EQ(runs[1].mode, "s");
        for (const ProbeRun& run : runs) EXPECT_TRUE(ProcessEnded(run.pid)) << run.name;
        EXPECT_EQ(IsScreenSaverActive(), 1);
        EXPECT_EQ(ScreenSaverActive, 1);
        EXPECT_TRUE(ChangerTimerSet());
        DeleteAllEntryRows();
    }
}

}  // namespace
