// The archive adapter over the built libraries: where it finds them, what it
// loads, the rows it adds to the list view, and extraction.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "app/main_window.h"
#include "base/files.h"
#include "base/program_paths.h"
#include "base/text.h"
#include "archive/archiver.h"
#include "archive_support.h"
#include "support/files.h"
#include "support/fixture.h"
#include "support/rows.h"
#include "support/ui.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "list/list_format.h"
#include "list/member_rows.h"

namespace {

// The main window as the program makes it, with the program's folders
// pointed at scratch folders for one test and put back after.
class ArchiveAdapter : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_NE(MainWindow, nullptr);
        saved_ = Saved{};
        GetCurrentDirectoryA(sizeof savedCurrent_, savedCurrent_);
        system_ = scratch_.path() + "system";
        windows_ = scratch_.path() + "\x95\x5c";  // a folder name ending in byte 0x5C
        program_ = scratch_.path() + "program\\";
        current_ = scratch_.path() + "current\\";
        for (const std::string& f : {system_, windows_, program_, current_}) CreateDirectoryA(f.c_str(), nullptr);
        CopyText(AppPaths.SystemFolder, sizeof AppPaths.SystemFolder, system_.c_str());
        CopyText(AppPaths.WindowsFolder, sizeof AppPaths.WindowsFolder, windows_.c_str());
        CopyText(AppPaths.ProgramFolder, sizeof AppPaths.ProgramFolder, program_.c_str());
        SetCurrentDirectoryA(current_.c_str());
        DeleteAllEntryRows();
        CurrentList.Modified = 0;
    }
    void TearDown() override {
        SetCurrentDirectoryA(savedCurrent_);
        saved_.Restore();
        DeleteAllEntryRows();
        CurrentList.Modified = 0;
        MainWindowTest::TearDown();
    }
    // Installs all three libraries in the program folder and records them as present.
    void InstallAll() {
        ASSERT_NO_FATAL_FAILURE(CopyBuiltLibraries(program_));
        for (int i = 0; i < kArchiverCount; ++i) Archivers.Present[i] = IsArchiverPresent(i);
    }
    // The records the test points elsewhere, put back afterwards.
    struct Saved {
        ProgramPaths paths = AppPaths;
        ArchiverLibraries archivers = Archivers;
        void Restore() const {
            AppPaths = paths;
            Archivers = archivers;
        }
    };

    ScratchFolder scratch_;
    std::string system_, windows_, program_, current_;
    Saved saved_;
    char savedCurrent_[MAX_PATH] = {};
};

// Lists the archive's members as the file dialog path does (or as the
// folder search does, given its boxes) and appends their rows.
void AddMembers(int index, const std::string& path, const FolderSearchBoxes* folderSearch = nullptr) {
    AppendArchiveMemberRows(ListArchiveMembers(index, path.c_str(), MainWindow, folderSearch), path.c_str(),
                            kArchiveTypeText[index]);
}

int Extract(int index, const std::string& archive, const std::string& member, const std::string& folder) {
    return ExtractMember(index, archive.c_str(), member.c_str(), folder.c_str(), MainWindow);
}

bool ModuleLoaded(const std::string& path) {
    return GetModuleHandleA(path.c_str()) != nullptr;
}

TEST_F(ArchiveAdapter, PresenceLooksInSystemWindowsAndProgramFoldersOnly) {
    ASSERT_TRUE(CopyFileTo(ArchiverDll("unzip32.dll"), windows_ + "\\unzip32.dll"));
    ASSERT_TRUE(CopyFileTo(ArchiverDll("cab32.dll"), program_ + "cab32.dll"));
    ASSERT_TRUE(CopyFileTo(ArchiverDll("unlha32.dll"), current_ + "unlha32.dll"));  // the current folder does not count
    EXPECT_EQ(IsArchiverPresent(0), 0);
    EXPECT_STREQ(Archivers.LibraryPath[0], "");
    EXPECT_EQ(IsArchiverPresent(1), 1);
    EXPECT_EQ(std::string(Archivers.LibraryPath[1]), windows_ + "\\unzip32.dll");
    EXPECT_EQ(IsArchiverPresent(2), 1);
    EXPECT_EQ(std::string(Archivers.LibraryPath[2]), program_ + "cab32.dll");
    EXPECT_EQ(IsArchiverPresent(3), 0);
    EXPECT_EQ(IsArchiverPresent(-1), 0);
}

// The copy in the program folder is the one loaded whenever it is there: an
// older copy in the system or Windows folder may not load into this program
// at all (here: a file that is no library), and the archives would not list.
TEST_F(ArchiveAdapter, LibraryInTheProgramFolderIsPreferred) {
    const struct {
        const char* name;
        bool inSystem, inWindows, inProgram;
        const std::string* loadedFrom;  // folder of the copy found
    } cases[] = {
        {"system and program folder", true, false, true, &program_},
        {"Windows and program folder", false, true, true, &program_},
        {"program folder only", false, false, true, &program_},
        {"system folder only", true, false, false, &system_},
    };
    // The library's path in a folder, joined as the adapter joins it.
    auto dllIn = [](const std::string& folder) {
        return folder + (EndsWithSeparator(folder.c_str()) ? "" : "\\") + "unzip32.dll";
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::string* folder : {&system_, &windows_, &program_}) DeleteFileA(dllIn(*folder).c_str());
        // Beside the program the real library; elsewhere an unloadable copy,
        // unless it is the only one.
        if (c.inSystem) WriteFileBytes(dllIn(system_), "an old library");
        if (c.inWindows) WriteFileBytes(dllIn(windows_), "an old library");
        const std::string real = dllIn(c.inProgram ? program_ : *c.loadedFrom);
        ASSERT_TRUE(CopyFileTo(ArchiverDll("unzip32.dll"), real));
        ASSERT_EQ(IsArchiverPresent(1), 1);
        Archivers.Present[1] = 1;
        EXPECT_EQ(std::string(Archivers.LibraryPath[1]), dllIn(*c.loadedFrom));
        EXPECT_EQ(GetArchiverVersion(1), 100);
        EXPECT_EQ(ListArchiveMembers(1, ArchiveFixture("zip_deflate.zip").c_str(), MainWindow).size(), 3u);
    }
}

// A library of the same name planted in the current folder is never loaded:
// the planted file here is cab32.dll renamed, which has no UnZipGetVersion.
TEST_F(ArchiveAdapter, LoadsOnlyTheLibraryFoundAtStartUp) {
    ASSERT_TRUE(CopyFileTo(ArchiverDll("cab32.dll"), current_ + "unzip32.dll"));
    EXPECT_EQ(IsArchiverPresent(1), 0);
    EXPECT_EQ(GetArchiverVersion(1), 0);
    EXPECT_FALSE(LoadArchiver(1));
    EXPECT_FALSE(ModuleLoaded(current_ + "unzip32.dll"));

    ASSERT_TRUE(CopyFileTo(ArchiverDll("unzip32.dll"), program_ + "unzip32.dll"));
    ASSERT_EQ(IsArchiverPresent(1), 1);
    EXPECT_EQ(GetArchiverVersion(1), 100);
    EXPECT_FALSE(ModuleLoaded(program_ + "unzip32.dll")) << "released after the operation";
    char loaded[MAX_PATH] = {};
    {
        ModuleHandle library = LoadArchiver(1);
        ASSERT_TRUE(library);
        GetModuleFileNameA(library.get(), loaded, sizeof loaded);
    }
    EXPECT_FALSE(ModuleLoaded(program_ + "unzip32.dll")) << "released with its owner";
    EXPECT_EQ(lstrcmpiA(loaded, (program_ + "unzip32.dll").c_str()), 0) << loaded;
}

// An edited list file could smuggle a quote into the archive path and move
// the destination; such an extraction is not run.
TEST_F(ArchiveAdapter, QuotesInExtractionArgumentsAreRefused) {
    InstallAll();
    ScratchFolder elsewhereFolder;
    const std::string& elsewhere = elsewhereFolder.path();
    const std::string archive = ArchiveFixture("lzh_l2_lh5.lzh");
    EXPECT_EQ(Extract(0, archive + "\" " + elsewhere + " \"x", "saver1.scr", AppPaths.WorkFolder), -1);
    EXPECT_EQ(Extract(0, archive, "saver1.scr\" \"x", AppPaths.WorkFolder), -1);
    EXPECT_FALSE(FileExists((elsewhere + "saver1.scr").c_str()));
}

// An empty or relative destination (a program folder too long to form the
// work folder leaves it empty) would extract into the current folder.
TEST_F(ArchiveAdapter, EmptyOrRelativeDestinationsAreRefused) {
    InstallAll();
    // The fixture made current_ (empty) the current folder.
    const std::string archive = ArchiveFixture("lzh_l2_lh5.lzh");
    for (const char* destination : {"", "sub\\", "\\sub\\", "C:sub\\"}) {
        SCOPED_TRACE(destination);
        EXPECT_EQ(Extract(0, archive, "saver1.scr", destination), -1);
    }
    EXPECT_EQ(FolderEntries(current_), std::vector<std::string>{});
    EXPECT_EQ(Extract(0, archive, "saver1.scr", current_), 0) << "a full path still extracts";
}

TEST_F(ArchiveAdapter, ListingAddsOneRowPerScreenSaverMember) {
    InstallAll();
    const std::string folder = ArchiveFixture("");
    const struct {
        int index;
        const char* archive;
        std::vector<std::string> names;  // lower case, sorted
        const char* type;
    } cases[] = {
        {0, "lzh_l2_lh5.lzh", {"deep.scr", "lower.scr", "saver1.scr"}, "書庫(LZH)"},
        {0, "lzh_folders.lzh", {"deep.scr", "lower.scr", "saver1.scr"}, "書庫(LZH)"},
        {1, "zip_folders.zip", {"deep.scr", "empty.scr", "lower.scr", "saver1.scr"}, "書庫(ZIP)"},
        {1, "zip_cp932.zip", {"\x93\xfa\x96{\x8c\xea\x83Z\x81[\x83o\x81[.scr", "\x95\x5c\x8e\xa6.scr"}, "書庫(ZIP)"},
        {2, "cab_mszip.cab", {"deep.scr", "lower.scr", "saver1.scr"}, "書庫(CAB)"},
        {1, "zip_noscr.zip", {}, ""},
        {1, "not_an_archive.txt", {}, ""},
        {0, "zip_deflate.zip", {}, ""},
        {2, "truncated_cab_mszip.cab", {}, ""},
    };
    for (const auto& c : cases) {
        DeleteAllEntryRows();
        CurrentList.Modified = 0;
        AddMembers(c.index, folder + c.archive);
        std::vector<std::string> names;
        for (const Row& r : ReadAllRows()) {
            names.push_back(LowerAscii(r.name));
            EXPECT_EQ(r.seconds, "0");
            EXPECT_EQ(r.folder, folder);
            EXPECT_EQ(r.type, c.type);
            EXPECT_EQ(r.archive, c.archive);
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.names) << c.archive;
        EXPECT_EQ(CurrentList.Modified, c.names.empty() ? 0 : 1) << c.archive;
    }
}

// A library whose FindNext never reports the end: the listing stops at the member count.
TEST_F(ArchiveAdapter, ListingEndsAtTheMemberCount) {
    ASSERT_TRUE(CopyFileTo(ArchiverTestLibrary("unzip32.dll"), program_ + "unzip32.dll"));
    Archivers.Present[1] = IsArchiverPresent(1);
    ASSERT_EQ(GetArchiverVersion(1), 42);
    AddMembers(1, ArchiveFixture("zip_deflate.zip"));
    const auto rows = ReadAllRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "a.scr");
    EXPECT_EQ(rows[1].name, "b.scr");
}

TEST_F(ArchiveAdapter, RowsAreAppendedAfterExistingOnes) {
    InstallAll();
    AddMembers(0, ArchiveFixture("lzh_l2_lh7.lzh"));
    AddMembers(2, ArchiveFixture("cab_plain.cab"));
    const auto rows = ReadAllRows();
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].archive, "lzh_l2_lh7.lzh");
    EXPECT_EQ(rows[5].archive, "cab_plain.cab");
}

// The file dialog path follows the presence flag; the folder search follows its own boxes.
TEST_F(ArchiveAdapter, ListingGate) {
    InstallAll();
    const std::string zip = ArchiveFixture("zip_deflate.zip");
    Archivers.Present[1] = 0;
    AddMembers(1, zip);
    EXPECT_EQ(GetEntryRowCount(), 0) << "missing library on the file dialog path";

    FolderSearchBoxes boxes;
    AddMembers(1, zip, &boxes);
    EXPECT_EQ(GetEntryRowCount(), 0) << "no folder search boxes to ask";
    boxes.allowsArchive = [](int index) { return index == 1 ? 1 : 0; };
    AddMembers(1, zip, &boxes);
    EXPECT_EQ(GetEntryRowCount(), 3) << "folder search with the ZIP box ticked";
    AddMembers(0, ArchiveFixture("lzh_l2_lh5.lzh"), &boxes);
    EXPECT_EQ(GetEntryRowCount(), 3) << "folder search with the LZH box not ticked";
}

TEST_F(ArchiveAdapter, ExtractMemberLeavesThePlainFileInTheFolder) {
    InstallAll();
    const struct {
        int index;
        const char* archive;
        const char* member;
        const char* expected;
    } cases[] = {
        {0, "lzh_l1_lh6.lzh", "Deep.Scr", "sub\\deeper\\Deep.Scr"},
        {1, "zip_deflate.zip", "Lower.scr", "sub\\Lower.scr"},
        {2, "cab_mszip.cab", "SAVER1.SCR", "SAVER1.SCR"},
    };
    for (const auto& c : cases) {
        ScratchFolder dest;
        const std::string archive = ArchiveFixture(c.archive);
        EXPECT_EQ(Extract(c.index, archive, c.member, dest.path()), 0) << c.archive;
        EXPECT_EQ(FolderEntries(dest.path()), std::vector<std::string>{c.member}) << c.archive;
        EXPECT_TRUE(ReadFileBytes(dest.path() + c.member) ==
                    ReadFileBytes(ArchiveFixture(std::string("expected\\") + c.archive + "\\" + c.expected)));
        EXPECT_NE(Extract(c.index, archive, "missing.scr", dest.path()), 0) << c.archive;
    }
    // A command line that would not fit is not cut and not run.
    ScratchFolder dest;
    const std::string longName(1000, 'x');
    EXPECT_EQ(Extract(1, ArchiveFixture("zip_deflate.zip"), longName + ".scr", dest.path()), -1);
    EXPECT_TRUE(FolderEntries(dest.path()).empty());
}

}  // namespace
