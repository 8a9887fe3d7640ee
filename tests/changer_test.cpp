// The screen saver changer: its timer, runs in list order and at random until
// the user comes back, screen savers that misbehave, runs that can start
// nothing, and the random standard screen saver at start-up.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <optional>
#include <set>
#include <thread>

#include "app/main_window.h"
#include "base/long_operation.h"
#include "base/program_paths.h"
#include "launch_support.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "play/saver_process.h"
#include "system/changer.h"
#include "support/controls.h"
#include "support/input.h"
#include "system/screen_saver.h"

namespace {

constexpr char kSystemSaver[] = "SystemSaver.scr";

// The user comes back: once the nth screen saver the changer started has its
// window, the mouse moves as a hand on it would, again until it has gone. If
// it never goes, it is ended from outside, so a failing test cannot hang.
class UserReturnsAt {
public:
    UserReturnsAt(const ProbeLog& log, size_t nth) {
        thread_ = std::thread([this, &log, nth] {
            DWORD pid = 0;
            while (!stop_ && !pid) {
                std::vector<ProbeRun> shown;
                for (const ProbeRun& run : log.Runs())
                    if (run.name != kSystemSaver && run.windowUs >= 0) shown.push_back(run);
                if (shown.size() >= nth) pid = shown[nth - 1].pid;
                Sleep(50);
            }
            Sleep(300);
            for (int tries = 0; !stop_ && !ProcessEnded(pid); ++tries) {
                if (tries == 20) {
                    ADD_FAILURE() << "the screen saver did not end on mouse movement";
                    Handle process(OpenProcess(PROCESS_TERMINATE, FALSE, pid));
                    if (process) TerminateProcess(process.get(), 1);
                    return;
                }
                MoveMouseBy(tries % 2 == 0 ? 100 : -100);
                Sleep(500);
            }
        });
    }
    ~UserReturnsAt() {
        stop_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

std::vector<ProbeRun> ChangerRuns(const std::vector<ProbeRun>& runs) {
    std::vector<ProbeRun> ours;
    for (const ProbeRun& run : runs)
        if (run.name != kSystemSaver) ours.push_back(run);
    return ours;
}

class ChangerTest : public SaverRunTest {};

// Off, with one row, or while a long operation uses the list between its
// steps, the changer leaves the system screen saver running.
TEST_F(ChangerTest, LeavesTheSystemScreenSaverAloneWhenOffOrWithOneRowOrBusy) {
    struct Case {
        const char* name;
        int changerOn;
        int rows;
    } cases[] = {{"changer off", 0, 3}, {"one row", 1, 1}, {"list busy with a search", 1, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RestartWith({{"SscTim", c.changerOn}, {"ChgTime", 1}});
        for (int i = 0; i < c.rows; ++i) AddRow(LooseProbe(scratch_.path(), std::string("R") + std::to_string(i) + ".scr", "1"));
        log_.Clear();
        const ProbeRun system = StartSystemSaver();
        {
            const bool busy = std::string(c.name).find("busy") != std::string::npos;
            std::optional<LongOperationScope> search;
            if (busy) search.emplace(LongOperation::FolderSearch, nullptr);
            PumpMessagesUntil([] { return false; }, 2500);
        }
        std::vector<ProbeRun> runs = log_.Runs();
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].endUs, -1) << "still running";
        EXPECT_FALSE(ProcessEnded(system.pid));
        EXPECT_EQ(ChangerTimerSet(), c.changerOn == 1);
        EndSystemSaver(system);
    }
}

// The timer finds the system screen saver, closes it and plays A, B, C, A, ...
// from the first row, each for its switch seconds or the standard time, until
// the user comes back; the active setting is off meanwhile and as it was after.
TEST_F(ChangerTest, ListOrderFromTheFirstRowUntilTheUserReturns) {
    for (int on : {1, 0}) {
        SCOPED_TRACE(on);
        RestartWith({{"SscTim", 1}, {"ChgTime", 1}, {"TimPtn", 1}});
        AddProbes({{"A.scr", "2"}, {"B.scr", "0"}, {"C.scr", "1"}});
        SelectListRow(2);
        StartWithActive(on);
        log_.Clear();
        const ProbeRun system = StartSystemSaver();
        {
            UserReturnsAt user(log_, 5);
            PumpMessagesUntil(
                [this] {
                    std::vector<ProbeRun> ours = ChangerRuns(log_.Runs());
                    return ours.size() >= 5 && ours.back().endUs >= 0;
                },
                40000);
        }
        PumpMessages();
        const std::vector<ProbeRun> runs = log_.Runs();
        const std::vector<ProbeRun> ours = ChangerRuns(runs);
        EXPECT_EQ(RunNames(ours), (std::vector<std::string>{"A.scr", "B.scr", "C.scr", "A.scr", "B.scr"}));
        EXPECT_EQ(runs[0].name, kSystemSaver);
        EXPECT_EQ(runs[0].endReason, "close") << "the system screen saver was closed";
        for (size_t i = 0; i < ours.size(); ++i) {
            EXPECT_EQ(ours[i].commandLine, "\"" + scratch_.path() + ours[i].name + "\" /s");
            EXPECT_EQ(ours[i].active, 0) << i;
            EXPECT_EQ(ours[i].endReason, i + 1 < ours.size() ? "close" : "mouse") << i;
            EXPECT_TRUE(ProcessEnded(ours[i].pid)) << i;
            // Each played its own seconds (A two) or the standard one before it
            // was closed; its start was logged a moment after the process began.
            if (i + 1 < ours.size()) {
                EXPECT_GE(ours[i].endUs - ours[i].startUs, ours[i].name == "A.scr" ? 1500000 : 500000) << i;
            }
        }
        EXPECT_EQ(IsScreenSaverActive(), on);
        EXPECT_EQ(ScreenSaverActive, on);
        EXPECT_TRUE(ChangerTimerSet());
        EndSystemSaver(system);
        DeleteAllEntryRows();
    }
}

// At random every choice comes from the whole list; the generator is seeded
// once, with the time in seconds as the run begins, so the rows are that
// seed's random numbers in turn.
TEST_F(ChangerTest, RandomOrderPicksFromTheWholeList) {
    RestartWith({{"ChgTime", 1}, {"TimPtn", 2}});
    AddProbes({{"A.scr", "1"}, {"B.scr", "1"}, {"C.scr", "1"}});
    StartWithActive(1);
    {
        UserReturnsAt user(log_, 6);
        RunChanger();
    }
    const std::vector<ProbeRun> runs = log_.Runs();
    ASSERT_EQ(runs.size(), 6u);
    const std::string names[] = {"A.scr", "B.scr", "C.scr"};
    auto picks = [&names](long long second) {
        std::srand(static_cast<unsigned>(second));
        std::vector<std::string> rows;
        for (int i = 0; i < 6; ++i) rows.push_back(names[std::rand() % 3]);
        return rows;
    };
    // The run began just before the first start: in its second or the one before.
    const std::vector<std::string> ran = RunNames(runs);
    EXPECT_TRUE(ran == picks(runs[0].time) || ran == picks(runs[0].time - 1)) << runs[0].time;
    for (const ProbeRun& run : runs) EXPECT_TRUE(ProcessEnded(run.pid));
    EXPECT_EQ(runs.back().endReason, "mouse");
    EXPECT_EQ(IsScreenSaverActive(), 1);
}

// At random, rows that cannot start are passed over and the others picked:
// the run goes on until the user comes back, however often the broken rows
// come up within one second.
TEST_F(ChangerTest, RandomOrderGoesOnPastRowsThatCannotStart) {
    RestartWith({{"ChgTime", 1}, {"TimPtn", 2}});
    AddRow({"Gone.scr", "1", scratch_.path(), "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""});
    AddRow({"ArcProbe.scr", "1", scratch_.path(), "書庫(LZH)", "gone.lzh"});
    AddRow(LooseProbe(scratch_.path(), "A.scr", "1"));
    AddRow({"Gone2.scr", "1", scratch_.path(), "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""});
    StartWithActive(1);
    {
        UserReturnsAt user(log_, 3);
        RunChanger();
    }
    const std::vector<ProbeRun> runs = log_.Runs();
    EXPECT_EQ(RunNames(runs), (std::vector<std::string>{"A.scr", "A.scr", "A.scr"}));
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs.back().endReason, "mouse");
    EXPECT_EQ(Changer.userReturned, 1);
    EXPECT_EQ(IsScreenSaverActive(), 1);
}

// A screen saver that makes no window, ignores WM_CLOSE or never ends is ended
// when its time is over (at once, or after the bounded wait); one that ends at
// once or crashes ends the run as the user's return does. None stays behind.
TEST_F(ChangerTest, MisbehavingScreenSaversEndWithinTheirBound) {
    struct Case {
        const char* behaviour;
        bool endsTheRun;   // it ends before its time
        bool getsClose;    // it has a window that is sent WM_CLOSE
    } cases[] = {
        {"nowindow", false, false}, {"ignoreclose", false, true}, {"forever", false, true},
        {"exitnow", true, false},   {"crash", true, false},
    };
    RestartWith({{"ChgTime", 1}, {"TimPtn", 1}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        DeleteAllEntryRows();
        const std::string bad = std::string("Bad-") + c.behaviour + ".scr";
        AddProbes({{bad, "1"}, {"Good-end300.scr", "5"}});
        StartWithActive(1);
        log_.Clear();
        const DWORD start = GetTickCount();
        RunChanger();
        const DWORD elapsed = GetTickCount() - start;
        const std::vector<ProbeRun> runs = log_.Runs();
        ASSERT_EQ(runs.size(), c.endsTheRun ? 1u : 2u);
        EXPECT_EQ(runs[0].name, bad);
        for (const ProbeRun& run : runs) EXPECT_TRUE(ProcessEnded(run.pid)) << run.name;
        EXPECT_EQ(runs[0].ignoredClose, c.getsClose);
        if (!c.endsTheRun) {
            EXPECT_EQ(runs[0].endUs, -1) << "it was ended from outside";
            EXPECT_EQ(runs[1].endReason, "endtime");
            // Its second, the bounded wait, the good one's 300 ms, and the
            // starts of two processes under Wine with room to spare.
            EXPECT_LT(elapsed, 1000 + kSaverCloseWaitMs + 300 + 6000);
        }
        EXPECT_EQ(IsScreenSaverActive(), 1);
    }
}

TEST_F(ChangerTest, APassThatStartsNothingEndsTheRun) {
    for (int order : {1, 2}) {
        SCOPED_TRACE(order);
        RestartWith({{"ChgTime", 1}, {"TimPtn", order}});
        AddRow({"Gone.scr", "1", scratch_.path(), "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""});
        AddRow({"ArcProbe.scr", "1", scratch_.path(), "書庫(LZH)", "gone.lzh"});
        AddRow(ArchivedProbe("zip", "NoSuch.scr", "1"));
        AddRow({"ArcProbe.scr", "1", ProbeArchiveFolder(), "書庫(RAR)", "probe.zip"});
        StartWithActive(1);
        RunChanger();
        EXPECT_TRUE(log_.Runs().empty());
        EXPECT_EQ(IsScreenSaverActive(), 1);
        EXPECT_EQ(Changer.userReturned, 0);
    }
}

// At start-up a random entry becomes the standard screen saver; one that
// cannot be prepared gives way to another, and with none nothing changes.
TEST_F(ChangerTest, StartUpChoiceWritesOnlyAPreparedScreenSaver) {
    const std::string store = AppPaths.SaverStoreFolder;
    const Row missing = {"Gone.scr", "0", scratch_.path(), "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""};
    const Row missingArchive = {"ArcProbe.scr", "0", scratch_.path(), "書庫(CAB)", "gone.cab"};
    const Row notInArchive = ArchivedProbe("lzh", "NoSuch.scr");
    const Row loose = LooseProbe(scratch_.path(), "Probe Saver.scr");
    struct Case {
        const char* name;
        int option;
        std::vector<Row> rows;
        std::string chosen;  // empty: nothing changes
    } cases[] = {
        {"loose entry", 1, {loose}, scratch_.path() + "Probe Saver.scr"},
        {"archived entry", 1, {ArchivedProbe("lzh", "ArcProbe.scr")}, store + "ArcProbe.scr"},
        {"option off", 0, {loose}, ""},
        {"empty list", 1, {}, ""},
        {"none can be prepared", 1, {missing, missingArchive, notInArchive}, ""},
        {"only one can be prepared", 1, {missing, notInArchive, ArchivedProbe("zip", "SubProbe.scr"), missingArchive},
         store + "SubProbe.scr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteAllEntryRows();
        for (const Row& row : c.rows) AddRow(row);
        if (c.rows.empty())
            DeleteFileA(standardList().c_str());
        else
            ASSERT_EQ(SaveListFile(standardList().c_str()), SaveOutcome::Saved);
        EmptyFolder(store);
        WriteStandardSaverEverywhere("C:\\BEFORE.SCR");
        StartWithActive(0);
        RestartWith({{"SscBgn", c.option}});
        const std::string expected = c.chosen.empty() ? "C:\\BEFORE.SCR" : ShortPathOf(c.chosen);
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(IniStandardSaver(), expected);
        EXPECT_EQ(DesktopStandardSaver(), expected);
        EXPECT_EQ(IsScreenSaverActive(), 0) << "the setting stays as it was";
        EXPECT_EQ(GetEntryRowCount(), static_cast<int>(c.rows.size()));
    }
}

}  // namespace
