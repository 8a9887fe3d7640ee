// A password-protected system screen saver replaced by the changer: caught
// within its grace period, the sign-in screen asked for when the user comes
// back after it, left alone once the grace period is over; and whatever
// plays ends when the session is locked. Windows' lock itself cannot be
// seen under Wine: the tests count the program's requests for it, and stand
// in for the system's report of a locked session.
#include <gtest/gtest.h>

#include <windows.h>
#include <wtsapi32.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "app/commands.h"
#include "app/main_window.h"
#include "base/session.h"
#include "list/entry_list.h"
#include "play/list_playback.h"
#include "play/play_window.h"
#include "play/play_window_ids.h"
#include "playback_support.h"
#include "settings/settings_dialog_ids.h"
#include "support/controls.h"
#include "support/input.h"
#include "support/system_settings.h"
#include "system/changer.h"
#include "system/screen_saver.h"

namespace {

constexpr char kSystemSaver[] = "SystemSaver.scr";

// Whether the system reports a locked session, as the tests decide.
std::atomic<bool> reportedAway{false};

class SecureSaverTest : public SaverRunTest {
protected:
    void TearDown() override {
        // Whatever a test noted of the session is undone.
        NoteSessionChange(WTS_SESSION_UNLOCK);
        NoteSessionChange(WTS_CONSOLE_CONNECT);
        SetSessionAwayQuery(nullptr);
        reportedAway = false;
        SaverRunTest::TearDown();
    }
    // The run of the given name, once it is in the log.
    std::optional<ProbeRun> Run(const std::string& name) const {
        for (const ProbeRun& run : log_.Runs())
            if (run.name == name) return run;
        return std::nullopt;
    }
    bool Ended(const std::string& name) const {
        const std::optional<ProbeRun> run = Run(name);
        return run && ProcessEnded(run->pid);
    }
    bool Shown(const std::string& name) const {
        const std::optional<ProbeRun> run = Run(name);
        return run && run->windowUs >= 0;
    }
};

// The changer watches a password-protected system screen saver four times a
// second, whatever ChgTime says; whoever comes back after the grace period
// meets the sign-in screen, as with Windows' own screen saver; one found
// after its grace period, or with none, is left to Windows.
TEST_F(SecureSaverTest, TheChangerKeepsThePasswordsPromise) {
    struct Case {
        const char* name;
        const char* secure;
        DWORD graceSeconds;
        int chgTime;
        const char* entry;  // ends by itself: the user's return
        DWORD foundAfterMs;  // 0: the changer watches from the start
        bool replaced;
        bool locks;
    } cases[] = {
        {"back within the grace period", "1", 5, 30, "A-end300.scr", 0, true, false},
        {"back after the grace period", "1", 2, 30, "A-end3500.scr", 0, true, true},
        {"found after its grace period", "1", 1, 30, "A-end300.scr", 1500, false, false},
        {"no grace period", "1", 0, 30, "A-end300.scr", 0, false, false},
        {"not password-protected, back late", "0", 2, 1, "A-end3500.scr", 0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SecureSaverSettings settings(c.secure, std::to_string(c.graceSeconds));
        RestartWith({{"SscTim", 1}, {"ChgTime", c.chgTime}, {"TimPtn", 1}});
        AddProbes({{c.entry, "30"}, {"B.scr", "30"}});
        StartWithActive(1);
        log_.Clear();
        const int locksBefore = SessionLockRequests();
        if (c.foundAfterMs) StopChangerTimer(MainWindow);
        const ProbeRun system = StartSystemSaver(kSystemSaver);
        if (c.foundAfterMs) {
            PumpMessagesUntil([] { return false; }, c.foundAfterMs);
            StartChangerTimer(MainWindow);
        }
        if (c.replaced) {
            EXPECT_TRUE(PumpMessagesUntil([&] { return Ended(c.entry); }, 20000));
            PumpMessagesUntil([] { return false; }, 500);
            const std::optional<ProbeRun> ours = Run(c.entry);
            ASSERT_TRUE(ours);
            EXPECT_EQ(Run(kSystemSaver)->endReason, "close");
            // Found well within the grace period, not at the next ChgTime.
            if (c.secure[0] == '1') {
                EXPECT_LT(SecondsBetween(system.windowUs, ours->startUs), 1.5);
            }
            EXPECT_EQ(RunNames(log_.Runs()), (std::vector<std::string>{kSystemSaver, c.entry}));
        } else {
            PumpMessagesUntil([] { return false; }, 2000);
            EXPECT_EQ(RunNames(log_.Runs()), std::vector<std::string>{kSystemSaver});
            EXPECT_FALSE(ProcessEnded(system.pid)) << "left to Windows";
            EndSystemSaver(system);
        }
        EXPECT_EQ(SessionLockRequests() - locksBefore, c.locks ? 1 : 0);
        EXPECT_EQ(IsScreenSaverActive(), 1);
        EXPECT_TRUE(ChangerTimerSet());
        DeleteAllEntryRows();
    }
}

// However it learns that the session is locked (the system's report, asked
// from the loop that blocks the thread, or the window's notice), what plays
// ends at once and nothing more starts: a changer run, a preview, list
// playback full screen and in the play window. No lock is asked for: the
// session is locked already.
TEST_F(SecureSaverTest, EverythingThatPlaysEndsWhenTheSessionIsLocked) {
    enum class Kind { Changer, Preview, FullScreen, PlayWindow };
    enum class Way { Report, Notice };
    struct Case {
        const char* name;
        Kind kind;
        Way way;
    } cases[] = {
        {"changer run, report", Kind::Changer, Way::Report},   {"changer run, notice", Kind::Changer, Way::Notice},
        {"preview, notice", Kind::Preview, Way::Notice},        {"preview, report", Kind::Preview, Way::Report},
        {"full screen, notice", Kind::FullScreen, Way::Notice}, {"play window, notice", Kind::PlayWindow, Way::Notice},
    };
    SetSessionAwayQuery([] { return reportedAway.load(); });
    SecureSaverSettings settings("1", std::string("5"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RestartWith({{"SscTim", c.kind == Kind::Changer ? 1 : 0}, {"ChgTime", 30}, {"TimPtn", 1}});
        AddProbes({{"A.scr", "30"}, {"B.scr", "30"}});
        SelectListRow(0);
        StartWithActive(1);
        log_.Clear();
        const int locksBefore = SessionLockRequests();
        // The session is locked once A shows, from another thread as the
        // system's notices come.
        std::atomic<bool> stop{false};
        std::atomic<long long> lockedUs{-1};
        std::thread session([&] {
            while (!stop && !Shown("A.scr")) Sleep(50);
            if (stop) return;
            Sleep(300);
            lockedUs = NowUs();
            if (c.way == Way::Report) reportedAway = true;
            else SendMessageA(MainWindow, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
        });
        switch (c.kind) {
        case Kind::Changer:
            StartSystemSaver(kSystemSaver);
            PumpMessagesUntil([&] { return Ended("A.scr"); }, 20000);
            break;
        case Kind::Preview: Command(kCmdPreview); break;
        case Kind::FullScreen: Command(kCmdPlayFullScreen); break;
        case Kind::PlayWindow: PlayInPlayWindowAndClose(); break;
        }
        // Long enough for B to have started, were it going to.
        PumpMessagesUntil([] { return false; }, 1500);
        stop = true;
        session.join();
        const std::optional<ProbeRun> a = Run("A.scr");
        ASSERT_TRUE(a);
        EXPECT_TRUE(ProcessEnded(a->pid));
        ASSERT_GE(lockedUs.load(), 0);
        EXPECT_LT(SecondsBetween(lockedUs, a->endUs >= 0 ? a->endUs : NowUs()), 1.0) << "it ended at once";
        EXPECT_FALSE(Run("B.scr")) << "nothing more started";
        EXPECT_EQ(SessionLockRequests(), locksBefore);
        EXPECT_EQ(IsScreenSaverActive(), 1);
        // While the session stays locked, the changer leaves a system screen
        // saver alone: the list would play unseen.
        if (c.kind == Kind::Changer) {
            log_.Clear();
            const ProbeRun system = StartSystemSaver(kSystemSaver);
            PumpMessagesUntil([] { return false; }, 1000);
            EXPECT_EQ(RunNames(log_.Runs()), std::vector<std::string>{kSystemSaver});
            EndSystemSaver(system);
        }
        reportedAway = false;
        NoteSessionChange(WTS_SESSION_UNLOCK);
        DeleteAllEntryRows();
    }
}

// The main window hears of its session's changes while it lives.
TEST_F(SecureSaverTest, TheMainWindowHearsOfItsSession) {
    EXPECT_EQ(SessionNotificationWindow(), MainWindow);
    DestroyTestMainWindow();
    EXPECT_EQ(SessionNotificationWindow(), nullptr);
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    EXPECT_EQ(SessionNotificationWindow(), MainWindow);
}

// The changer page says in one line what the changer does with a
// password-protected system screen saver, and nothing otherwise.
TEST_F(SecureSaverTest, TheChangerPageSaysWhatItDoes) {
    struct Case {
        const char* name;
        const char* user;
        const char* policy;  // ScreenSaverIsSecure of the policy, null for none
        const char* grace;
        std::string line;  // empty: no line shown
    } cases[] = {
        {"not protected", "0", nullptr, "5", ""},
        {"protected, 5 s", "1", nullptr, "5",
         "パスワード保護あり：すぐにリストに替え、開始から 5 秒を過ぎて戻るとサインイン画面を出します。"},
        {"protected, 30 s", "1", nullptr, "30",
         "パスワード保護あり：すぐにリストに替え、開始から 30 秒を過ぎて戻るとサインイン画面を出します。"},
        {"protected, no grace", "1", nullptr, "0", "パスワード保護あり：猶予時間がないため、チェンジャーは働きません。"},
        {"protected by the policy", "0", "1", "5",
         "パスワード保護あり：すぐにリストに替え、開始から 5 秒を過ぎて戻るとサインイン画面を出します。"},
        {"unprotected by the policy", "1", "0", "5", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SecureSaverSettings settings(c.user, std::string(c.grace));
        std::vector<std::pair<std::string, std::string>> values;
        if (c.policy) values.push_back({"ScreenSaverIsSecure", c.policy});
        ScreenSaverPolicyValues policy(values);
        DialogDriver driver;
        driver.On("Zelvistaの設定", [&c](HWND d) {
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, IDC_SET_SECURE_NOTE))) << "not on the first page";
            ClickTab(GetDlgItem(d, IDC_SETTINGS_TABS), 3);
            EXPECT_EQ(IsWindowVisible(GetDlgItem(d, IDC_SET_SECURE_NOTE)) != FALSE, !c.line.empty());
            if (!c.line.empty()) {
                EXPECT_EQ(ControlText(d, IDC_SET_SECURE_NOTE), c.line);
            }
            ClickButton(d, IDCANCEL);
        });
        Command(kCmdSettings);
        EXPECT_TRUE(driver.allHandled());
    }
}

}  // namespace
