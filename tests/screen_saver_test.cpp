// The system screen saver controls, the defragmenter run, the display
// properties and the help page.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "app/commands.h"
#include "app/main_window.h"
#include "base/files.h"
#include "base/program_paths.h"
#include "base/text.h"
#include "app/tray.h"
#include "base/process.h"
#include "support/fixture.h"
#include "support/input.h"
#include "support/standard_saver.h"
#include "system/screen_saver.h"

namespace {

class ScreenSaverTest : public MainWindowTest {
protected:
    void TearDown() override {
        LeaveStandInFolder();
        MainWindowTest::TearDown();
    }
    static int Timeout() {
        int seconds = 0;
        SystemParametersInfoA(SPI_GETSCREENSAVETIMEOUT, 0, &seconds, 0);
        return seconds;
    }
};

TEST_F(ScreenSaverTest, WaitingTimesLeaveTheActiveSettingAsItWas) {
    const int seconds[] = {60, 120, 180, 240, 300, 600, 900, 1200};
    for (int on : {0, 1}) {
        for (int i = 0; i < 8; ++i) {
            StartWithActive(on);
            SystemParametersInfoA(SPI_SETSCREENSAVETIMEOUT, 30, nullptr, 0);
            Command(kCmdWait1 + i);
            EXPECT_EQ(Timeout(), seconds[i]) << "item " << i << " active " << on;
            EXPECT_EQ(IsScreenSaverActive(), on);
            EXPECT_EQ(ScreenSaverActive, on);
        }
    }
}

TEST_F(ScreenSaverTest, StartNowOnlyWhenTheSettingIsOn) {
    for (int on : {1, 0}) {
        StartWithActive(on);
        MessageRecorder recorder(false, true);
        Command(kCmdSaverNow);
        std::vector<WPARAM> expected;
        if (on) expected.push_back(SC_SCREENSAVE);
        EXPECT_EQ(recorder.systemCommands, expected) << on;
    }
}

TEST_F(ScreenSaverTest, ClosingPutsTheStartupSettingBack) {
    struct Case {
        int atStart;
        int command;
    } cases[] = {{0, kCmdSaverOn}, {1, kCmdSaverOff}, {0, kCmdSaverOff}, {1, kCmdSaverOn}};
    for (const Case& c : cases) {
        StartWithActive(c.atStart);
        StartupScreenSaverState = c.atStart;
        Command(c.command);
        ASSERT_TRUE(CloseTestMainWindow());
        EXPECT_EQ(IsScreenSaverActive(), c.atStart) << c.command;
        ASSERT_NE(CreateTestMainWindow(), nullptr);
    }
}

// The system's drive optimiser from the system folder, never a program of
// that name in the current folder.
TEST_F(ScreenSaverTest, DefragmenterRunsWithTheScreenSaverOff) {
    DriveOptimizerStandIn optimizer;
    EnterStandInFolder({"dfrgui.exe", "defrag.exe"});
    for (int on : {1, 0}) {
        ClearStandInLog();
        StartWithActive(on);
        Command(kCmdDefrag);
        // The command waited for the program: its line is there at once.
        std::vector<std::string> log = StandInLog();
        ASSERT_EQ(log.size(), 1u) << on;
        EXPECT_EQ(log[0].rfind("dfrgui.exe active=0 cmd=", 0), 0u) << log[0];
        EXPECT_NE(log[0].find(DriveOptimizerStandIn::Path()), std::string::npos) << log[0];
        EXPECT_EQ(IsScreenSaverActive(), on);
        EXPECT_EQ(ScreenSaverActive, on);
        EXPECT_FALSE(OffMarkPresent());
    }
}

// Without the optimiser (as under Wine) the user is told, after the
// setting is back.
TEST_F(ScreenSaverTest, MissingDefragmenterIsToldAndRestoresTheSetting) {
    EnterStandInFolder({"dfrgui.exe"});
    StartWithActive(1);
    EXPECT_EQ(RunAndWait("zelvista-no-such-program.exe"), 0);
    int activeDuringMessage = -1;
    DialogDriver driver;
    driver.On("ドライブの最適化", [&](HWND box) {
        activeDuringMessage = IsScreenSaverActive();
        ClickButton(box, IDOK);
    });
    Command(kCmdDefrag);
    ASSERT_TRUE(driver.allHandled());
    EXPECT_EQ(driver.seen()[0].text, "ドライブの最適化を起動できませんでした。\n" + DriveOptimizerStandIn::Path());
    EXPECT_EQ(activeDuringMessage, 1);
    EXPECT_EQ(IsScreenSaverActive(), 1);
    EXPECT_TRUE(StandInLog().empty()) << "nothing from the current folder ran";
}

// The standard screen saver goes to SYSTEM.INI and to the user's desktop settings.
TEST_F(ScreenSaverTest, StandardScreenSaverIsWrittenForOldAndNewSystems) {
    ASSERT_NE(AppPaths.SystemIniPath[0], '\0');
    StandardSaverKept kept;
    std::string iniPath = AppPaths.SystemIniPath;
    for (int on : {0, 1}) {
        StartWithActive(on);
        std::string path = on ? "C:\\SAVERS\\STARS~1.SCR" : "C:\\SAVERS\\表~1.SCR";
        SetStandardScreenSaver(path.c_str());
        EXPECT_EQ(IniStandardSaver(), path);
        EXPECT_EQ(DesktopStandardSaver(), path);
        EXPECT_EQ(IsScreenSaverActive(), on);
        EXPECT_EQ(ScreenSaverActive, on);
    }
    // Without SYSTEM.INI only the desktop settings change.
    AppPaths.SystemIniPath[0] = '\0';
    SetStandardScreenSaver("C:\\OTHER.SCR");
    CopyText(AppPaths.SystemIniPath, sizeof AppPaths.SystemIniPath, iniPath.c_str());
    EXPECT_EQ(IniStandardSaver(), "C:\\SAVERS\\STARS~1.SCR");
    EXPECT_EQ(DesktopStandardSaver(), "C:\\OTHER.SCR");
}

// The shell finds "control.exe" in the system folder and opens pages with the
// program the classes of the machine name: the stand-in takes both places
// for the length of a test.
class ShellOpenTest : public ScreenSaverTest {
protected:
    void SetUp() override {
        ScreenSaverTest::SetUp();
        char system[MAX_PATH];
        GetSystemDirectoryA(system, sizeof system);
        control_ = std::string(system) + "\\control.exe";
        ASSERT_TRUE(MoveFileA(control_.c_str(), (control_ + ".away").c_str()));
        ASSERT_TRUE(CopyFileA(StandInPath().c_str(), control_.c_str(), FALSE));
        // The system prefers its own build of programs in the system folder.
        RegSetKeyValueA(HKEY_CURRENT_USER, kOverrides, "control.exe", REG_SZ, "native", 7);
        pages_.emplace(std::vector<std::string>{".html"}, "ZelvistaTest.Page");
    }
    void TearDown() override {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kOverrides, "control.exe");
        DeleteFileA(control_.c_str());
        MoveFileA((control_ + ".away").c_str(), control_.c_str());
        pages_.reset();
        MoveFileA((help_ + ".away").c_str(), help_.c_str());
        ScreenSaverTest::TearDown();
    }
    std::string control_;
    std::optional<StandInOpens> pages_;
    static constexpr char kOverrides[] = "Software\\Wine\\DllOverrides";
    const std::string help_ = TestProgramFolder() + "zelvista.html";
};

TEST_F(ShellOpenTest, DisplayPropertiesOpenAlsoFromTheTray) {
    Command(kCmdEnterTray);
    Command(kCmdDisplayProperties);
    std::vector<std::string> log = StandInLog(1, 5000);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].rfind("control.exe active=", 0), 0u) << log[0];
    EXPECT_NE(log[0].find("desk.cpl,,1"), std::string::npos) << log[0];
    EXPECT_FALSE(IsWindowVisible(MainWindow));
    Command(kCmdLeaveTray);
}

// F1 opens the help page beside the program with the user's browser; without
// the page nothing happens.
TEST_F(ShellOpenTest, HelpPageOpensWithTheBrowser) {
    ASSERT_TRUE(FileExists(help_.c_str()));
    for (bool present : {true, false}) {
        if (!present) MoveFileA(help_.c_str(), (help_ + ".away").c_str());
        ClearStandInLog();
        Command(kCmdHelp);
        std::vector<std::string> log = StandInLog(1, present ? 5000 : 1500);
        if (present) {
            ASSERT_EQ(log.size(), 1u);
            EXPECT_NE(log[0].find(help_), std::string::npos) << log[0];
        } else {
            EXPECT_TRUE(log.empty());
        }
    }
}

}  // namespace
