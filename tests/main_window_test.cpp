// Start-up, paths, the main window's size and rectangle, and closing.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/startup.h"
#include "base/files.h"
#include "base/monitors.h"
#include "base/program_paths.h"
#include "base/strings.h"
#include "base/text.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "support/fixture.h"
#include "system/screen_saver.h"

namespace {

using MainWindowStartTest = MainWindowTest;

RECT WindowRect() {
    RECT r{};
    GetWindowRect(MainWindow, &r);
    return r;
}

TEST_F(MainWindowStartTest, PathsAreBuiltFromTheProgramFolder) {
    std::string folder = TestProgramFolder();
    EXPECT_EQ(std::string(AppPaths.ProgramFolder), folder);
    EXPECT_EQ(std::string(AppPaths.StandardListPath), folder + "zelvista.lst");
    EXPECT_EQ(std::string(AppPaths.WorkFolder), folder + "ZelvistaWork\\");
    EXPECT_EQ(std::string(AppPaths.SaverStoreFolder), folder + "Scrnsave\\");
    for (const char* f : {AppPaths.WorkFolder, AppPaths.SaverStoreFolder}) {
        DWORD attributes = GetFileAttributesA(f);
        EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) << f;
    }
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    EXPECT_STREQ(AppPaths.WindowsFolder, windows);
}

TEST_F(MainWindowStartTest, WorkFolderIsClearedButSubfoldersStay) {
    std::string work = AppPaths.WorkFolder;
    WriteFileBytes(work + "left.scr", "x");
    WriteFileBytes(work + "other.tmp", "y");
    CreateDirectoryA((work + "sub").c_str(), nullptr);
    WriteFileBytes(work + "sub\\inner.txt", "z");
    Restart();
    EXPECT_FALSE(FileExists((work + "left.scr").c_str()));
    EXPECT_FALSE(FileExists((work + "other.tmp").c_str()));
    EXPECT_TRUE(FileExists((work + "sub").c_str()));
    EXPECT_TRUE(FileExists((work + "sub\\inner.txt").c_str()));
    DeleteFileA((work + "sub\\inner.txt").c_str());
    RemoveDirectoryA((work + "sub").c_str());
}

TEST_F(MainWindowStartTest, SplittingPathsRespectsDoubleByteTrailBytes) {
    char folder[256], name[256];
    // 表 is 0x95 0x5C in code page 932: its trail byte is a backslash.
    ASSERT_TRUE(SplitFolderAndName("C:\\表\\ソ.scr", folder, sizeof folder, name, sizeof name));
    EXPECT_STREQ(folder, "C:\\表\\");
    EXPECT_STREQ(name, "ソ.scr");
    ASSERT_TRUE(SplitFolderAndName("C:\\dir\\表", folder, sizeof folder, name, sizeof name));
    EXPECT_STREQ(name, "表");
    ASSERT_TRUE(SplitFolderAndName("plain.lst", folder, sizeof folder, name, sizeof name));
    EXPECT_STREQ(folder, "");
    char small[4];
    EXPECT_FALSE(SplitFolderAndName("C:\\long\\x.scr", small, sizeof small, name, sizeof name));
}

TEST_F(MainWindowStartTest, FirstStartSizeFollowsTheWorkArea) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT r = WindowRect();
    EXPECT_EQ(r.right - r.left, static_cast<int>((work.right - work.left) / 1.7));
    EXPECT_EQ(r.bottom - r.top, (work.bottom - work.top) / 2);
    EXPECT_EQ(r.top, 0);
}

TEST_F(MainWindowStartTest, NoStandardListStartsNewList) {
    EXPECT_EQ(WindowTitle(), "Zelvista　【新規ﾘｽﾄ.lst】");
    EXPECT_EQ(CurrentList.Named, 0);
    EXPECT_EQ(GetEntryRowCount(), 0);
}

TEST_F(MainWindowStartTest, StandardListIsLoadedAtStart) {
    WriteFileBytes(standardList(), "Ver,3.00\r\nSCR,Stars.scr,0,C:\\W\\,ｽｸﾘｰﾝｾｰﾊﾞｰ,NULL,EOD\r\n");
    Restart();
    EXPECT_EQ(WindowTitle(), "Zelvista　【zelvista.lst】");
    EXPECT_EQ(GetEntryRowCount(), 1);
    EXPECT_EQ(std::string(CurrentList.Path), standardList());
    EXPECT_EQ(CurrentList.Named, 1);
    EXPECT_EQ(CurrentList.Modified, 0);
}

TEST_F(MainWindowStartTest, StoredRectangleIsAppliedAndStoredAgain) {
    WriteSettingInt("EndSave", 1);
    WriteSettingInt("MainL", 40);
    WriteSettingInt("MainT", 30);
    WriteSettingInt("MainR", 640);
    WriteSettingInt("MainB", 430);
    Restart();
    RECT r = WindowRect();
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right, 640);
    EXPECT_EQ(r.bottom, 430);
    // Closed while maximized: the restored rectangle is what is stored.
    MoveWindow(MainWindow, 50, 60, 500, 300, FALSE);
    ShowWindow(MainWindow, SW_MAXIMIZE);
    DestroyTestMainWindow();
    int l = 0, t = 0, rr = 0, b = 0;
    ASSERT_TRUE(ReadSettingInt("MainL", &l) && ReadSettingInt("MainT", &t) && ReadSettingInt("MainR", &rr) &&
                ReadSettingInt("MainB", &b));
    EXPECT_EQ(l, 50);
    EXPECT_EQ(t, 60);
    EXPECT_EQ(rr, 550);
    EXPECT_EQ(b, 360);
    ASSERT_NE(CreateTestMainWindow(), nullptr);
    EXPECT_FALSE(IsZoomed(MainWindow));
    EXPECT_EQ(WindowRect().left, 50);
}

// The values are written while no window is open: closing one stores its own.
void StoreMainRect(const RECT& r) {
    DestroyTestMainWindow();
    WriteSettingInt("EndSave", 1);
    WriteSettingInt("MainL", r.left);
    WriteSettingInt("MainT", r.top);
    WriteSettingInt("MainR", r.right);
    WriteSettingInt("MainB", r.bottom);
    ASSERT_NE(CreateTestMainWindow(), nullptr);
}

TEST_F(MainWindowStartTest, UnusableStoredRectanglesAreNotApplied) {
    RECT fresh = WindowRect();
    const RECT cases[] = {{0, 0, 0, 0},
                          {100, 100, 50, 300},
                          // Hand-edited: wider or higher than an int holds.
                          {INT_MIN, 0, INT_MAX, 300},
                          {0, INT_MIN, 300, INT_MAX}};
    for (const RECT& c : cases) {
        StoreMainRect(c);
        RECT r = WindowRect();
        EXPECT_EQ(r.right - r.left, fresh.right - fresh.left) << c.left << "," << c.top;
        EXPECT_EQ(r.bottom - r.top, fresh.bottom - fresh.top) << c.left << "," << c.top;
    }
}

// The work area's offset from the primary monitor's top left (a task bar at
// the top or the left); a run that set one (tests/work_area.sh) checks that
// the display has it.
POINT WorkAreaOffset() {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    const POINT offset{info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
    char wanted[32] = "";
    if (GetEnvironmentVariableA("ZELVISTA_TEST_WORK_AREA", wanted, sizeof wanted) > 0) {
        EXPECT_EQ(std::to_string(offset.x) + "," + std::to_string(offset.y), wanted) << "the run's work area";
    }
    return offset;
}

RECT Moved(const RECT& r, POINT by) {
    return RECT{r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

RECT StoredMainRect() {
    RECT r{};
    int l = 0, t = 0, rr = 0, b = 0;
    if (ReadSettingInt("MainL", &l) && ReadSettingInt("MainT", &t) && ReadSettingInt("MainR", &rr) &&
        ReadSettingInt("MainB", &b))
        r = RECT{l, t, rr, b};
    return r;
}

// Stored as window placements give them (workspace coordinates, which older
// versions stored too) and put back in screen coordinates: whatever side the
// task bar is on, the window comes back where it was and does not creep.
TEST_F(MainWindowStartTest, WindowComesBackWhereItWasWhateverTheWorkArea) {
    const POINT offset = WorkAreaOffset();
    const POINT back{-offset.x, -offset.y};
    // Stored earlier, by an older version or by hand.
    for (const RECT& stored : {RECT{40, 30, 640, 430}, RECT{0, 0, 500, 300}, RECT{200, 150, 520, 390}}) {
        StoreMainRect(stored);
        const RECT expected = Moved(stored, offset), r = WindowRect();
        EXPECT_TRUE(EqualRect(&r, &expected)) << Text(stored) << " came to " << Text(r);
    }
    // Put somewhere by the user, then closed and opened again, three times.
    for (const RECT& placed : {RECT{100, 120, 600, 420}, Moved(RECT{0, 0, 400, 300}, offset)}) {
        MoveWindow(MainWindow, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top, TRUE);
        for (int round = 0; round < 3; ++round) {
            DestroyTestMainWindow();
            const RECT stored = StoredMainRect(), expectedStored = Moved(placed, back);
            EXPECT_TRUE(EqualRect(&stored, &expectedStored)) << Text(placed) << " stored as " << Text(stored);
            ASSERT_NE(CreateTestMainWindow(), nullptr);
            const RECT r = WindowRect();
            EXPECT_TRUE(EqualRect(&r, &placed)) << Text(placed) << " came back at " << Text(r) << ", round " << round;
        }
    }
    // Closed while maximized: its normal rectangle comes from the placement.
    // Some systems (Wine 8) give placements in screen coordinates, which
    // only a work area at the screen's origin tells apart from Windows'.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(MainWindow, &placement);
    const RECT nowInWorkspace = Moved(WindowRect(), back);
    const bool placementsInWorkspace =
        EqualRect(&placement.rcNormalPosition, &nowInWorkspace) || (offset.x == 0 && offset.y == 0);
    if (placementsInWorkspace) {
        const RECT placed{120, 90, 620, 390};
        MoveWindow(MainWindow, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top, TRUE);
        ShowWindow(MainWindow, SW_MAXIMIZE);
        DestroyTestMainWindow();
        ASSERT_NE(CreateTestMainWindow(), nullptr);
        const RECT r = WindowRect();
        EXPECT_TRUE(EqualRect(&r, &placed)) << "closed maximized, came back at " << Text(r);
    } else {
        std::printf("placements are in screen coordinates here: the maximized case is left out\n");
    }
}

// A window stored on a monitor that is gone comes back inside the work area
// of the monitor nearest to it, as large as it was; with several monitors,
// one stored on another present monitor opens there.
TEST_F(MainWindowStartTest, AWindowStoredOnAMonitorThatIsGoneComesBack) {
    struct Case {
        RECT stored;
        RECT placed;
    };
    std::vector<Case> cases;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    POINT away{30000, 30000};
    GetMonitorInfoA(MonitorFromPoint(away, MONITOR_DEFAULTTONEAREST), &info);
    const RECT w = info.rcWork;
    cases.push_back({{30000, 30000, 30400, 30300}, {w.right - 400, w.bottom - 300, w.right, w.bottom}});
    away = {-9000, -9000};
    GetMonitorInfoA(MonitorFromPoint(away, MONITOR_DEFAULTTONEAREST), &info);
    const RECT v = info.rcWork;
    cases.push_back({{-9000, -9000, -8000, -8500}, {v.left, v.top, v.left + 1000, v.top + 500}});
    MonitorRects monitors;
    ReadMonitorRects(&monitors, true);
    for (int i = 0; i < monitors.count; ++i) {
        const RECT& m = monitors.work[i];
        const RECT on{m.left + 20, m.top + 30, m.left + 420, m.top + 330};
        cases.push_back({on, on});
    }
    for (const Case& c : cases) {
        StoreMainRect(c.stored);
        RECT r = WindowRect();
        EXPECT_TRUE(EqualRect(&r, &c.placed)) << c.stored.left << "," << c.stored.top << " came to " << r.left << ","
                                              << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST_F(MainWindowStartTest, EndSaveOffStoresNothing) {
    DestroyTestMainWindow();
    int v;
    EXPECT_FALSE(ReadSettingInt("MainL", &v));
    ASSERT_NE(CreateTestMainWindow(), nullptr);
}

// The close prompt: answer, then whether the window closed and what was written.
struct CloseCase {
    const char* name;
    bool named;         // the list has a file of its own
    bool rows;          // the list has rows
    bool writable;      // its file can be written
    int answer;         // button pressed in the prompt
    bool closes;
    bool written;
    const char* warning;  // caption of a following warning, or null
};

TEST_F(MainWindowStartTest, ClosePromptAnswers) {
    const CloseCase cases[] = {
        {"cancel keeps it open", true, true, true, IDCANCEL, false, false, nullptr},
        {"no closes without saving", true, true, true, IDNO, true, false, nullptr},
        {"yes saves and closes", true, true, true, IDYES, true, true, nullptr},
        {"yes on an empty list warns and closes", true, false, true, IDYES, true, false, "リストファイル保存エラー"},
        {"yes with a failing write stays open", true, true, false, IDYES, false, false, "リストファイル書き込みエラー"},
        {"yes on an unnamed list cancelled in the dialog closes", false, true, true, IDYES, true, false,
         "名前を付けてリストファイルを保存"},
    };
    ScratchFolder scratch;
    const std::string& folder = scratch.path();
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = c.writable ? folder + "list.lst" : folder + "missing\\list.lst";
        DeleteFileA((folder + "list.lst").c_str());
        if (c.rows) AddRow({"a.scr", "0", "C:\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""});
        strcpy(CurrentList.Path, path.c_str());
        CurrentList.Named = c.named ? 1 : 0;
        CurrentList.Modified = 1;
        DialogDriver driver;
        int answer = c.answer;
        driver.On("Zelvista", [answer](HWND box) { ClickButton(box, answer); });
        if (c.warning) {
            std::string caption = c.warning;
            driver.On(caption, [](HWND box) { ClickButton(box, IDCANCEL); ClickButton(box, IDOK); });
        }
        bool closed = CloseTestMainWindow();
        EXPECT_EQ(closed, c.closes);
        EXPECT_TRUE(driver.allHandled());
        ASSERT_GE(driver.seen().size(), 1u);
        EXPECT_EQ(driver.seen()[0].text, path + " への変更を保存しますか？");
        EXPECT_EQ(FileExists((folder + "list.lst").c_str()) == 1, c.written);
        if (closed) {
            ASSERT_NE(CreateTestMainWindow(), nullptr);
        } else {
            NewList();
        }
    }
}

TEST_F(MainWindowStartTest, UnchangedListClosesWithoutQuestion) {
    AddRow({"a.scr", "0", "C:\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""});
    CurrentList.Modified = 0;
    EXPECT_TRUE(CloseTestMainWindow());
    ASSERT_NE(CreateTestMainWindow(), nullptr);
}

TEST_F(MainWindowStartTest, ClosingAndEndingSessionRestoreTheScreenSaverSetting) {
    for (bool endSession : {false, true}) {
        StartupScreenSaverState = 1;
        SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, 0, nullptr, 0);
        if (endSession) {
            SendMessageA(MainWindow, WM_ENDSESSION, TRUE, 0);
        } else {
            ASSERT_TRUE(CloseTestMainWindow());
            ASSERT_NE(CreateTestMainWindow(), nullptr);
        }
        EXPECT_EQ(IsScreenSaverActive(), 1) << endSession;
    }
}

// Two real program processes.
class SingleInstanceTest : public testing::Test {};

TEST_F(SingleInstanceTest, SecondStartBringsTheFirstForward) {
    // The first one minimized, or hidden in the tray.
    for (bool intoTray : {false, true}) {
        SCOPED_TRACE(intoTray ? "in the tray" : "minimized");
        ProgramProcess first = StartZelvista();
        HWND window = FindProcessMainWindow(first.id, true);
        ASSERT_NE(window, nullptr);
        if (intoTray) {
            SendMessageA(window, WM_COMMAND, IDM_ENTER_TRAY, 0);
            ASSERT_FALSE(IsWindowVisible(window));
        } else {
            ShowWindow(window, SW_MINIMIZE);
            Sleep(200);
            ASSERT_TRUE(IsIconic(window));
        }

        ProgramProcess second = StartZelvista();
        ASSERT_EQ(WaitForSingleObject(second.process.get(), 20000), WAIT_OBJECT_0);
        DWORD code = 99;
        GetExitCodeProcess(second.process.get(), &code);
        EXPECT_EQ(code, 0u);
        for (int i = 0; i < 40 && (IsIconic(window) || !IsWindowVisible(window)); ++i) Sleep(50);
        EXPECT_FALSE(IsIconic(window));
        EXPECT_TRUE(IsWindowVisible(window));
        for (int i = 0; i < 40 && GetForegroundWindow() != window; ++i) Sleep(50);
        EXPECT_EQ(GetForegroundWindow(), window);

        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForSingleObject(first.process.get(), 20000), WAIT_OBJECT_0);
    }
}

// A program folder too long for its store folder: the user is told at
// start-up, and the program still starts and closes.
TEST_F(SingleInstanceTest, ProgramFolderTooLongIsToldAtStartUp) {
    ScratchFolder scratch;
    // 248 bytes with the backslash: "Z.exe" fits after it, "Scrnsave\" does not.
    std::string folder = scratch.path();
    while (folder.size() < 248) {
        const size_t remaining = 248 - folder.size();
        const size_t part = remaining <= 101 ? remaining - 1 : std::min<size_t>(100, remaining - 50);
        folder += std::string(part, 'f') + "\\";
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder.size();
    }
    const std::string exe = folder + "Z.exe";
    ASSERT_TRUE(CopyFileA((TestProgramFolder() + "..\\bin\\Zelvista.exe").c_str(), exe.c_str(), FALSE));
    std::string cmd = "\"" + exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, scratch.path().c_str(),
                               &si, &pi));
    Handle process(pi.hProcess), thread(pi.hThread);
    HWND box = FindProcessMessageBox(pi.dwProcessId);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), FormatText(IDS_PROGRAM_FOLDER_TOO_LONG, folder)) << "the folder to move";
    ClickButton(box, IDOK);
    HWND window = FindProcessMainWindow(pi.dwProcessId, false);
    EXPECT_NE(window, nullptr);
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), 20000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the program did not close";
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), 5000);
    }
    // Nothing was made in the folder it started in: only the long folder is there.
    const size_t n = scratch.path().size();
    EXPECT_EQ(FolderEntries(scratch.path()), std::vector<std::string>{folder.substr(n, folder.find('\\', n) - n)});
}

}  // namespace

namespace {

TEST(LinkStyleTest, LinkFontIsBoldUnderlinedTimes) {
    MakeLinkFont();
    ASSERT_NE(LinkFont, nullptr);
    LOGFONTA font{};
    ASSERT_EQ(GetObjectA(LinkFont, sizeof font, &font), static_cast<int>(sizeof font));
    EXPECT_STREQ(font.lfFaceName, "Times New Roman");
    EXPECT_EQ(font.lfHeight, 17);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_TRUE(font.lfUnderline);
    EXPECT_FALSE(font.lfItalic);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    DeleteObject(LinkFont);
    LinkFont = nullptr;
    MakeLinkCursor();
    EXPECT_NE(LinkCursor, nullptr);  // the help program's hand, or the arrow without it
}

TEST(FileExistsTest, PathsAndPatterns) {
    ScratchFolder scratch;
    const std::string& folder = scratch.path();
    WriteFileBytes(folder + "one.scr", "x");
    EXPECT_EQ(FileExists((folder + "one.scr").c_str()), 1);
    EXPECT_EQ(FileExists((folder + "*.scr").c_str()), 1);
    EXPECT_EQ(FileExists((folder + "*.lzh").c_str()), 0);
    EXPECT_EQ(FileExists((folder + "two.scr").c_str()), 0);
}

}  // namespace
