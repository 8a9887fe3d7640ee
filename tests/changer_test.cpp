// The screen saver changer: its timer, runs in list order and at random until
// the user comes back, screen savers that misbehave, runs that can start
// nothing, and the random standard screen saver at start-up.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <ctime>
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
// An entry's time runs from its process's creation; the probe tells that time
// from the system clock, which may differ from its counter by a few ms.
constexpr long long kClockSlackUs = 50000;

// The user comes back: as soon as the nth screen saver the changer started
// shows its window, the mouse moves as a hand on it would, again until that
// screen saver has ended, by itself on the mouse or closed by the changer,
// which may see the input first. Should the run go on after it (its time ran
// out before it showed its window or before the hand could end it), that
// fails the test and the hand goes on with the next one, so that the run
// still ends; one that never ends is ended from outside. Either way a failing
// test cannot hang.
class UserReturnsAt {
public:
    UserReturnsAt(const ProbeLog& log, size_t nth) {
        thread_ = std::thread([this, &log, nth] {
            for (size_t target = nth; !stop_; ++target) {
                std::optional<ProbeRun> run;
                while (!stop_ && !((run = StartedRun(log, target)) && (run->windowUs >= 0 || ProcessEnded(run->pid))))
                    Sleep(20);
                if (!run) return;
                if (target > nth)
                    ADD_FAILURE() << "the run went on after screen saver " << target - 1
                                  << ": its time ran out before the mouse could end it\n"
                                  << DescribeRuns(log.Runs());
                // Ended at its time before it showed a window (read again:
                // the window may have come just before the end).
                run = StartedRun(log, target);
                if (run->windowUs < 0) continue;
                for (int tries = 0; !stop_ && !ProcessEnded(run->pid); ++tries) {
                    if (tries == 40) {
                        ADD_FAILURE() << "the screen saver did not end on mouse movement";
                        Handle process(OpenProcess(PROCESS_TERMINATE, FALSE, run->pid));
                        if (process) TerminateProcess(process.get(), 1);
                        return;
                    }
                    MoveMouseBy(tries % 2 == 0 ? 100 : -100);
                    Sleep(250);
                }
            }
        });
    }
    ~UserReturnsAt() {
        stop_ = true;
        thread_.join();
    }

private:
    // The nth screen saver the changer started.
    static std::optional<ProbeRun> StartedRun(const ProbeLog& log, size_t nth) {
        size_t started = 0;
        for (const ProbeRun& run : log.Runs())
            if (run.name != kSystemSaver && ++started == nth) return run;
        return std::nullopt;
    }

    std::atomic<bool> stop_{false};
    std::thread thread_;
};

std::vector<ProbeRun> ChangerRuns(const std::vector<ProbeRun>& runs) {
    std::vector<ProbeRun> ours;
    for (const ProbeRun& run : runs)
        if (run.name != kSystemSaver) ours.push_back(run);
    return ours;
}

// The user's return ended this screen saver: it saw the mouse, or the
// changer saw the input first and closed it. (Closed because its time was
// over, it would have been followed by another.)
bool EndedOnTheUsersReturn(const ProbeRun& run) {
    return run.endReason == "mouse" || run.endReason == "close";
}

// A screen saver of the run but the last ended when its time of ms was over:
// closed, or ended at once when it had shown no window by then (on a busy
// machine a process may take that long to start).
void ExpectEndedAtItsTime(const ProbeRun& run, long long ms) {
    const long long timeUs = ms * 1000 - kClockSlackUs;
    if (run.endUs < 0) {
        EXPECT_TRUE(run.windowUs < 0 || run.windowUs - run.createdUs >= timeUs)
            << "ended from outside although it showed its window in time: " << DescribeRuns({run});
        return;
    }
    EXPECT_EQ(run.endReason, "close") << run.name;
    EXPECT_GE(run.endUs - run.createdUs, timeUs) << run.name;
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
        for (int i = 0; i < c.rows; ++i) {
            std::string name = "R";  // built in steps: GCC 12 warns wrongly (-Wrestrict) of "R" + ...
            name += std::to_string(i);
            name += ".scr";
            AddRow(LooseProbe(scratch_.path(), name, "1"));
        }
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
        EXPECT_EQ(RunNames(ours), (std::vector<std::string>{"A.scr", "B.scr", "C.scr", "A.scr", "B.scr"}))
            << DescribeRuns(runs);
        EXPECT_EQ(runs[0].name, kSystemSaver);
        EXPECT_EQ(runs[0].endReason, "close") << "the system screen saver was closed";
        for (size_t i = 0; i < ours.size(); ++i) {
            EXPECT_EQ(ours[i].commandLine, "\"" + scratch_.path() + ours[i].name + "\" /s");
            if (ours[i].windowUs >= 0) {
                EXPECT_EQ(ours[i].active, 0) << i;
            }
            // Each played its own seconds (A two) or the standard one, counted
            // from its process's creation; the last ended on the user's return.
            if (i + 1 < ours.size()) {
                ExpectEndedAtItsTime(ours[i], ours[i].name == "A.scr" ? 2000 : 1000);
            } else {
                EXPECT_TRUE(EndedOnTheUsersReturn(ours[i])) << ours[i].endReason;
            }
            EXPECT_TRUE(ProcessEnded(ours[i].pid)) << i;
        }
        EXPECT_EQ(Changer.userReturned, 1);
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
    const long long before = static_cast<long long>(std::time(nullptr));
    {
        UserReturnsAt user(log_, 6);
        RunChanger();
    }
    const std::vector<ProbeRun> runs = log_.Runs();
    ASSERT_EQ(runs.size(), 6u) << DescribeRuns(runs);
    const std::string names[] = {"A.scr", "B.scr", "C.scr"};
    auto picks = [&names](long long second) {
        std::srand(static_cast<unsigned>(second));
        std::vector<std::string> rows;
        for (int i = 0; i < 6; ++i) rows.push_back(names[std::rand() % 3]);
        return rows;
    };
    // The run began after `before` and before the first start, which may
    // come seconds later on a busy machine: its seed is one of those seconds.
    const std::vector<std::string> ran = RunNames(runs);
    bool seeded = false;
    for (long long second = before; second <= runs[0].time && !seeded; ++second) seeded = ran == picks(second);
    EXPECT_TRUE(seeded) << "no second from " << before << " to " << runs[0].time;
    for (const ProbeRun& run : runs) EXPECT_TRUE(ProcessEnded(run.pid));
    for (size_t i = 0; i + 1 < runs.size(); ++i) ExpectEndedAtItsTime(runs[i], 1000);
    EXPECT_TRUE(EndedOnTheUsersReturn(runs.back())) << runs.back().endReason;
    EXPECT_EQ(Changer.userReturned, 1);
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
    EXPECT_EQ(RunNames(runs), (std::vector<std::string>{"A.scr", "A.scr", "A.scr"})) << DescribeRuns(runs);
    ASSERT_FALSE(runs.empty());
    for (size_t i = 0; i + 1 < runs.size(); ++i) ExpectEndedAtItsTime(runs[i], 1000);
    EXPECT_TRUE(EndedOnTheUsersReturn(runs.back())) << runs.back().endReason;
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
    // Time enough for the bad one to show its window on a busy machine, so
    // that there is one to send WM_CLOSE to when its time is over.
    const DWORD badSeconds = 2;
    RestartWith({{"ChgTime", 1}, {"TimPtn", 1}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        DeleteAllEntryRows();
        const std::string bad = std::string("Bad-") + c.behaviour + ".scr";
        AddProbes({{bad, std::to_string(badSeconds)}, {"Good-end300.scr", "5"}});
        StartWithActive(1);
        log_.Clear();
        const DWORD start = GetTickCount();
        RunChanger();
        const DWORD elapsed = GetTickCount() - start;
        const std::vector<ProbeRun> runs = log_.Runs();
        ASSERT_EQ(runs.size(), c.endsTheRun ? 1u : 2u) << DescribeRuns(runs);
        EXPECT_EQ(runs[0].name, bad);
        for (const ProbeRun& run : runs) EXPECT_TRUE(ProcessEnded(run.pid)) << run.name;
        EXPECT_EQ(runs[0].ignoredClose, c.getsClose) << DescribeRuns(runs);
        if (!c.endsTheRun) {
            EXPECT_EQ(runs[0].endUs, -1) << "it was ended from outside";
            EXPECT_EQ(runs[1].endReason, "endtime");
            // Its seconds, the bounded wait, the good one's 300 ms, and the
            // starts of two processes under Wine with room to spare.
            EXPECT_LT(elapsed, badSeconds * 1000 + kSaverCloseWaitMs + 300 + 6000);
        }
        EXPECT_EQ(IsScreenSaverActive(), 1);
    }
}

// A screen saver slow to show its window plays its time: its window
// appearing under the resting pointer is no return of the user's, however
// late it comes. The next entry, which ends by itself, ends the run.
TEST_F(ChangerTest, AScreenSaverSlowToShowItsWindowPlaysItsTime) {
    RestartWith({{"ChgTime", 1}, {"TimPtn", 1}});
    AddProbes({{"A-late800.scr", "3"}, {"B-end300.scr", "5"}});
    StartWithActive(1);
    RunChanger();
    const std::vector<ProbeRun> runs = log_.Runs();
    ASSERT_EQ(RunNames(runs), (std::vector<std::string>{"A-late800.scr", "B-end300.scr"}));
    EXPECT_GE(runs[0].windowUs - runs[0].startUs, 800000) << "its window showed late";
    EXPECT_EQ(runs[0].endReason, "close");
    EXPECT_GE(runs[0].endUs - runs[0].createdUs, 3000000 - kClockSlackUs) << "it played its time";
    EXPECT_EQ(runs[1].endReason, "endtime");
    for (const ProbeRun& run : runs) EXPECT_TRUE(ProcessEnded(run.pid)) << run.name;
    EXPECT_EQ(Changer.userReturned, 1);
    EXPECT_EQ(IsScreenSaverActive(), 1);
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
