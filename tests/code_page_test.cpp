// Zelvista on every language setting: the process's code page (932 through
// the manifest, or 1252 and 65001 where Windows ignores its request), names
// that code page 932 cannot write, and list files that keep every byte. The
// same tests run in each code page (tests/CMakeLists.txt); their outcomes
// are the same in each.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "adding_support.h"
#include "archive_support.h"
#include "app/installed_archives.h"
#include "app/main_window.h"
#include "app/session_end.h"
#include "app/toolbar.h"
#include "base/own_folder.h"
#include "base/path_names.h"
#include "base/program_paths.h"
#include "base/strings.h"
#include "base/text.h"
#include "base/wide.h"
#include "list/add_files.h"
#include "list/chosen_paths.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "list/list_recovery.h"
#include "res/resource.h"
#include "support/controls.h"
#include "support/fixture.h"

namespace {

// The code page the run asks for (tests/run_in_locale.sh); 932 otherwise.
UINT ExpectedCodePage() {
    const char* asked = std::getenv("ZELVISTA_TEST_CODE_PAGE");
    return asked && *asked ? static_cast<UINT>(std::atoi(asked)) : 932;
}

std::wstring W(const std::string& text) {
    return std::wstring(Wide(text).view());
}

// The long name of an existing file or folder, to compare two spellings.
std::wstring LongName(const std::wstring& path) {
    wchar_t full[MAX_PATH] = L"";
    const DWORD n = GetLongPathNameW(path.c_str(), full, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(full, n) : std::wstring();
}

// Names whose form in code page 932 differs: é (which 1252 writes and 932
// does not), a Korean name (neither does), Japanese (932 does, 1252 does not)
// and 表 (0x95 0x5C: its trail byte is a backslash).
struct NameCase {
    const wchar_t* name;
    bool writable;  // code page 932 writes it
};
const NameCase kNames[] = {
    {L"Caf\u00e9", false}, {L"Ren\u00e9", false}, {L"\u30b9\u30af\u30ea\u30fc\u30f3", true},  // スクリーン
    {L"\uce74\ud398", false},                                                       // 카페
    {L"\u8868\u793a", true},                                                        // 表示
};

// A scratch folder named in UTF-16: the tests' own paths are ASCII.
class WideScratch {
public:
    WideScratch() : scratch_(), wide_(W(scratch_.path())) {}
    const std::wstring& wide() const { return wide_; }
    // Makes the folders and the (empty) file of a path below the scratch folder.
    std::wstring Make(const std::wstring& relative, bool folder) const {
        std::wstring path = wide_;
        std::size_t at = 0;
        while (true) {
            const std::size_t end = relative.find(L'\\', at);
            if (end == std::wstring::npos) break;
            CreateDirectoryW((path + relative.substr(0, end)).c_str(), nullptr);
            at = end + 1;
        }
        path += relative;
        if (folder) {
            CreateDirectoryW(path.c_str(), nullptr);
        } else {
            Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
            EXPECT_TRUE(static_cast<bool>(file)) << Text932(path);
        }
        return path;
    }

private:
    ScratchFolder scratch_;
    std::wstring wide_;
};

// Short names are used again at the end of a test that turned them off.
struct NoShortNames {
    NoShortNames() { UseShortNames(false); }
    ~NoShortNames() { UseShortNames(true); }
};

// A folder search whose message about what it could not use is read into
// listed and closed; the search's result line is returned.
std::string RunFolderSearchReadingItsMessage(const SearchRequest& request, std::string& listed) {
    return RunFolderSearch(request, nullptr, [&listed](DialogDriver& driver) {
        driver.On("スクリーンセーバーの読み込みエラー", [&listed](HWND box) {
            listed = MessageBoxText(box);
            ClickButton(box, IDOK);
        });
    });
}

TEST(CodePage, TheProcessHasTheCodePageOfItsRun) {
    EXPECT_EQ(GetACP(), ExpectedCodePage());
}

// Every text of the string table is written in code page 932's characters:
// the program holds its texts in code page 932 (and a text that had another
// character would show '?').
TEST(CodePage, EveryTextOfTheTableIsCodePage932) {
    int texts = 0;
    for (unsigned id = 1; id < 0x10000; ++id) {
        const wchar_t* text = nullptr;
        const int n = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
        if (n <= 0 || !text) continue;
        ++texts;
        EXPECT_TRUE(WritableInCodePage932(std::wstring_view(text, static_cast<std::size_t>(n)))) << id;
    }
    EXPECT_GT(texts, 100);
}

// The decision for each name, in each code page: code page 932 writes it as
// it is, or the short name stands for it, or (on a volume without short
// names) the path is refused, naming the part that cannot be used. The split
// into folder and name always falls on a real separator.
TEST(CodePage, PathsAreNamedInCodePage932OrRefused) {
    WideScratch scratch;
    for (const NameCase& c : kNames) {
        SCOPED_TRACE(Text932(c.name));
        const std::wstring folder = scratch.Make(std::wstring(c.name) + L"\\", true);
        const std::wstring file = scratch.Make(std::wstring(c.name) + L"\\" + c.name + L".scr", false);

        const PathIn932 named = PathInCodePage932(file);
        ASSERT_TRUE(named.usable());
        EXPECT_EQ(named.outcome, c.writable ? PathNameOutcome::Exact : PathNameOutcome::ShortNames);
        EXPECT_EQ(named.path.find('?'), std::string::npos);
        char folderPart[256], namePart[256];
        ASSERT_TRUE(SplitFolderAndName(named.path.c_str(), folderPart, sizeof folderPart, namePart, sizeof namePart));
        // Each part names the same file or folder as the long name does.
        EXPECT_EQ(LongName(W(folderPart)), LongName(folder));
        EXPECT_EQ(LongName(W(named.path)), LongName(file));
        if (c.writable) {
            EXPECT_EQ(W(namePart), std::wstring(c.name) + L".scr");
        }

        NoShortNames none;
        const PathIn932 refused = PathInCodePage932(file);
        if (c.writable) {
            EXPECT_EQ(refused.outcome, PathNameOutcome::Exact);
        } else {
            EXPECT_EQ(refused.outcome, PathNameOutcome::Unusable);
            EXPECT_EQ(refused.path, "");
            // The outermost part that cannot be used: the folder.
            EXPECT_EQ(refused.unusablePart, scratch.wide() + c.name);
        }
    }
}

// The decision alone, with the short names a file system would give: a part
// whose short name code page 932 cannot write either is refused.
TEST(CodePage, ShortNamesMustBeWritableThemselves) {
    struct Case {
        const wchar_t* path;
        std::wstring (*lookup)(const std::wstring&);
        PathNameOutcome outcome;
        const char* named;
    };
    static auto kCafeShort = [](const std::wstring& p) -> std::wstring {
        return p.ends_with(L"Caf\u00e9") ? L"CAFE~1" : p.ends_with(L"\uce74\ud398") ? L"\uce74~1" : L"";
    };
    const Case cases[] = {
        {L"C:\\Outils\\Caf\u00e9\\Zelvista.exe", +kCafeShort, PathNameOutcome::ShortNames,
         "C:\\Outils\\CAFE~1\\Zelvista.exe"},
        {L"C:\\Outils\\Caf\u00e9\\", +kCafeShort, PathNameOutcome::ShortNames, "C:\\Outils\\CAFE~1\\"},
        {L"D:\\\uce74\ud398\\a.scr", +kCafeShort, PathNameOutcome::Unusable, ""},
        {L"\\\\server\\share\\\u8868\\a.scr", nullptr, PathNameOutcome::Exact, "\\\\server\\share\\\x95\x5c\\a.scr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Text932(c.path));
        const PathIn932 named = PathInCodePage932(c.path, c.lookup);
        EXPECT_EQ(named.outcome, c.outcome);
        EXPECT_EQ(named.path, c.named);
    }
}

// What the user hears about a name that cannot be used: which, and why.
TEST(CodePage, AChosenNameThatCannotBeUsedIsNamed) {
    WideScratch scratch;
    const std::wstring file = scratch.Make(L"\uce74\ud398\\Caf\u00e9.scr", false);
    DialogDriver driver;
    driver.On("スクリーンセーバーの読み込みエラー", [](HWND box) { ClickButton(box, IDOK); });
    NoShortNames none;
    std::string path = "unchanged";
    EXPECT_FALSE(ChosenPathIn932(nullptr, file, IDS_ADD_ERROR_CAPTION, path));
    EXPECT_EQ(path, "");
    ASSERT_EQ(driver.seen().size(), 1u);
    // The message names the folder in its own letters, read as Windows shows
    // it, and says why.
    const std::string& text = driver.seen()[0].text;
    EXPECT_EQ(text.find("次のファイルまたはフォルダーは使えません。\n" + Text932(scratch.wide() + L"\uce74\ud398") + "\n"), 0u)
        << text;
    EXPECT_NE(text.find("Shift_JIS"), std::string::npos);
}

using CodePageWindowTest = MainWindowTest;

// The program's own texts read in Japanese in the window, whatever the
// process's code page: the title and the column headings.
TEST_F(CodePageWindowTest, TitleAndHeadingsReadInJapanese) {
    EXPECT_EQ(WindowTextWide(MainWindow), L"Zelvista\u3000\u3010\u65b0\u898f\uff98\uff7d\uff84.lst\u3011");
    const wchar_t* const headings[] = {L"名前", L"切替秒数", L"フォルダ名", L"ファイルの種類", L"書庫ファイル名"};
    for (int i = 0; i < 5; ++i) {
        wchar_t text[64] = L"";
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = 64;
        ASSERT_TRUE(SendMessageW(EntryListView, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(text, headings[i]);
    }
}

// A list file comes back byte for byte: read, shown and written again, on
// every code page. Japanese names with trail bytes 0x5C, half-width katakana
// and the archive types.
TEST_F(CodePageWindowTest, ListFileRoundTripKeepsEveryByte) {
    ScratchFolder scratch;
    const std::string bytes =
        "Ver,3.00\r\n"
        "SCR,\x95\x5c\x8e\xa6.scr,0,C:\\\x83\x5c\x83\x74\x83\x67\\,\xbd\xb8\xd8\xb0\xdd\xbe\xb0\xca\xde\xb0,NULL,EOD\r\n"
        "SCR,Fish.scr,30,D:\\Saver\\,\x8f\x91\x8c\xc9(LZH),fish.lzh,EOF\r\n"
        "SCR,\xb1\xcc\xdf\xd8.scr,5,E:\\\x93\xfa\x96{\\,\x8f\x91\x8c\xc9(CAB),\x95\x5c.cab,EOF\r\n";
    WriteFileBytes(scratch.path() + "in.lst", bytes);
    ASSERT_EQ(LoadListFile((scratch.path() + "in.lst").c_str()), 1);
    ASSERT_EQ(GetEntryRowCount(), 3);
    ReadEntryRow(0);
    EXPECT_STREQ(CurrentEntry.type, "ｽｸﾘｰﾝｾｰﾊﾞｰ");
    EXPECT_STREQ(CurrentEntry.folder, "C:\\ソフト\\");
    ASSERT_EQ(SaveListFile((scratch.path() + "out.lst").c_str()), SaveOutcome::Saved);
    EXPECT_EQ(ReadFileBytes(scratch.path() + "out.lst"), bytes);
    // The title names the file as Windows shows it.
    EXPECT_EQ(WindowTextWide(MainWindow), L"Zelvista\u3000\u3010out.lst\u3011");
}

// Adding files whose names code page 932 cannot write: by their short names
// where the file system keeps them, so that they can be listed, played and
// stored; never with '?'.
TEST_F(CodePageWindowTest, NamesOutsideCodePage932AreAddedByShortNames) {
    WideScratch scratch;
    std::vector<std::wstring> files;
    for (const NameCase& c : kNames) files.push_back(scratch.Make(std::wstring(c.name) + L"\\" + c.name + L".scr", false));
    DropWideFiles(files);
    ASSERT_EQ(GetEntryRowCount(), static_cast<int>(files.size()));
    for (int row = 0; row < GetEntryRowCount(); ++row) {
        ReadEntryRow(row);
        SCOPED_TRACE(Text932(files[row]));
        const std::string path = std::string(CurrentEntry.folder) + CurrentEntry.name;
        EXPECT_EQ(path.find('?'), std::string::npos);
        EXPECT_EQ(LongName(W(path)), LongName(files[row]));
        EXPECT_STREQ(CurrentEntry.type, "ｽｸﾘｰﾝｾｰﾊﾞｰ");
    }
}

// The folder search walks folders by their own names and names what it adds
// in code page 932; without short names it says which it could not use.
TEST_F(CodePageWindowTest, FolderSearchNamesWhatItCannotUse) {
    WideScratch scratch;
    scratch.Make(L"tree\\plain.scr", false);
    scratch.Make(L"tree\\Caf\u00e9.scr", false);
    scratch.Make(L"tree\\Caf\u00e9.txt", false);  // none of ours: never mentioned
    scratch.Make(L"tree\\\uce74\ud398\\inside.scr", false);
    scratch.Make(L"tree\\\u8868\u793a\\\u8868.scr", false);
    const std::string tree = Text932(scratch.wide()) + "tree";
    SearchRequest request;
    request.folder = tree;
    request.subFolders = true;

    // With short names: everything of ours is added.
    RunFolderSearch(request);
    EXPECT_EQ(GetEntryRowCount(), 4);
    for (int row = 0; row < GetEntryRowCount(); ++row) {
        ReadEntryRow(row);
        const std::string path = std::string(CurrentEntry.folder) + CurrentEntry.name;
        EXPECT_NE(LongName(W(path)), L"") << path;
    }
    DeleteAllEntryRows();

    NoShortNames none;
    std::string listed;
    const std::string status = RunFolderSearchReadingItsMessage(request, listed);
    EXPECT_EQ(status, "2 個のファイルをリストに追加しました（名前に Shift_JIS で書けない文字があって使えないものが 2 個ありました）");
    EXPECT_EQ(GetEntryRowCount(), 2);
    // Which, and why: the file and the folder, in their own letters.
    EXPECT_NE(listed.find("Shift_JIS"), std::string::npos);
    EXPECT_NE(listed.find(Text932(scratch.wide() + L"tree\\Caf\u00e9.scr\n")), std::string::npos) << listed;
    EXPECT_NE(listed.find(Text932(scratch.wide() + L"tree\\\uce74\ud398\n")), std::string::npos) << listed;
}

// Archive members whose names code page 932 cannot write (a Hangul syllable
// and an emoji, stored as UTF-8) are counted and named by their archive when
// the archive is added, and in the folder search's result; never a silent skip.
TEST_F(CodePageWindowTest, ArchiveMembersWithoutACodePage932NameAreCounted) {
    InstalledLibraries libraries(true, true, true);
    ScratchFolder scratch;
    const std::string archive = scratch.path() + "utf8.zip";
    CopyArchiveFixture("zip_utf8.zip", archive);
    {
        DialogDriver driver;
        driver.On("スクリーンセーバーの読み込みエラー", [](HWND box) { ClickButton(box, IDOK); });
        AddChosenFile(archive.c_str(), InstalledArchives(), MainWindow, true);
        ASSERT_EQ(driver.seen().size(), 1u);
        EXPECT_EQ(driver.seen()[0].text, "書庫の中の 2 個のスクリーンセーバーは、名前に Shift_JIS（日本語の文字コード）で書けない"
                                         "文字があるため、リストに追加できませんでした。\n\n" + archive);
    }
    // The four whose names can be written are in the list.
    EXPECT_EQ(GetEntryRowCount(), 4);
    DeleteAllEntryRows();

    SearchRequest request;
    request.folder = scratch.path();
    request.archives = true;
    request.kinds[0] = request.kinds[1] = request.kinds[2] = true;
    std::string listed;
    const std::string status = RunFolderSearchReadingItsMessage(request, listed);
    EXPECT_EQ(status, "4 個のファイルをリストに追加しました（名前に Shift_JIS で書けない文字があって使えないものが 1 個ありました）");
    EXPECT_NE(listed.find(archive + "（書庫の中の 2 個のスクリーンセーバー）\n"), std::string::npos) << listed;
}

// The questions and notes that keep the user's work read in Japanese on every
// code page: the session end's save question naming a list in a Japanese
// folder (its Yes, No and Cancel must be told apart), and the status bar.
TEST_F(CodePageWindowTest, SaveQuestionAndStatusBarReadInJapanese) {
    CopyText(CurrentList.Path, sizeof CurrentList.Path, "C:\\\x95\x5c\x8e\xa6\\\x83\x8a\x83\x58\x83\x67.lst");
    DialogDriver driver;
    driver.On(LoadText(IDS_APP_TITLE), [](HWND box) { ClickButton(box, IDCANCEL); });
    EXPECT_EQ(AskToSaveChanges(MainWindow, 0), IDCANCEL);
    ASSERT_EQ(driver.seen().size(), 1u);
    EXPECT_EQ(W(driver.seen()[0].text), L"C:\\\u8868\u793a\\\u30ea\u30b9\u30c8.lst \u3078\u306e\u5909\u66f4\u3092\u4fdd\u5b58\u3057\u307e\u3059\u304b\uff1f");

    ShowStatusText("\x95\x5c\x8e\xa6\x82\xb5\x82\xdc\x82\xb7");  // 表示します
    wchar_t shown[64] = L"";
    ASSERT_LT(LOWORD(SendMessageW(MainChildren.statusBar, SB_GETTEXTLENGTHW, 0, 0)), 64);
    SendMessageW(MainChildren.statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ(shown, L"\u8868\u793a\u3057\u307e\u3059");
    ShowStatusText("");
}

// The list kept at the end of a session comes back under its Japanese name,
// offered in Japanese, whatever the process's code page.
TEST_F(CodePageWindowTest, TheKeptListIsOfferedAndTakenBackInJapanese) {
    const std::string path = "C:\\\x95\x5c\x8e\xa6\\\x83\x8a\x83\x58\x83\x67.lst";  // C:\表示\リスト.lst
    AddRow({"a.scr", "0", "C:\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""});
    CopyText(CurrentList.Path, sizeof CurrentList.Path, path.c_str());
    CurrentList.Named = 1;
    ASSERT_TRUE(KeepRecoveryList());
    NewList();
    DialogDriver driver;
    driver.On(LoadText(IDS_APP_TITLE), [](HWND box) { ClickButton(box, IDYES); });
    OfferRecoveryList();
    ASSERT_EQ(driver.seen().size(), 1u);
    EXPECT_EQ(W(driver.seen()[0].text), W(FormatText(IDS_RECOVERY_OFFER, path)));
    EXPECT_NE(W(driver.seen()[0].text).find(L"\nC:\\\u8868\u793a\\\u30ea\u30b9\u30c8.lst\n"), std::wstring::npos);
    EXPECT_EQ(std::string(CurrentList.Path), path);
    EXPECT_EQ(CurrentList.Modified, 1);
    EXPECT_EQ(GetEntryRowCount(), 1);
    EXPECT_EQ(WindowTextWide(MainWindow), L"Zelvista\u3000\u3010\u30ea\u30b9\u30c8.lst\u3011");
    EXPECT_FALSE(RecoveryListKept());
}

// The work folder is emptied in UTF-16: a file whose name code page 932
// cannot write goes too, and the mark stays.
TEST(CodePage, TheWorkFolderIsEmptiedWhateverTheNames) {
    WideScratch scratch;
    const std::string folder = Text932(scratch.wide()) + "work\\";
    ASSERT_EQ(MakeOwnFolder(folder.c_str()), OwnFolder::Ours);
    const std::wstring korean = scratch.Make(L"work\\\uce74\ud398.scr", false);
    const std::wstring japanese = scratch.Make(L"work\\\u8868\u793a.scr", false);
    EXPECT_TRUE(EmptyOwnFolder(folder.c_str()));
    EXPECT_EQ(GetFileAttributesW(korean.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(japanese.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(IsOwnFolder(folder.c_str()));
}

// The program started from a folder whose name code page 932 cannot write
// keeps everything it makes inside that folder (by its short name), never
// above it; without a short name it makes nothing and says why. This test
// program itself is started from such a folder, so the process's code page
// is the run's.
TEST(CodePage, ProgramFolderOutsideCodePage932) {
    const char* child = std::getenv("ZELVISTA_TEST_CHILD");
    if (child && *child) GTEST_SKIP() << "the child's own run";
    wchar_t self[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    ASSERT_TRUE(n > 0 && n < MAX_PATH);
    WideScratch scratch;
    for (const bool shortNames : {true, false}) {
        for (const wchar_t* name : {L"Caf\u00e9", L"\uce74\ud398", L"\u8868\u793a"}) {
            SCOPED_TRACE(Text932(name) + (shortNames ? " with short names" : " without short names"));
            const std::wstring outer = scratch.Make(std::wstring(shortNames ? L"s" : L"n") + L"\\", true);
            const std::wstring folder = scratch.Make(std::wstring(shortNames ? L"s\\" : L"n\\") + name + L"\\", true);
            const std::wstring copy = folder + L"zelvista_tests.exe";
            ASSERT_TRUE(CopyFileW(self, copy.c_str(), FALSE));
            const bool usable = shortNames || std::wstring(name) == L"\u8868\u793a";
            SetEnvironmentVariableW(L"ZELVISTA_TEST_CHILD", shortNames ? L"short" : L"none");
            SetEnvironmentVariableW(L"ZELVISTA_TEST_CHILD_USABLE", usable ? L"1" : L"0");
            std::wstring command = L"\"" + copy + L"\" --gtest_filter=CodePageChild.* --gtest_brief=1";
            STARTUPINFOW startup{};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION info{};
            ASSERT_TRUE(CreateProcessW(copy.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                       &startup, &info));
            SetEnvironmentVariableW(L"ZELVISTA_TEST_CHILD", nullptr);
            SetEnvironmentVariableW(L"ZELVISTA_TEST_CHILD_USABLE", nullptr);
            Handle process(info.hProcess), thread(info.hThread);
            ASSERT_EQ(WaitForSingleObject(process.get(), 120000), WAIT_OBJECT_0);
            DWORD code = 1;
            GetExitCodeProcess(process.get(), &code);
            EXPECT_EQ(code, 0u) << "the child's checks failed";
            // Made inside its folder when it could be used, else nothing at all;
            // never anything beside the folder.
            const DWORD work = GetFileAttributesW((folder + W(kWorkFolderName)).c_str());
            const DWORD store = GetFileAttributesW((folder + L"Scrnsave").c_str());
            EXPECT_EQ(work != INVALID_FILE_ATTRIBUTES, usable);
            EXPECT_EQ(store != INVALID_FILE_ATTRIBUTES, usable);
            EXPECT_EQ(FolderEntries(Text932(outer)).size(), 1u);
            RemoveTree(Text932(outer));
        }
    }
}

// The child's side: its folder as it found it.
TEST(CodePageChild, StartsInItsOwnFolder) {
    const char* mode = std::getenv("ZELVISTA_TEST_CHILD");
    if (!mode || !*mode) GTEST_SKIP() << "run by CodePage.ProgramFolderOutsideCodePage932";
    const bool usable = std::string(std::getenv("ZELVISTA_TEST_CHILD_USABLE")) == "1";
    UseShortNames(std::string(mode) == "short");
    DialogDriver driver;
    if (!usable) driver.On("Zelvista", [](HWND box) { ClickButton(box, IDOK); });
    // Made as the program makes it, but not shown: the child's windows stay
    // out of the way of the tests that follow.
    ASSERT_NE(CreateMainWindow(), nullptr);
    PumpMessages();
    wchar_t self[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self, n);
    folder.resize(folder.find_last_of(L'\\') + 1);
    if (usable) {
        EXPECT_TRUE(driver.allHandled());
        EXPECT_EQ(driver.seen().size(), 0u);
        EXPECT_EQ(AppPaths.ProgramFolder[std::strlen(AppPaths.ProgramFolder) - 1], '\\');
        EXPECT_EQ(LongName(W(AppPaths.ProgramFolder)), LongName(folder));
        EXPECT_EQ(LongName(W(AppPaths.WorkFolder)), LongName(folder + W(kWorkFolderName)));
        EXPECT_EQ(std::string(AppPaths.StandardListPath), std::string(AppPaths.ProgramFolder) + "zelvista.lst");
        // The standard list saves there and comes back.
        AddRow({"a.scr", "0", "C:\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""});
        EXPECT_EQ(SaveStandardList(), SaveOutcome::Saved);
        EXPECT_NE(GetFileAttributesW((folder + L"zelvista.lst").c_str()), INVALID_FILE_ATTRIBUTES);
    } else {
        ASSERT_EQ(driver.seen().size(), 1u);
        // Which folder, and why.
        EXPECT_NE(driver.seen()[0].text.find("Shift_JIS"), std::string::npos);
        EXPECT_EQ(AppPaths.ProgramFolder[0], '\0');
        EXPECT_EQ(AppPaths.WorkFolder[0], '\0');
        EXPECT_EQ(AppPaths.StandardListPath[0], '\0');
    }
    DestroyTestMainWindow();
    UseShortNames(true);
}

}  // namespace
