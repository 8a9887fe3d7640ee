// Adding one file: the classification by extension, what the list cannot
// hold, and the file dialog of the add command with its messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "adding_support.h"
#include "base/text.h"
#include "app/commands.h"
#include "app/installed_archives.h"
#include "app/main_window.h"
#include "archive_support.h"
#include "list/add_files.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "base/strings.h"
#include "res/resource.h"
#include "support/controls.h"
#include "support/fixture.h"
#include "support/ui.h"

namespace {

const char kLoose[] = "ｽｸﾘｰﾝｾｰﾊﾞｰ";
const char kErrorCaption[] = "スクリーンセーバーの読み込みエラー";

class AddFilesTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        folder_ = scratch_.path();
        CopyArchiveFixture("lzh_l2_lh5.lzh", folder_ + "pack.lzh");
        CopyArchiveFixture("zip_noscr.zip", folder_ + "none.zip");
        WriteFileBytes(folder_ + "broken.lzh", std::string(64, '\x55'));
        CopyArchiveFixture("zip_deflate.zip", folder_ + "PACK.ZIP");
        CopyArchiveFixture("cab_mszip.cab", folder_ + "pack.cab");
        CopyArchiveFixture("zip_deflate.zip", folder_ + "fake.txt");
        CopyArchiveFixture("zip_comma.zip", folder_ + "members.zip");
        CopyArchiveFixture("lzh_l2_lh5.lzh", folder_ + "a,b.lzh");
        MakeFile(folder_ + "Stars.SCR", "x");
        MakeFile(folder_ + "x,y.scr", "x");
        MakeFile(folder_ + "readme.txt", "x");
    }
    // A path of exactly `length` bytes in the scratch folder, its folders made.
    std::string PathOfLength(std::size_t length, const char* extension) {
        std::string path = folder_ + "long\\";
        while (path.size() + 60 < length) path += std::string(50, 'd') + "\\";
        MakeFolder(path);
        path += std::string(length - path.size() - std::strlen(extension), 'n') + extension;
        MakeFile(path, "x");
        return path;
    }

    ScratchFolder scratch_;
    std::string folder_;
};

TEST_F(AddFilesTest, ClassificationByExtension) {
    InstalledLibraries libraries(true, true, true);
    ArchiveGate all, none;
    for (bool& open : all.open) open = true;
    ArchiveGate zipOnly;
    zipOnly.open[1] = true;
    const std::string f = folder_;
    const std::vector<Row> lzhRows = {{"SAVER1.SCR", "0", f, "書庫(LZH)", "pack.lzh"},
                                      {"Lower.scr", "0", f, "書庫(LZH)", "pack.lzh"},
                                      {"Deep.Scr", "0", f, "書庫(LZH)", "pack.lzh"}};
    const std::string path255 = PathOfLength(255, ".scr");
    const std::string path256 = PathOfLength(256, ".scr");
    const struct {
        const char* name;
        std::string path;
        ArchiveGate gate;
        std::vector<Row> rows;  // sorted as the library gives them is not fixed: compared as sets
        int refused;
        Refusal refusal;
    } cases[] = {
        {"extension in lower case", "C:\\Savers\\Stars.SCR", none, {{"Stars.scr", "0", "C:\\Savers\\", kLoose, ""}}, 0, Refusal::None},
        {".scrx is a screen saver", "C:\\Savers\\Wide.SCRX", none, {{"Wide.scrx", "0", "C:\\Savers\\", kLoose, ""}}, 0, Refusal::None},
        {"double-byte names", "C:\\\x95\x5c\\\x95\x5c\x8e\xa6.SCR", none,
         {{"\x95\x5c\x8e\xa6.scr", "0", "C:\\\x95\x5c\\", kLoose, ""}}, 0, Refusal::None},
        {"LZH members", f + "pack.lzh", all, lzhRows, 0, Refusal::None},
        {"LZH not let through", f + "pack.lzh", zipOnly, {}, 0, Refusal::None},
        {"ZIP, extension in capitals", f + "PACK.ZIP", zipOnly,
         {{"SAVER1.SCR", "0", f, "書庫(ZIP)", "PACK.ZIP"}, {"Lower.scr", "0", f, "書庫(ZIP)", "PACK.ZIP"},
          {"Deep.Scr", "0", f, "書庫(ZIP)", "PACK.ZIP"}}, 0, Refusal::None},
        {"CAB members", f + "pack.cab", all,
         {{"SAVER1.SCR", "0", f, "書庫(CAB)", "pack.cab"}, {"Lower.scr", "0", f, "書庫(CAB)", "pack.cab"},
          {"Deep.Scr", "0", f, "書庫(CAB)", "pack.cab"}}, 0, Refusal::None},
        {"an archive named otherwise is never opened", f + "fake.txt", all, {}, 0, Refusal::None},
        {"other files", f + "readme.txt", all, {}, 0, Refusal::None},
        {"no extension", "C:\\Savers\\scr", all, {}, 0, Refusal::None},
        {"comma in the name", "C:\\Savers\\x,y.scr", all, {}, 1, Refusal::Comma},
        {"comma in the folder", "C:\\a,b\\x.scr", all, {}, 1, Refusal::Comma},
        {"comma in an archive's name", f + "a,b.lzh", all, {}, 1, Refusal::Comma},
        {"comma in a member's name", f + "members.zip", all, {{"Plain.scr", "0", f, "書庫(ZIP)", "members.zip"}}, 1,
         Refusal::None},
        {"255 bytes fit", path255, none,
         {{path255.substr(FileNameOffset(path255.c_str())), "0", path255.substr(0, FileNameOffset(path255.c_str())),
           kLoose, ""}}, 0, Refusal::None},
        {"256 bytes do not", path256, none, {}, 1, Refusal::TooLong},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NewList();
        CurrentList.Modified = 0;
        AddResult result = AddFileToList(c.path.c_str(), c.gate, InstalledArchives(), MainWindow);
        std::vector<Row> rows = ReadAllRows();
        std::vector<Row> expected = c.rows;
        auto byTexts = [](const Row& a, const Row& b) {
            return std::tie(a.name, a.seconds, a.folder, a.type, a.archive) <
                   std::tie(b.name, b.seconds, b.folder, b.type, b.archive);
        };
        std::sort(rows.begin(), rows.end(), byTexts);
        std::sort(expected.begin(), expected.end(), byTexts);
        EXPECT_EQ(rows, expected);
        EXPECT_EQ(result.added, static_cast<int>(c.rows.size()));
        EXPECT_EQ(result.refused, c.refused);
        EXPECT_EQ(result.refusal, c.refusal);
        EXPECT_EQ(CurrentList.Modified, c.rows.empty() ? 0 : 1);
    }
    // The same file twice gives two equal rows.
    NewList();
    AddFileToList("C:\\Savers\\Stars.SCR", none, InstalledArchives(), MainWindow);
    AddFileToList("C:\\Savers\\Stars.SCR", none, InstalledArchives(), MainWindow);
    const std::vector<Row> twice = ReadAllRows();
    ASSERT_EQ(twice.size(), 2u);
    EXPECT_EQ(twice[0], twice[1]);
}

// Command 6101 through the real file dialog: what is added, and the message
// for everything that is not.
TEST_F(AddFilesTest, FileDialogAddsOrSaysWhy) {
    const std::string f = folder_;
    const std::string tooLong = PathOfLength(258, ".scr");
    const struct {
        const char* name;
        std::string file;
        bool libraries;
        int rows;
        std::string message;  // empty: no message
    } cases[] = {
        {"a screen saver", f + "Stars.SCR", false, 1, ""},
        {"LZH without unlha32.dll", f + "pack.lzh", false, 0, "unlha32.dllがインストールされていません"},
        {"ZIP without unzip32.dll", f + "PACK.ZIP", false, 0, "unzip32.dllがインストールされていません"},
        {"CAB without cab32.dll", f + "pack.cab", false, 0, "cab32.dllがインストールされていません"},
        {"LZH with its library", f + "pack.lzh", true, 3, ""},
        {"a comma in the name", f + "x,y.scr", true, 0, FormatText(IDS_REFUSED_COMMA, f + "x,y.scr")},
        {"a member with a comma", f + "members.zip", true, 1, FormatText(IDS_REFUSED_MEMBERS, "1", f + "members.zip")},
        {"a path over 255 bytes", tooLong, true, 0, FormatText(IDS_REFUSED_TOO_LONG, tooLong)},
        {"not a screen saver", f + "readme.txt", true, 0, FormatText(IDS_NOT_A_SAVER, f + "readme.txt")},
        {"a damaged archive", f + "broken.lzh", true, 0, FormatText(IDS_ARCHIVE_UNREADABLE, f + "broken.lzh")},
        {"an archive without screen savers", f + "none.zip", true, 0, FormatText(IDS_NO_SAVERS_IN_ARCHIVE, f + "none.zip")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InstalledLibraries libraries(c.libraries, c.libraries, c.libraries);
        NewList();
        CurrentList.Modified = 0;
        std::vector<std::string> filters;
        DialogDriver driver;
        driver.On("スクリーンセーバーの読み込み", [&](HWND dialog) {
            HWND types = GetDlgItem(dialog, 0x470);  // the file type box
            for (int i = 0; i < SendMessageA(types, CB_GETCOUNT, 0, 0); ++i) {
                wchar_t text[128] = L"";
                SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                filters.push_back(Text932(text));
            }
            TypeFileName(dialog, c.file);
        });
        if (!c.message.empty()) driver.On(kErrorCaption, [](HWND box) { ClickButton(box, IDOK); });
        SendMessageA(MainWindow, WM_COMMAND, kCmdAddFile, 0);
        EXPECT_TRUE(driver.allHandled());
        EXPECT_EQ(filters, (std::vector<std::string>{"ｽｸﾘｰﾝｾｰﾊﾞｰ", "全ての対象ファイル (*.*)"}));
        EXPECT_EQ(GetEntryRowCount(), c.rows);
        EXPECT_EQ(CurrentList.Modified, c.rows ? 1 : 0);
        if (!c.message.empty()) {
            ASSERT_EQ(driver.seen().size(), 2u);
            EXPECT_EQ(driver.seen()[1].text, c.message);
        }
    }
}

}  // namespace
