// The first start: the offer of a first list (the samples beside the program
// and the screen savers of the Windows folders), answered both ways, in the
// program's own window and in a program started as a new user starts it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/first_start.h"
#include "app/main_window.h"
#include "archive/archiver.h"
#include "archive_support.h"
#include "base/files.h"
#include "base/program_paths.h"
#include "base/strings.h"
#include "base/text.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "support/fixture.h"
#include "support/probe.h"

namespace {

// The offer's box, answered with a button; what the driver saw. With no
// button no box may come (the dialog watchdog fails the test for one).
std::vector<DialogDriver::Seen> AnswerOffer(int button = 0) {
    DialogDriver driver;
    if (button) driver.On(LoadText(IDS_APP_TITLE), [button](HWND box) { ClickButton(box, button); });
    OfferFirstList();
    EXPECT_TRUE(driver.allHandled());
    return driver.seen();
}

// The main window with a samples folder beside the test program (a loose
// screen saver, an archive, a file that is neither) and Windows and system
// folders of the test's own, each with a screen saver among other files.
class FirstStartTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        saved_ = AppPaths;
        ASSERT_NO_FATAL_FAILURE(CopyBuiltLibraries(TestProgramFolder()));
        for (int i = 0; i < kArchiverCount; ++i) Archivers.Present[i] = IsArchiverPresent(i);
        CreateDirectoryA(samples_.c_str(), nullptr);
        ASSERT_TRUE(InstallProbe(samples_ + "Sample.scr"));
        ASSERT_TRUE(CopyFileTo(ProbeArchiveFolder() + "probe.zip", samples_ + "Packed.zip"));
        WriteFileBytes(samples_ + "readme.txt", "not a screen saver");
        ASSERT_TRUE(InstallProbe(windows_.path() + "Windows.scr"));
        WriteFileBytes(windows_.path() + "notepad.exe", "not a screen saver");
        ASSERT_TRUE(InstallProbe(system_.path() + "System.scr"));
        UseFolders(windows_.path(), system_.path());
        // As the program starts: the window made on an empty settings key.
        Restart();
        UseFolders(windows_.path(), system_.path());
    }
    void TearDown() override {
        AppPaths = saved_;
        RemoveTree(samples_);
        for (const char* library : {"unlha32.dll", "unzip32.dll", "cab32.dll"})
            DeleteFileA((TestProgramFolder() + library).c_str());
        for (int i = 0; i < kArchiverCount; ++i) Archivers.Present[i] = IsArchiverPresent(i);
        MainWindowTest::TearDown();
    }
    // The Windows and system folders as the offer looks at them (no backslash at the end).
    static void UseFolders(const std::string& windows, const std::string& system) {
        CopyText(AppPaths.WindowsFolder, sizeof AppPaths.WindowsFolder, windows.substr(0, windows.size() - 1).c_str());
        CopyText(AppPaths.SystemFolder, sizeof AppPaths.SystemFolder, system.substr(0, system.size() - 1).c_str());
    }
    // A program start with the folders of the test.
    void RestartHere() {
        Restart();
        UseFolders(windows_.path(), system_.path());
    }
    std::vector<std::string> RowNames() {
        std::vector<std::string> names;
        for (const Row& row : ReadAllRows()) names.push_back(row.folder + row.name);
        return names;
    }

    const std::string samples_ = TestProgramFolder() + "samples\\";
    ScratchFolder windows_, system_;
    ProgramPaths saved_;
};

TEST_F(FirstStartTest, YesAddsTheSamplesAndWindowsSaversAndKeepsThemAsTheStandardList) {
    ASSERT_TRUE(IsFirstStartPending());
    const std::vector<DialogDriver::Seen> seen = AnswerOffer(IDYES);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, LoadText(IDS_FIRST_LIST_OFFER));
    const std::vector<std::string> expected = {samples_ + "ArcProbe.scr", samples_ + "SubProbe.scr",
                                               samples_ + "Sample.scr", windows_.path() + "Windows.scr",
                                               system_.path() + "System.scr"};
    EXPECT_EQ(RowNames(), expected) << "the samples (the archive's members too), then the Windows folders'";
    EXPECT_EQ(ReadAllRows()[0].archive, "Packed.zip");
    EXPECT_EQ(GetSelectedEntryRow(), 0) << "ready to play from the top";
    // Kept as the standard list: it is there at the next start.
    EXPECT_TRUE(FileExists(standardList().c_str()));
    EXPECT_EQ(std::string(CurrentList.Path), standardList());
    EXPECT_EQ(CurrentList.Modified, 0);
    EXPECT_EQ(WindowTitle(), "Zelvista　【zelvista.lst】");
    int offered = 0;
    EXPECT_TRUE(ReadSettingInt(kSmpOfr, &offered));
    EXPECT_EQ(offered, 1);

    RestartHere();
    EXPECT_FALSE(IsFirstStartPending());
    EXPECT_EQ(RowNames(), expected);
    EXPECT_TRUE(AnswerOffer().empty()) << "asked only once";
}

TEST_F(FirstStartTest, NoAddsNothingAndIsRemembered) {
    ASSERT_TRUE(IsFirstStartPending());
    EXPECT_EQ(AnswerOffer(IDNO).size(), 1u);
    EXPECT_TRUE(ReadAllRows().empty());
    EXPECT_FALSE(FileExists(standardList().c_str()));
    EXPECT_EQ(CurrentList.Modified, 0);
    int offered = 0;
    EXPECT_TRUE(ReadSettingInt(kSmpOfr, &offered));

    RestartHere();
    EXPECT_FALSE(IsFirstStartPending()) << "the refusal is remembered";
    EXPECT_TRUE(AnswerOffer().empty());
    EXPECT_TRUE(ReadAllRows().empty());
}

// Who has used the program before is never asked; with nothing to offer no
// one is asked, and nothing is stored.
TEST_F(FirstStartTest, OnlyANewUserWithSomethingToAddIsAsked) {
    {
        SCOPED_TRACE("a stored option");
        WriteSettingInt(kEndSave, 0);
        RestartHere();
        EXPECT_FALSE(IsFirstStartPending());
        EXPECT_TRUE(AnswerOffer().empty());
        DeleteSettingsKey();
    }
    {
        SCOPED_TRACE("a standard list, even an empty one");
        WriteFileBytes(standardList(), "Ver,3.00\r\n");
        RestartHere();
        EXPECT_FALSE(IsFirstStartPending());
        EXPECT_TRUE(AnswerOffer().empty());
        DeleteFileA(standardList().c_str());
    }
    {
        SCOPED_TRACE("nothing to add");
        RemoveTree(samples_);
        ScratchFolder empty;
        Restart();
        UseFolders(empty.path(), empty.path());
        ASSERT_TRUE(IsFirstStartPending());
        EXPECT_TRUE(FirstListCandidates().empty());
        EXPECT_TRUE(AnswerOffer().empty());
        EXPECT_FALSE(AnySettingStored());
    }
}

// Zelvista as a new user starts it, from a folder of its own with its samples
// beside it: the question comes once the window shows; Yes leaves the list
// saved beside the program, No is remembered; neither is asked again.
class FirstStartProcessTest : public testing::Test {
protected:
    void SetUp() override {
        DeleteSettingsKey();
        ASSERT_TRUE(CopyFileTo(TestProgramFolder() + "..\\bin\\Zelvista.exe", exe_));
        ASSERT_NO_FATAL_FAILURE(CopyBuiltLibraries(folder_.path()));
        CreateDirectoryA((folder_.path() + "samples").c_str(), nullptr);
        ASSERT_TRUE(InstallProbe(folder_.path() + "samples\\Sample.scr"));
    }
    void TearDown() override { DeleteSettingsKey(); }

    // Starts the program and answers its question with button (0: expects none).
    void StartAndAnswer(int button) {
        ProgramProcess program = StartZelvistaAt(exe_);
        ASSERT_NE(program.id, 0u);
        HWND window = FindProcessMainWindow(program.id, true);
        ASSERT_NE(window, nullptr);
        HWND box = FindProcessMessageBox(program.id, button ? 10000 : 2000);
        if (!button) {
            EXPECT_EQ(box, nullptr) << "asked again";
        } else if (box) {
            EXPECT_EQ(MessageBoxText(box), LoadText(IDS_FIRST_LIST_OFFER));
            EXPECT_EQ(GetWindow(box, GW_OWNER), window) << "the main window owns the question";
            ClickButton(box, button);
            for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(50);
        } else {
            ADD_FAILURE() << "no question";
        }
        if (box && !button) ClickButton(box, IDNO);
        Sleep(300);
        char title[256] = "";
        GetWindowTextA(window, title, sizeof title);
        title_ = title;
        CloseZelvista(program);
    }

    ScratchFolder folder_;
    const std::string exe_ = folder_.path() + "Zelvista.exe";
    const std::string list_ = folder_.path() + "zelvista.lst";
    std::string title_;
};

TEST_F(FirstStartProcessTest, YesSavesTheListBesideTheProgram) {
    ASSERT_NO_FATAL_FAILURE(StartAndAnswer(IDYES));
    const std::string list = ReadFileBytes(list_);
    EXPECT_NE(list.find("SCR,Sample.scr,0," + folder_.path() + "samples\\,"), std::string::npos) << list;
    EXPECT_EQ(title_, "Zelvista　【zelvista.lst】");
    ASSERT_NO_FATAL_FAILURE(StartAndAnswer(0));
    EXPECT_EQ(title_, "Zelvista　【zelvista.lst】") << "the list is there at the next start";
}

TEST_F(FirstStartProcessTest, NoIsRemembered) {
    ASSERT_NO_FATAL_FAILURE(StartAndAnswer(IDNO));
    EXPECT_FALSE(FileExists(list_.c_str()));
    int offered = 0;
    EXPECT_TRUE(ReadSettingInt(kSmpOfr, &offered));
    EXPECT_EQ(offered, 1);
    ASSERT_NO_FATAL_FAILURE(StartAndAnswer(0));
    EXPECT_EQ(title_, "Zelvista　【新規ﾘｽﾄ.lst】");
}

}  // namespace
