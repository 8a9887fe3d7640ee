// Reading and writing list files, and the five file commands.
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "base/files.h"
#include "base/program_paths.h"
#include "base/text.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "list/list_format.h"
#include "support/fixture.h"

namespace {

const Row kLoose{"Stars.scr", "0", "C:\\WINDOWS\\SYSTEM\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""};
const Row kMember{"Fish.scr", "30", "D:\\Saver\\", "書庫(LZH)", "fish.lzh"};
const Row kTrail{"表示.scr", "10", "C:\\ソフト\\", "書庫(ZIP)", "表.zip"};  // 0x5C trail bytes

using ListFileTest = MainWindowTest;

TEST_F(ListFileTest, WriterProducesExactBytes) {
    ScratchFolder scratch;
    const std::string& folder = scratch.path();
    AddRow(kLoose);
    AddRow(kMember);
    ASSERT_EQ(SaveListFile((folder + "out.lst").c_str()), SaveOutcome::Saved);
    EXPECT_EQ(ReadFileBytes(folder + "out.lst"),
              "Ver,3.00\r\n"
              "SCR,Stars.scr,0,C:\\WINDOWS\\SYSTEM\\,ｽｸﾘｰﾝｾｰﾊﾞｰ,NULL,EOD\r\n"
              "SCR,Fish.scr,30,D:\\Saver\\,書庫(LZH),fish.lzh,EOF\r\n");
    EXPECT_EQ(WindowTitle(), "Zelvista　【out.lst】");
    EXPECT_EQ(CurrentList.Modified, 0);
    EXPECT_EQ(CurrentList.Named, 1);
}

TEST_F(ListFileTest, RoundTripKeepsRowsAndOrder) {
    ScratchFolder scratch;
    const std::string& folder = scratch.path();
    std::vector<Row> rows{kLoose, kMember, kTrail, {"NULLsaver.scr", "5", "E:\\x\\", "書庫(CAB)", "NULLsaver.cab"}};
    for (const Row& r : rows) AddRow(r);
    ASSERT_EQ(SaveListFile((folder + "r.lst").c_str()), SaveOutcome::Saved);
    NewList();
    ASSERT_EQ(GetEntryRowCount(), 0);
    ASSERT_EQ(LoadListFile((folder + "r.lst").c_str()), 1);
    EXPECT_EQ(ReadAllRows(), rows);
}

TEST_F(ListFileTest, ExtensionRulesAndTitle) {
    ScratchFolder scratch;
    const std::string& folder = scratch.path();
    AddRow(kLoose);
    struct Case {
        const char* given;
        const char* written;
        const char* title;
    } cases[] = {
        {"mylist", "mylist.lst", "Zelvista　【mylist.lst】"},
        {"LIST.LST", "LIST.LST", "Zelvista　【LIST.LST】"},
        {"a.txt", "a.txt.lst", "Zelvista　【a.txt.lst】"},
        {"表.lst", "表.lst", "Zelvista　【表.lst】"},
    };
    for (const Case& c : cases) {
        std::string path = folder + c.given;
        ASSERT_EQ(SaveListFile(path.c_str()), SaveOutcome::Saved) << c.given;
        EXPECT_TRUE(FileExists((folder + c.written).c_str())) << c.given;
        EXPECT_EQ(WindowTitle(), c.title);
    }
}

struct ReadCase {
    const char* name;
    std::string bytes;
    bool loads;
    std::vector<Row> rows;
};

// The reader's cases: the format functions and the file command both run them.
std::vector<ReadCase> ReaderCases() {
    const std::string line1 = "SCR,Stars.scr,0,C:\\WINDOWS\\SYSTEM\\,ｽｸﾘｰﾝｾｰﾊﾞｰ,NULL,EOD";
    const std::string line2 = "SCR,Fish.scr,30,D:\\Saver\\,書庫(LZH),fish.lzh,EOF";
    const std::string longField(300, 'x');
    // Every field fits, but the line is longer than an entry line may be.
    const std::string longLine = "SCR," + std::string(255, 'a') + ",0," + std::string(254, 'b') + "\\," +
                                 std::string(255, 'c') + "," + std::string(255, 'd') + ",EOF";
    return {
        {"header Ver,9.99", "Ver,9.99\r\n" + line1 + "\r\n", true, {kLoose}},
        {"header Version", "Version\r\n" + line1 + "\r\n", true, {kLoose}},
        {"LF-only lines", "Ver,3.00\n" + line1 + "\n" + line2 + "\n", true, {kLoose, kMember}},
        {"no final line end", "Ver,3.00\r\n" + line1, true, {kLoose}},
        {"comments and junk skipped",
         "Ver,3.00\r\n; a comment\r\n\r\nXYZ,1,2,3,4,5,6\r\n" + line1 + "\r\nSCR,too,few\r\n", true, {kLoose}},
        {"field over 255 bytes skipped",
         "Ver,3.00\r\nSCR," + longField + ",0,C:\\,ｽｸﾘｰﾝｾｰﾊﾞｰ,NULL,EOD\r\n" + line2 + "\r\n", true, {kMember}},
        {"overlong line skipped whole", "Ver,3.00\r\n" + longLine + "\r\n" + line2 + "\r\n", true, {kMember}},
        {"runs of commas are one separator", "Ver,3.00\r\nSCR,,Stars.scr,0,,C:\\WINDOWS\\SYSTEM\\,ｽｸﾘｰﾝｾｰﾊﾞｰ,NULL,EOD\r\n",
         true, {kLoose}},
        {"comma in a name shifts fields", "Ver,3.00\r\nSCR,a,b.scr,0,C:\\,ｽｸﾘｰﾝｾｰﾊﾞｰ,NULL,EOD\r\n", true,
         {{"a", "b.scr", "0", "C:\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ"}}},
        {"NULL only when exact",
         "Ver,3.00\r\nSCR,N.scr,0,C:\\,書庫(LZH),NULLsaver.lzh,EOF\r\n", true,
         {{"N.scr", "0", "C:\\", "書庫(LZH)", "NULLsaver.lzh"}}},
        {"empty file", "", true, {}},
        {"header only", "Ver,3.00\r\n", true, {}},
        {"entry line first refused", line1 + "\r\n", false, {}},
        {"UTF-8 BOM refused", "\xEF\xBB\xBFVer,3.00\r\n" + line1 + "\r\n", false, {}},
    };
}

// Bytes to entries, with no window and no file.
TEST(ListFormatTest, ReaderCases) {
    for (const ReadCase& c : ReaderCases()) {
        SCOPED_TRACE(c.name);
        std::vector<ScreenSaverEntry> entries;
        EXPECT_EQ(ParseListFile(c.bytes, entries), c.loads ? ListParse::Read : ListParse::OldVersion);
        EXPECT_EQ(RowsOf(entries), c.rows);
    }
}

TEST_F(ListFileTest, ReaderCases) {
    ScratchFolder scratch;
    const std::string& folder = scratch.path();
    for (const ReadCase& c : ReaderCases()) {
        SCOPED_TRACE(c.name);
        std::string path = folder + "case.lst";
        WriteFileBytes(path, c.bytes);
        NewList();
        AddRow(kTrail);  // must survive a refused file
        CurrentList.Modified = 1;
        DialogDriver driver;
        if (!c.loads) driver.On("リストファイル読み込みエラー", [](HWND box) { ClickButton(box, IDOK); });
        int loaded = LoadListFile(path.c_str());
        EXPECT_EQ(loaded, c.loads ? 1 : 0);
        if (c.loads) {
            EXPECT_EQ(ReadAllRows(), c.rows);
            EXPECT_EQ(CurrentList.Modified, 0);
            EXPECT_EQ(WindowTitle(), "Zelvista　【case.lst】");
        } else {
            ASSERT_EQ(driver.seen().size(), 1u);
            EXPECT_EQ(driver.seen()[0].text, "旧バージョンのファイルは使用できません");
            EXPECT_EQ(ReadAllRows(), std::vector<Row>{kTrail});
            EXPECT_EQ(CurrentList.Modified, 1);
            EXPECT_EQ(WindowTitle(), "Zelvista　【新規ﾘｽﾄ.lst】");
        }
    }
}

TEST_F(ListFileTest, MissingFileIsReportedAndChangesNothing) {
    AddRow(kLoose);
    DialogDriver driver;
    driver.On("リストファイル読み込みエラー", [](HWND box) { ClickButton(box, IDOK); });
    EXPECT_EQ(LoadListFile("C:\\no\\such\\file.lst"), 0);
    ASSERT_EQ(driver.seen().size(), 1u);
    EXPECT_EQ(driver.seen()[0].text, "読み込みに失敗しました");
    EXPECT_EQ(ReadAllRows(), std::vector<Row>{kLoose});
}

TEST_F(ListFileTest, FailedWriteKeepsOldFileTitleAndFlags) {
    ScratchFolder scratch;
    const std::string& folder = scratch.path();
    std::string target = folder + "keep.lst";
    WriteFileBytes(target, "Ver,3.00\r\nold\r\n");
    // Another program holds the old list open, so it cannot be replaced.
    Handle holder(CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    AddRow(kLoose);
    CurrentList.Modified = 1;
    CurrentList.Named = 0;
    DialogDriver driver;
    driver.On("リストファイル書き込みエラー", [](HWND box) { ClickButton(box, IDOK); });
    EXPECT_EQ(SaveListFile(target.c_str()), SaveOutcome::Failed);
    holder.reset();
    ASSERT_EQ(driver.seen().size(), 1u);
    EXPECT_EQ(driver.seen()[0].text, "書き込みに失敗しました");
    EXPECT_EQ(ReadFileBytes(target), "Ver,3.00\r\nold\r\n");
    EXPECT_EQ(CurrentList.Modified, 1);
    EXPECT_EQ(CurrentList.Named, 0);
    EXPECT_EQ(WindowTitle(), "Zelvista　【新規ﾘｽﾄ.lst】");
    // Nothing but the old file is left in the folder.
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"keep.lst"});
}

TEST_F(ListFileTest, PathWithNoRoomForExtensionIsRefused) {
    ScratchFolder scratch;
    const std::string& folder = scratch.path();
    std::string path = folder + std::string(253 - folder.size(), 'n');  // 253 bytes, no room for ".lst"
    AddRow(kLoose);
    DialogDriver driver;
    driver.On("リストファイル書き込みエラー", [](HWND box) { ClickButton(box, IDOK); });
    EXPECT_EQ(SaveListFile(path.c_str()), SaveOutcome::Failed);
    EXPECT_EQ(driver.seen().size(), 1u);
}

// The new file is made beside the list under a name no longer than the
// list's own, so a list in a folder of 240 to 251 bytes saves whenever its
// path fits 255 bytes, and is refused cleanly when it does not: the old file
// stays and nothing else is left in the folder.
TEST_F(ListFileTest, SavingBesideLongFolders) {
    ScratchFolder scratch;
    const std::string name = "list.lst";
    AddRow(kLoose);
    const std::string written = "Ver,3.00\r\nSCR,Stars.scr,0,C:\\WINDOWS\\SYSTEM\\,ｽｸﾘｰﾝｾｰﾊﾞｰ,NULL,EOD\r\n";
    for (std::size_t length = 240; length <= 251; ++length) {
        SCOPED_TRACE(length);
        ASSERT_LT(scratch.path().size() + 2, length);
        const std::string folder = scratch.path() + std::string(length - scratch.path().size() - 1, 'd') + "\\";
        ASSERT_EQ(folder.size(), length);
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        const std::string target = folder + name;
        WriteFileBytes(target, "Ver,3.00\r\nold\r\n");
        ASSERT_TRUE(FileExists(target.c_str()));
        const bool fits = target.size() <= 255;
        DialogDriver driver;
        if (!fits) driver.On("リストファイル書き込みエラー", [](HWND box) { ClickButton(box, IDOK); });
        EXPECT_EQ(SaveListFile(target.c_str()), fits ? SaveOutcome::Saved : SaveOutcome::Failed);
        EXPECT_TRUE(driver.allHandled());
        EXPECT_EQ(ReadFileBytes(target), fits ? written : "Ver,3.00\r\nold\r\n");
        EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{name});
        RemoveTree(folder);
    }
}

TEST_F(ListFileTest, NewListTitleAndFlags) {
    AddRow(kLoose);
    CurrentList.Modified = 1;
    CurrentList.Named = 1;
    NewList();
    EXPECT_EQ(GetEntryRowCount(), 0);
    EXPECT_EQ(CurrentList.Named, 0);
    EXPECT_EQ(CurrentList.Modified, 1);  // unchanged
    EXPECT_EQ(std::string(CurrentList.Path), TestProgramFolder() + "新規ﾘｽﾄ.lst");
    EXPECT_EQ(WindowTitle(), "Zelvista　【新規ﾘｽﾄ.lst】");
}

TEST_F(ListFileTest, EmptyListIsNotSavedByAnyCommand) {
    for (auto save : {SaveList, SaveListAs, SaveStandardList}) {
        DialogDriver driver;
        driver.On("リストファイル保存エラー", [](HWND box) { ClickButton(box, IDOK); });
        EXPECT_EQ(save(), SaveOutcome::Skipped);
        ASSERT_EQ(driver.seen().size(), 1u);
        EXPECT_EQ(driver.seen()[0].text, "リストが空です。");
    }
    EXPECT_FALSE(FileExists(standardList().c_str()));
}

TEST_F(ListFileTest, OpenThroughDialogAndCancel) {
    ScratchFolder scratch;
    const std::string& folder = scratch.path();
    WriteFileBytes(folder + "chosen.lst", "Ver,3.00\r\nSCR,Stars.scr,0,C:\\WINDOWS\\SYSTEM\\,ｽｸﾘｰﾝｾｰﾊﾞｰ,NULL,EOD\r\n");
    std::string before = CurrentList.Path;
    {
        DialogDriver driver;
        driver.On("リストファイルの読み込み", [](HWND dlg) { ClickButton(dlg, IDCANCEL); });
        OpenList();
        EXPECT_TRUE(driver.allHandled());
    }
    EXPECT_EQ(std::string(CurrentList.Path), before);
    EXPECT_EQ(GetEntryRowCount(), 0);
    {
        DialogDriver driver;
        std::string path = folder + "chosen.lst";
        driver.On("リストファイルの読み込み", [path](HWND dlg) { TypeFileName(dlg, path); });
        OpenList();
        EXPECT_TRUE(driver.allHandled());
    }
    EXPECT_EQ(std::string(CurrentList.Path), folder + "chosen.lst");
    EXPECT_EQ(ReadAllRows(), std::vector<Row>{kLoose});
    EXPECT_EQ(WindowTitle(), "Zelvista　【chosen.lst】");
}

TEST_F(ListFileTest, SaveAsThroughDialogThenSaveWritesSameFile) {
    ScratchFolder scratch;
    const std::string& folder = scratch.path();
    AddRow(kLoose);
    std::string path = folder + "named";
    DialogDriver driver;
    driver.On("名前を付けてリストファイルを保存", [path](HWND dlg) { TypeFileName(dlg, path); });
    EXPECT_EQ(SaveList(), SaveOutcome::Saved);  // not yet named: asks for a name
    EXPECT_TRUE(FileExists((folder + "named.lst").c_str()));
    EXPECT_EQ(std::string(CurrentList.Path), path + ".lst");  // named by the file written
    AddRow(kMember);
    EXPECT_EQ(SaveList(), SaveOutcome::Saved);  // named now: no dialog
    NewList();
    LoadListFile((folder + "named.lst").c_str());
    EXPECT_EQ(GetEntryRowCount(), 2);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"named.lst"});
}

// Whatever is typed in Save As, the question about replacing a file names
// the file that is written, and No writes nothing.
struct SaveAsCase {
    const char* name;
    std::vector<std::string> typed;      // typed in turn (a folder first opens it); relative to the folder
    std::vector<std::string> existing;   // files there before, holding "old"; a name ending in \ is a folder
    const char* asked;                   // the file the question names, or null when none is asked
    int answer;                          // to the question
    const char* written;                 // the file written, or null
    SaveOutcome outcome;
};

TEST_F(ListFileTest, SaveAsAsksAboutTheFileItWrites) {
    const std::string dialog = "名前を付けてリストファイルを保存";
    const std::string question = "名前を付けて保存の確認";
    const SaveAsCase cases[] = {
        {"bare name, nothing there", {"mylist"}, {}, nullptr, 0, "mylist.lst", SaveOutcome::Saved},
        {"bare name, its .lst there: yes", {"mylist"}, {"mylist.lst"}, "mylist.lst", IDYES, "mylist.lst",
         SaveOutcome::Saved},
        {"bare name, its .lst there: no", {"mylist"}, {"mylist.lst"}, "mylist.lst", IDNO, nullptr,
         SaveOutcome::Skipped},
        {"bare name, a file of that very name there", {"mylist"}, {"mylist"}, nullptr, 0, "mylist.lst",
         SaveOutcome::Saved},
        {"with .lst, there", {"mylist.lst"}, {"mylist.lst"}, "mylist.lst", IDYES, "mylist.lst", SaveOutcome::Saved},
        {"with .LST in capitals, there", {"MYLIST.LST"}, {"mylist.lst"}, "MYLIST.LST", IDYES, "MYLIST.LST",
         SaveOutcome::Saved},
        {"another extension, that file there", {"mylist.txt"}, {"mylist.txt"}, nullptr, 0, "mylist.txt.lst",
         SaveOutcome::Saved},
        {"another extension, its .lst there", {"mylist.txt"}, {"mylist.txt.lst"}, "mylist.txt.lst", IDNO, nullptr,
         SaveOutcome::Skipped},
        {"a name with a dot, its .lst there", {"my.list"}, {"my.list", "my.list.lst"}, "my.list.lst", IDYES,
         "my.list.lst", SaveOutcome::Saved},
        {"a path into a folder", {"sub\\mylist"}, {"sub\\", "sub\\mylist.lst"}, "sub\\mylist.lst", IDYES,
         "sub\\mylist.lst", SaveOutcome::Saved},
        {"a folder first, then a name", {"sub", "sub\\mylist"}, {"sub\\", "sub.lst"}, nullptr, 0, "sub\\mylist.lst",
         SaveOutcome::Saved},
        {"the .lst name is a folder", {"mylist"}, {"mylist.lst\\"}, nullptr, 0, nullptr, SaveOutcome::Failed},
    };
    for (const SaveAsCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder scratch;
        const std::string& folder = scratch.path();
        for (const std::string& e : c.existing) {
            if (e.back() == '\\') {
                ASSERT_TRUE(CreateDirectoryA((folder + e).c_str(), nullptr));
            } else {
                WriteFileBytes(folder + e, "old");
            }
        }
        NewList();
        AddRow(kLoose);
        CurrentList.Modified = 1;
        // The dialog opens in the folder of the list's file.
        CopyText(CurrentList.Path, sizeof CurrentList.Path, (folder + "start.lst").c_str());
        const std::string before = CurrentList.Path;
        DialogDriver driver;
        for (const std::string& t : c.typed) {
            const std::string typed = c.typed.size() > 1 ? folder + t : t;
            driver.On(dialog, [typed](HWND dlg) { TypeFileName(dlg, typed); });
        }
        if (c.asked) {
            const int answer = c.answer;
            driver.On(question, [answer](HWND box) { ClickButton(box, answer); });
            // No goes back to the dialog, which is then cancelled.
            if (answer == IDNO) driver.On(dialog, [](HWND dlg) { ClickButton(dlg, IDCANCEL); });
        }
        if (c.outcome == SaveOutcome::Failed)
            driver.On("リストファイル書き込みエラー", [](HWND box) { ClickButton(box, IDOK); });
        EXPECT_EQ(SaveListAs(), c.outcome);
        EXPECT_TRUE(driver.allHandled());
        std::vector<std::string> questions;
        for (const DialogDriver::Seen& seen : driver.seen())
            if (seen.caption == question) questions.push_back(seen.text);
        if (c.asked) {
            EXPECT_EQ(questions, std::vector<std::string>{folder + c.asked +
                                                          "\nこのﾌｧｲﾙはすでに存在します。\n\n上書きしますか？"});
        } else {
            EXPECT_TRUE(questions.empty());
        }
        // Only the written file changed; every other file keeps its bytes.
        for (const std::string& e : c.existing) {
            if (e.back() == '\\') continue;
            const bool isWritten = c.written && _stricmp(e.c_str(), c.written) == 0;
            EXPECT_EQ(ReadFileBytes(folder + e) == "old", !isWritten) << e;
        }
        if (c.written) {
            EXPECT_EQ(ReadFileBytes(folder + c.written).substr(0, 10), "Ver,3.00\r\n") << c.written;
            EXPECT_EQ(std::string(CurrentList.Path), folder + c.written);
            EXPECT_EQ(CurrentList.Modified, 0);
        } else {
            EXPECT_EQ(std::string(CurrentList.Path), before);
            EXPECT_EQ(CurrentList.Modified, 1);
        }
        EXPECT_FALSE(FileExists((folder + "start.lst").c_str()));
    }
}

TEST_F(ListFileTest, SaveStandardListAsksBeforeOverwriting) {
    AddRow(kLoose);
    std::string before = CurrentList.Path;
    EXPECT_EQ(SaveStandardList(), SaveOutcome::Saved);  // no file yet: no question
    EXPECT_TRUE(FileExists(standardList().c_str()));
    EXPECT_EQ(std::string(CurrentList.Path), before);
    EXPECT_EQ(WindowTitle(), "Zelvista　【zelvista.lst】");
    AddRow(kMember);
    {
        DialogDriver driver;
        driver.On("標準リストとして保存", [](HWND box) { ClickButton(box, IDNO); });
        EXPECT_EQ(SaveStandardList(), SaveOutcome::Skipped);
        ASSERT_EQ(driver.seen().size(), 1u);
        EXPECT_EQ(driver.seen()[0].text,
                  standardList() + "\nこのﾌｧｲﾙはすでに存在します。\n\n上書きしますか？");
    }
    NewList();
    LoadListFile(standardList().c_str());
    EXPECT_EQ(GetEntryRowCount(), 1);
}

}  // namespace
