// The folder search dialog: its boxes, the search of a tree with and without
// sub-folders and archives, the status line, Cancel at every level, commands
// that arrive during a search, the folder browser and dropped folders.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <set>

#include "adding_support.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "archive_support.h"
#include "base/files.h"
#include "list/entry_list.h"
#include "list/folder_search.h"
#include "list/folder_search_ids.h"
#include "list/list_file.h"
#include "base/long_operation.h"
#include "base/strings.h"
#include "res/resource.h"
#include "support/fixture.h"
#include "support/input.h"
#include "support/ui.h"

namespace {

const char kSearchCaption[] = "スクリーンセーバーの検索";
const char kAdded[] = " 個のファイルをリストに追加しました";
const char kInFolder[] = " 検索中";
const std::string kKanjiFolder = "\x95\x5c";  // 表: its trail byte is a backslash

std::string AddedText(int rows, int refused = 0) {
    std::string text = std::to_string(rows) + kAdded;
    if (refused) text += FormatText(IDS_SEARCH_REFUSED, std::to_string(refused));
    return text;
}

// A tree of screen savers, archives and other files, in a scratch folder.
class FolderSearchTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        root_ = scratch_.path() + "tree";
        const std::string r = root_ + "\\";
        for (const char* name : {"a.scr", "B.SCR", "x.scrx", "notes.txt", "saver,comma.scr"}) MakeFile(r + name, "x");
        CopyArchiveFixture("zip_deflate.zip", r + "fake.txt");  // an archive under another extension
        CopyArchiveFixture("lzh_l2_lh5.lzh", r + "pack.lzh");
        CopyArchiveFixture("zip_deflate.zip", r + "pack.zip");
        CopyArchiveFixture("cab_mszip.cab", r + "pack.cab");
        MakeFile(r + "sub1\\c.scr", "x");
        MakeFile(r + "sub1\\deeper\\d.scr", "x");
        CopyArchiveFixture("zip_folders.zip", r + "sub1\\deeper\\inner.zip");
        MakeFile(r + ".hidden\\h.scr", "x");
        CopyArchiveFixture("lzh_l2_lh5.lzh", r + ".hidden\\h.lzh");
        MakeFile(r + kKanjiFolder + "\\e.scr", "x");
        GetCurrentDirectoryA(sizeof current_, current_);
    }
    void TearDown() override {
        EXPECT_EQ(RunningLongOperation(), LongOperation::None);
        char now[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof now, now);
        EXPECT_STREQ(now, current_) << "the search gives the current folder back";
        MainWindowTest::TearDown();
    }
    // The same request with the folder typed as %ZELVISTA_SEARCH_ROOT%, as a
    // user types %LOCALAPPDATA%.
    static SearchRequest ByVariable(SearchRequest request) {
        SetEnvironmentVariableA("ZELVISTA_SEARCH_ROOT", request.folder.c_str());
        request.folder = "%ZELVISTA_SEARCH_ROOT%";
        return request;
    }
    SearchRequest Request(bool subFolders, bool archives, bool lzh = true, bool zip = true, bool cab = true) const {
        SearchRequest request;
        request.folder = root_;
        request.subFolders = subFolders;
        request.archives = archives;
        request.kinds[0] = lzh;
        request.kinds[1] = zip;
        request.kinds[2] = cab;
        return request;
    }

    ScratchFolder scratch_;
    std::string root_;
    char current_[MAX_PATH] = "";
};

std::vector<std::string> Members(const std::string& archive, std::vector<std::string> names) {
    for (std::string& n : names) n = archive + ":" + n;
    return names;
}

std::vector<std::string> Sorted(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    std::sort(all.begin(), all.end());
    return all;
}

TEST_F(FolderSearchTest, BoxesFollowTheInstalledLibraries) {
    const struct {
        bool present[3];
    } cases[] = {{{false, false, false}}, {{true, false, false}}, {{false, true, true}}, {{true, true, true}}};
    const int kinds[3] = {IDC_SEARCH_LZH, IDC_SEARCH_ZIP, IDC_SEARCH_CAB};
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof system);
    for (const auto& c : cases) {
        InstalledLibraries libraries(c.present[0], c.present[1], c.present[2]);
        const bool any = c.present[0] || c.present[1] || c.present[2];
        DialogDriver driver;
        driver.On(kSearchCaption, [&](HWND dialog) {
            EXPECT_EQ(ControlText(dialog, IDC_SEARCH_FOLDER), system);
            EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SEARCH_SUBFOLDERS), BST_UNCHECKED);
            EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SEARCH_ARCHIVES), any ? BST_CHECKED : BST_UNCHECKED);
            EXPECT_EQ(ControlEnabled(dialog, IDC_SEARCH_ARCHIVES), any);
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(IsDlgButtonChecked(dialog, kinds[i]), c.present[i] ? BST_CHECKED : BST_UNCHECKED) << i;
                EXPECT_EQ(ControlEnabled(dialog, kinds[i]), c.present[i]) << i;
            }
            EXPECT_FALSE(ControlEnabled(dialog, IDCANCEL));
            EXPECT_TRUE(ControlEnabled(dialog, IDC_SEARCH_START));
            if (any) {
                // Clearing "inside archives" disables the kinds, keeping their ticks.
                SendMessageA(GetDlgItem(dialog, IDC_SEARCH_ARCHIVES), BM_CLICK, 0, 0);
                for (int i = 0; i < 3; ++i) {
                    EXPECT_FALSE(ControlEnabled(dialog, kinds[i])) << i;
                    EXPECT_EQ(IsDlgButtonChecked(dialog, kinds[i]), c.present[i] ? BST_CHECKED : BST_UNCHECKED);
                }
                SendMessageA(GetDlgItem(dialog, IDC_SEARCH_ARCHIVES), BM_CLICK, 0, 0);
                for (int i = 0; i < 3; ++i) EXPECT_EQ(ControlEnabled(dialog, kinds[i]), c.present[i]) << i;
            }
            // Cancel never closes the dialog; the close box does when no search runs.
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            EXPECT_TRUE(IsWindowVisible(dialog));
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        });
        SendMessageA(MainWindow, WM_COMMAND, kCmdFolderSearch, 0);
        EXPECT_TRUE(driver.allHandled());
    }
}

TEST_F(FolderSearchTest, SearchAddsWhatTheBoxesAllow) {
    InstalledLibraries libraries(true, true, true);
    const std::vector<std::string> files = {"B.scr", "a.scr", "x.scrx"};
    const std::vector<std::string> deeper = {"c.scr", "d.scr", "e.scr"};
    const auto lzh = Members("pack.lzh", {"Deep.Scr", "Lower.scr", "SAVER1.SCR"});
    const auto zip = Members("pack.zip", {"Deep.Scr", "Lower.scr", "SAVER1.SCR"});
    const auto cab = Members("pack.cab", {"Deep.Scr", "Lower.scr", "SAVER1.SCR"});
    const auto inner = Members("inner.zip", {"Deep.Scr", "Lower.scr", "SAVER1.SCR", "empty.scr"});
    const struct {
        const char* name;
        SearchRequest request;
        std::vector<std::string> rows;
    } cases[] = {
        {"this folder's files", Request(false, false), Sorted({files})},
        {"and sub-folders", Request(true, false), Sorted({files, deeper})},
        {"and every archive", Request(true, true), Sorted({files, deeper, lzh, zip, cab, inner})},
        {"LZH only, no sub-folders", Request(false, true, true, false, false), Sorted({files, lzh})},
        {"ZIP only", Request(true, true, false, true, false), Sorted({files, deeper, zip, inner})},
        {"CAB only", Request(true, true, false, false, true), Sorted({files, deeper, cab})},
        {"kinds ticked, archives not", Request(true, false, true, true, true), Sorted({files, deeper})},
        {"the folder typed as an environment variable", ByVariable(Request(false, false)), Sorted({files})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NewList();
        CurrentList.Modified = 0;
        AddRow({"first.scr", "0", "C:\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""});
        std::string status = RunFolderSearch(c.request);
        EXPECT_EQ(status, AddedText(static_cast<int>(c.rows.size()), 1));
        std::vector<std::string> rows = SortedRowNames();
        rows.erase(std::find(rows.begin(), rows.end(), "first.scr"));
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(CurrentList.Modified, 1);
        ReadEntryRow(0);
        EXPECT_STREQ(CurrentEntry.name, "first.scr") << "new rows go to the end";
    }
}

// Files before sub-folders, in listing order, depth first; the rows carry
// the folder the search entered, a trail byte 0x5C not taken for a separator.
TEST_F(FolderSearchTest, FilesComeBeforeSubFoldersDepthFirst) {
    InstalledLibraries libraries(true, true, true);
    std::vector<std::string> statuses;
    RunFolderSearch(Request(true, false), [&statuses](HWND dialog) {
        std::string status = ControlText(dialog, IDC_SEARCH_STATUS);
        if (statuses.empty() || statuses.back() != status) statuses.push_back(status);
        return false;
    });
    EXPECT_EQ(RowPaths(), SearchOrder(root_, true));
    const std::vector<Row> rows = ReadAllRows();
    const auto kanji = std::find_if(rows.begin(), rows.end(), [](const Row& r) { return r[0] == "e.scr"; });
    ASSERT_NE(kanji, rows.end());
    EXPECT_EQ((*kanji)[2], root_ + "\\" + kKanjiFolder + "\\");
    EXPECT_EQ((*kanji)[1], "0");
    EXPECT_EQ((*kanji)[3], "ｽｸﾘｰﾝｾｰﾊﾞｰ");
    std::set<std::string> seen(statuses.begin(), statuses.end());
    for (const std::string& folder : {root_, root_ + "\\sub1", root_ + "\\sub1\\deeper", root_ + "\\" + kKanjiFolder})
        EXPECT_TRUE(seen.count(folder + kInFolder)) << folder;
    for (const std::string& status : statuses) EXPECT_EQ(status.find(".hidden"), std::string::npos) << status;
}

TEST_F(FolderSearchTest, AFolderThatCannotBeEnteredAddsNothing) {
    InstalledLibraries libraries(true, true, true);
    SearchRequest request = Request(true, true);
    request.folder = root_ + "\\missing";
    EXPECT_EQ(RunFolderSearch(request), AddedText(0));
    EXPECT_EQ(GetEntryRowCount(), 0);
    EXPECT_EQ(CurrentList.Modified, 0);
}

// Cancel arrives between two directory entries: the entry in hand is
// finished, and no further entry is looked at, at any level.
TEST_F(FolderSearchTest, CancelStopsEveryLevel) {
    InstalledLibraries libraries(true, true, true);
    const std::vector<std::string> order = SearchOrder(root_, true);
    for (const std::string& target : {root_, root_ + "\\sub1", root_ + "\\sub1\\deeper"}) {
        SCOPED_TRACE(target);
        NewList();
        std::string status = RunFolderSearch(Request(true, false), [&target](HWND dialog) {
            if (ControlText(dialog, IDC_SEARCH_STATUS) != target + kInFolder) return false;
            SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
            return true;
        });
        // Expected: every screen saver met before the target folder, and the
        // target's first listed entry when that is one.
        std::vector<std::string> expected;
        const std::string prefix = target + "\\";
        for (const std::string& path : order) {
            if (path.compare(0, prefix.size(), prefix) == 0) break;
            expected.push_back(path);
        }
        WIN32_FIND_DATAA first;
        const FindHandle listing(FindFirstFileA((prefix + "*.*").c_str(), &first));
        ASSERT_TRUE(listing);
        std::string firstPath = prefix + first.cFileName;
        if (std::find(order.begin(), order.end(), firstPath) != order.end()) expected.push_back(firstPath);
        EXPECT_EQ(RowPaths(), expected);
        // The name with a comma in the top folder is met unless Cancel came there.
        EXPECT_EQ(status, AddedText(static_cast<int>(expected.size()), target == root_ ? 0 : 1));
        EXPECT_LT(expected.size(), order.size());
    }
}

// The user's Cancel, here from a timer, during a search through a folder of
// many archives (each listed through its library, which takes a while): the
// rows are what the search met until then, in order.
TEST_F(FolderSearchTest, CancelFromATimer) {
    InstalledLibraries libraries(true, true, true);
    const std::string many = root_ + "\\sub1\\many\\";
    for (int i = 0; i < 60; ++i) CopyArchiveFixture("zip_deflate.zip", many + "pack" + std::to_string(i) + ".zip");
    MakeFile(many + "m.scr");
    const std::vector<std::string> order = SearchOrder(root_, true);
    const std::size_t everything = order.size() + 3 * (1 + 60) + 4;  // loose, zip members, inner.zip
    static HWND searchDialog;
    static bool cancelledWhileSearching;
    cancelledWhileSearching = false;
    DialogDriver driver;
    std::string status;
    driver.On(kSearchCaption, [&](HWND dialog) {
        FillSearchDialog(dialog, Request(true, true, false, true, false));
        searchDialog = dialog;
        UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, [](HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            cancelledWhileSearching = ControlEnabled(searchDialog, IDCANCEL);
            SendMessageA(GetDlgItem(searchDialog, IDCANCEL), BM_CLICK, 0, 0);
        });
        SendMessageA(GetDlgItem(dialog, IDC_SEARCH_START), BM_CLICK, 0, 0);
        KillTimer(nullptr, timer);
        status = ControlText(dialog, IDC_SEARCH_STATUS);
        ClickButton(dialog, IDOK);
    });
    SendMessageA(MainWindow, WM_COMMAND, kCmdFolderSearch, 0);
    ASSERT_TRUE(driver.allHandled());
    ASSERT_TRUE(cancelledWhileSearching) << "the timer came after the search";
    const int rows = GetEntryRowCount();
    EXPECT_LT(static_cast<std::size_t>(rows), everything);
    std::vector<std::string> loose = RowPaths();
    EXPECT_TRUE(std::equal(loose.begin(), loose.end(), order.begin())) << "loose rows in the order met";
    EXPECT_EQ(status.rfind(AddedText(rows), 0), 0u) << "the count comes first";
}

// What arrives from the tray or a timer during a search: some commands run
// at once, some wait for its end, some end it first, the rest are ignored.
TEST_F(FolderSearchTest, CommandsDuringASearch) {
    InstalledLibraries libraries(true, true, true);
    const int total = static_cast<int>(SearchOrder(root_, true).size());
    DriveOptimizerStandIn optimizer;
    const struct {
        const char* name;
        int command;
        bool searchCompletes;
        bool closePromptAfter;
    } cases[] = {
        {"delete is ignored", kCmdDeleteEntry, true, false},
        {"a second search is ignored", kCmdFolderSearch, true, false},
        {"a waiting time runs at once", kCmdWait2, true, false},
        {"the defragmenter waits", kCmdDefrag, true, false},
        {"exit ends the search first", kCmdExit, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NewList();
        AddRow({"first.scr", "0", "C:\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""});
        SelectListRow(0);
        SystemParametersInfoA(SPI_SETSCREENSAVETIMEOUT, 600, nullptr, 0);
        ClearStandInLog();
        size_t defragDuring = 99;
        bool promptDuring = false;
        std::vector<DialogDriver::Seen> seen;
        RunFolderSearch(
            Request(true, false),
            [&](HWND dialog) {
                if (ControlText(dialog, IDC_SEARCH_STATUS) != root_ + "\\sub1" + kInFolder) return false;
                SendMessageA(MainWindow, WM_COMMAND, c.command, 0);
                defragDuring = StandInLog().size();
                promptDuring = !IsWindow(MainWindow);
                return true;
            },
            [&](DialogDriver& driver) {
                if (c.closePromptAfter) driver.On("Zelvista", [&](HWND box) {
                    seen = driver.seen();
                    ClickButton(box, IDCANCEL);
                });
            });
        EXPECT_EQ(ReadAllRows().front()[0], "first.scr");
        if (c.searchCompletes) EXPECT_EQ(GetEntryRowCount(), 1 + total);
        else EXPECT_LT(GetEntryRowCount(), 1 + total);
        EXPECT_FALSE(promptDuring);
        if (c.closePromptAfter) {
            ASSERT_EQ(seen.size(), 2u) << "the exit is carried out once the search has ended";
            EXPECT_EQ(seen[1].text, CurrentList.Path + std::string(" への変更を保存しますか？"));
            EXPECT_TRUE(IsWindow(MainWindow));
        }
        UINT timeout = 0;
        SystemParametersInfoA(SPI_GETSCREENSAVETIMEOUT, 0, &timeout, 0);
        EXPECT_EQ(timeout, c.command == kCmdWait2 ? 120u : 600u);
        if (c.command == kCmdDefrag) {
            EXPECT_EQ(defragDuring, 0u);
            EXPECT_EQ(StandInLog(1, 5000).size(), 1u) << "the defragmenter runs after the search";
        }
    }
    LeaveStandInFolder();
}

}  // namespace

namespace {

// The folder browser: the chosen folder goes into the folder box with one
// trailing backslash; a cancelled browser leaves the box alone.
TEST_F(FolderSearchTest, BrowseFillsTheFolderBox) {
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof system);
    const struct {
        std::string choose;  // empty: the user cancels
        std::string shown;
    } cases[] = {
        {root_, root_ + "\\"},
        {root_ + "\\" + kKanjiFolder, root_ + "\\" + kKanjiFolder + "\\"},
        {"C:\\", "C:\\"},
        {"", system},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choose);
        std::string shown, title;
        DialogDriver driver;
        driver.On(kSearchCaption, [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDC_SEARCH_BROWSE, 0); });
        driver.On("フォルダーの参照", [&](HWND browser) {
            EnumChildWindows(
                browser,
                [](HWND child, LPARAM found) -> BOOL {
                    char text[256] = "";
                    GetWindowTextA(child, text, sizeof text);
                    if (std::string(text) == "検索ディレクトリを指定してください") *reinterpret_cast<std::string*>(found) = text;
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&title));
            if (c.choose.empty()) {
                ClickButton(browser, IDCANCEL);
                return;
            }
            SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(c.choose.c_str()));
            ClickButton(browser, IDOK);
        });
        driver.On(kSearchCaption, [&](HWND dialog) {
            shown = ControlText(dialog, IDC_SEARCH_FOLDER);
            ClickButton(dialog, IDOK);
        });
        SendMessageA(MainWindow, WM_COMMAND, kCmdFolderSearch, 0);
        EXPECT_TRUE(driver.allHandled());
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(title, "検索ディレクトリを指定してください");
    }
}

// Dropped files are added as chosen ones; a dropped folder is searched in
// the dialog at once, with the boxes as last ticked. Nothing is dropped
// into a running search.
TEST_F(FolderSearchTest, DroppedFilesAndFolders) {
    InstalledLibraries libraries(true, true, true);
    const std::string r = root_ + "\\";
    // The last search: sub-folders, and archives of the ZIP kind only.
    RunFolderSearch(Request(true, true, false, true, false), [&r](HWND) {
        DropFiles({r + "a.scr"});
        return true;
    });
    const int searched = GetEntryRowCount();
    EXPECT_EQ(searched, static_cast<int>(SearchOrder(root_, true).size()) + 3 + 4) << "the drop was ignored";

    NewList();
    CurrentList.Modified = 0;
    std::string status;
    bool boxesAsLastTicked = false;
    DialogDriver driver;
    std::function<void(HWND)> whenDone = [&](HWND dialog) {
        if (ControlEnabled(dialog, IDCANCEL)) {  // still searching
            driver.On(kSearchCaption, whenDone);
            return;
        }
        status = ControlText(dialog, IDC_SEARCH_STATUS);
        boxesAsLastTicked = IsDlgButtonChecked(dialog, IDC_SEARCH_SUBFOLDERS) == BST_CHECKED &&
                            IsDlgButtonChecked(dialog, IDC_SEARCH_LZH) == BST_UNCHECKED &&
                            IsDlgButtonChecked(dialog, IDC_SEARCH_ZIP) == BST_CHECKED &&
                            ControlText(dialog, IDC_SEARCH_FOLDER) == r + "sub1";
        ClickButton(dialog, IDOK);
    };
    driver.On(kSearchCaption, whenDone);
    DropFiles({r + "a.scr", r + "pack.lzh", r + "notes.txt", r + "sub1"});
    EXPECT_TRUE(driver.allHandled());
    ASSERT_EQ(driver.seen().front().caption, kSearchCaption) << "no message for a file that is not ours";
    EXPECT_TRUE(boxesAsLastTicked);
    EXPECT_EQ(status, AddedText(6));
    EXPECT_EQ(SortedRowNames(),
              Sorted({{"a.scr", "c.scr", "d.scr"}, Members("pack.lzh", {"Deep.Scr", "Lower.scr", "SAVER1.SCR"}),
                      Members("inner.zip", {"Deep.Scr", "Lower.scr", "SAVER1.SCR", "empty.scr"})}));
    ReadEntryRow(0);
    EXPECT_STREQ(CurrentEntry.name, "a.scr") << "files first, in the order dropped";
    EXPECT_EQ(CurrentList.Modified, 1);
}

// Archives whose contents are not on the disk (a cloud placeholder, a file
// in offline storage) are not opened: reading them would download them.
// Screen savers are added by name, never read, and stay in the search.
TEST(CloudFileTest, WhatTheSearchLeavesUnopened) {
    const struct {
        DWORD attributes;
        bool notOnDisk;
    } cases[] = {
        {FILE_ATTRIBUTE_ARCHIVE, false},
        {FILE_ATTRIBUTE_NORMAL, false},
        {FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, false},
        {FILE_ATTRIBUTE_ARCHIVE | 0x00080000, false},           // pinned: kept on this device
        {FILE_ATTRIBUTE_ARCHIVE | 0x00100000, false},           // unpinned, still here until it goes
        {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SPARSE_FILE | FILE_ATTRIBUTE_REPARSE_POINT, false},
        {FILE_ATTRIBUTE_ARCHIVE | 0x00400000, true},            // recall on data access: online only
        {FILE_ATTRIBUTE_ARCHIVE | 0x00400000 | 0x00100000 | FILE_ATTRIBUTE_SPARSE_FILE | FILE_ATTRIBUTE_REPARSE_POINT,
         true},                                                 // OneDrive's "online only" placeholder
        {FILE_ATTRIBUTE_ARCHIVE | 0x00040000, true},            // recall on open
        {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_OFFLINE, true},  // moved to offline storage
    };
    for (const auto& c : cases) EXPECT_EQ(IsNotOnDisk(c.attributes), c.notOnDisk) << std::hex << c.attributes;
    EXPECT_EQ(FolderSearchResultText(3, 0, 0), AddedText(3));
    EXPECT_EQ(FolderSearchResultText(0, 0, 2),
              AddedText(0) + "\nクラウドにだけある書庫 2 個は、開くとダウンロードされるため探しませんでした。"
                             "中も探すには「このデバイス上に常に保持する」にしてください。");
    EXPECT_EQ(FolderSearchResultText(4, 1, 1),
              AddedText(4, 1) + "\nクラウドにだけある書庫 1 個は、開くとダウンロードされるため探しませんでした。"
                                "中も探すには「このデバイス上に常に保持する」にしてください。");
}

// The real search over archives marked so, for each attribute the file
// system here keeps; Wine 8 keeps none of them (it stores only the hidden
// and system attributes), so there the search runs with them unset and
// finds every archive, as it does for files on the disk.
TEST_F(FolderSearchTest, ArchivesOnlyInTheCloudAreNotOpened) {
    InstalledLibraries libraries(true, true, true);
    const auto zip = Members("pack.zip", {"Deep.Scr", "Lower.scr", "SAVER1.SCR"});
    for (DWORD attribute : {DWORD{0x00400000}, DWORD{0x00040000}, DWORD{FILE_ATTRIBUTE_OFFLINE}}) {
        SCOPED_TRACE(attribute);
        ScratchFolder scratch;
        const std::string folder = scratch.path() + "cloud";
        CopyArchiveFixture("zip_deflate.zip", folder + "\\pack.zip");
        MakeFile(folder + "\\a.scr", "x");
        SetFileAttributesA((folder + "\\pack.zip").c_str(), FILE_ATTRIBUTE_ARCHIVE | attribute);
        const bool kept = (GetFileAttributesA((folder + "\\pack.zip").c_str()) & attribute) != 0;
        NewList();
        SearchRequest request;
        request.folder = folder;
        request.archives = true;
        request.kinds[0] = request.kinds[1] = request.kinds[2] = true;
        const std::string status = RunFolderSearch(request);
        if (kept) {
            EXPECT_EQ(status, FolderSearchResultText(1, 0, 1));
            EXPECT_EQ(SortedRowNames(), std::vector<std::string>{"a.scr"});
        } else {
            EXPECT_EQ(status, AddedText(4));
            EXPECT_EQ(SortedRowNames(), Sorted({{"a.scr"}, zip}));
        }
        SetFileAttributesA((folder + "\\pack.zip").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

}  // namespace
