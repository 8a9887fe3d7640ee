// unlha32.dll, unzip32.dll and cab32.dll through their exported functions,
// on archives made by lha, 7zz and gcab.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "base/handles.h"
#include "archive_support.h"
#include "archiver_interface.h"
#include "cabinet_writer.h"
#include "support/files.h"
#include "support/heap_use.h"
#include "support/ui.h"

namespace {

using Library = ArchiverLibraryInterface;
const Library& kLha = kArchiverLibraries[0];
const Library& kZip = kArchiverLibraries[1];
const Library& kCab = kArchiverLibraries[2];

// The eight exports of one library, loaded by full path.
class Exports {
public:
    explicit Exports(const Library& library) : library_(library) {
        module_.reset(LoadLibraryA(ArchiverDll(library.fileName).c_str()));
    }
    bool loaded() const { return static_cast<bool>(module_); }
    template <typename F>
    F get(const char* suffix) const {
        const std::string name = std::string(library_.prefix) + suffix;
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_.get(), name.c_str())));
    }
    BOOL Check(const std::string& path) const {
        return get<ArchiverCheckArchiveFunction>(kCheckArchiveSuffix)(path.c_str(), CHECKARCHIVE_BASIC);
    }
    int Count(const std::string& path) const { return get<ArchiverGetFileCountFunction>(kGetFileCountSuffix)(path.c_str()); }
    HARC Open(const std::string& path) const {
        return get<ArchiverOpenArchiveFunction>(kOpenArchiveSuffix)(nullptr, path.c_str(), 0);
    }
    int First(HARC h, const char* wildcard, void* record) const {
        return get<ArchiverFindFirstFunction>(kFindFirstSuffix)(h, wildcard, static_cast<INDIVIDUALINFO*>(record));
    }
    int Next(HARC h, void* record) const {
        return get<ArchiverFindNextFunction>(kFindNextSuffix)(h, static_cast<INDIVIDUALINFO*>(record));
    }
    int Close(HARC h) const { return get<ArchiverCloseArchiveFunction>(kCloseArchiveSuffix)(h); }
    WORD Version() const { return get<ArchiverGetVersionFunction>(kGetVersionSuffix)(); }
    // The command function's result; what it wrote goes to *said when asked.
    int Extract(const std::string& archive, const std::string& dest, const std::string& member,
                std::string* said = nullptr) const {
        const std::string line = std::string(library_.extractSwitches) + " \"" + archive + "\" \"" + dest + "\" \"" + member + "\"";
        char output[1024] = "";
        const int result = get<ArchiverCommandFunction>(kCommandSuffix)(nullptr, line.c_str(), output, sizeof output);
        if (said) *said = output;
        return result;
    }

    // Member names FindFirst/FindNext report for `wildcard`; also checks that the
    // record stays within 560 bytes and that the end is final.
    std::vector<std::string> List(const std::string& path, const char* wildcard) const {
        std::vector<std::string> names;
        HARC h = Open(path);
        EXPECT_NE(h, nullptr) << path;
        if (!h) return names;
        unsigned char record[600];
        std::memset(record, 0xCC, sizeof record);
        for (int r = First(h, wildcard, record); r != -1; r = Next(h, record)) {
            EXPECT_EQ(r, 0);
            names.emplace_back(reinterpret_cast<const char*>(record + kMemberNameOffset));
            if (names.size() > 100) break;
        }
        EXPECT_EQ(Next(h, record), -1) << "after the end";
        EXPECT_EQ(Next(h, record), -1) << "after the end, again";
        for (size_t i = kMemberRecordSize; i < sizeof record; ++i)
            EXPECT_EQ(record[i], 0xCC) << "record written past 560 bytes";
        Close(h);
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    const Library& library_;
    ModuleHandle module_;
};

// A file whose name may have no code page 932 form (as 7zz wrote it).
std::string ReadFileBytesW(const std::wstring& path) {
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (file && ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

std::vector<std::string> Lower(std::vector<std::string> v) {
    for (auto& s : v) s = LowerAscii(s);
    std::sort(v.begin(), v.end());
    return v;
}

TEST(ArchiverLibraries, ExportVersionTimesHundred) {
    for (const Library* l : {&kLha, &kZip, &kCab}) {
        Exports e(*l);
        ASSERT_TRUE(e.loaded()) << l->fileName;
        EXPECT_EQ(e.Version(), 100) << l->fileName;
    }
}

struct ListCase {
    const Library* library;
    const char* archive;
    int count;
    std::vector<std::string> scrMembers;  // lower case, sorted
};

TEST(ArchiverLibraries, ListScreenSaverMembers) {
    const std::vector<std::string> standard = {"saver1.scr", "sub\\deeper\\deep.scr", "sub\\lower.scr"};
    const ListCase cases[] = {
        {&kLha, "lzh_l0_lh5.lzh", 5, standard},
        {&kLha, "lzh_l1_lh6.lzh", 5, standard},
        {&kLha, "lzh_l2_lh7.lzh", 5, standard},
        {&kLha, "lzh_l2_lh0.lzh", 5, standard},
        {&kLha, "lzh_folders.lzh", 3, standard},
        {&kLha, "lzh_noscr.lzh", 2, {}},
        {&kZip, "zip_stored.zip", 5, standard},
        {&kZip, "zip_deflate.zip", 5, standard},
        {&kZip, "zip_folders.zip", 4, {"empty.scr", "saver1.scr", "sub\\deeper\\deep.scr", "sub\\lower.scr"}},
        {&kZip, "zip_noscr.zip", 2, {}},
        {&kZip, "zip_cp932.zip", 2, {"\x93\xfa\x96{\x8c\xea\x83Z\x81[\x83o\x81[.scr", "\x95\x5c\x8e\xa6.scr"}},
        {&kCab, "cab_plain.cab", 5, standard},
        {&kCab, "cab_mszip.cab", 5, standard},
        {&kCab, "cab_utf8.cab", 1, {"\x95\x5c\x8e\xa6.scr"}},
    };
    for (const ListCase& c : cases) {
        Exports e(*c.library);
        const std::string path = ArchiveFixture(c.archive);
        EXPECT_NE(e.Check(path), 0) << c.archive;
        EXPECT_EQ(e.Count(path), c.count) << c.archive;
        std::vector<std::string> want = c.scrMembers;
        std::sort(want.begin(), want.end());
        EXPECT_EQ(Lower(e.List(path, "*.SCR")), want) << c.archive;
        EXPECT_EQ(static_cast<int>(e.List(path, "*.*").size()), c.count) << c.archive;
    }
}

TEST(ArchiverLibraries, RejectWhatIsNotTheirKind) {
    const std::pair<const Library*, const char*> cases[] = {
        {&kLha, "not_an_archive.txt"}, {&kLha, "zip_deflate.zip"}, {&kLha, "truncated_lzh_l2_lh5.lzh"},
        {&kZip, "not_an_archive.txt"}, {&kZip, "lzh_l2_lh5.lzh"},  {&kZip, "truncated_zip_deflate.zip"},
        {&kCab, "not_an_archive.txt"}, {&kCab, "zip_deflate.zip"}, {&kLha, "no_such_file.lzh"},
    };
    for (const auto& [library, name] : cases) {
        Exports e(*library);
        EXPECT_EQ(e.Check(ArchiveFixture(name)), 0) << library->fileName << " " << name;
        EXPECT_LE(e.Count(ArchiveFixture(name)), 0) << library->fileName << " " << name;
        EXPECT_EQ(e.Open(ArchiveFixture(name)), nullptr) << library->fileName << " " << name;
    }
    Exports zip(kZip);
    INDIVIDUALINFO record;
    EXPECT_EQ(zip.First(reinterpret_cast<HARC>(0x1234), "*.SCR", &record), -1) << "unknown handle";
}

// Extraction as the program asks for it: the plain member name, into a
// destination folder, which then holds exactly that one file.
TEST(ArchiverLibraries, ExtractOneMemberUnderItsPlainName) {
    const struct {
        const Library* library;
        const char* archive;
        const char* member;
        const char* expected;  // path in the oracle tool's output folder
    } cases[] = {
        {&kLha, "lzh_l0_lh5.lzh", "Deep.Scr", "sub\\deeper\\Deep.Scr"},
        {&kLha, "lzh_l1_lh7.lzh", "Lower.scr", "sub\\Lower.scr"},
        {&kLha, "lzh_l2_lh6.lzh", "SAVER1.SCR", "saver1.scr"},
        {&kLha, "lzh_l2_lh0.lzh", "saver1.scr", "saver1.scr"},
        {&kZip, "zip_stored.zip", "Lower.scr", "sub\\Lower.scr"},
        {&kZip, "zip_deflate.zip", "SAVER1.SCR", "SAVER1.SCR"},
        {&kZip, "zip_folders.zip", "Deep.Scr", "sub\\deeper\\Deep.Scr"},
        {&kZip, "zip_folders.zip", "empty.scr", "empty.scr"},
        {&kCab, "cab_plain.cab", "Deep.Scr", "sub\\deeper\\Deep.Scr"},
        {&kCab, "cab_mszip.cab", "Lower.scr", "sub\\Lower.scr"},
        {&kCab, "cab_mszip.cab", "SAVER1.SCR", "SAVER1.SCR"},
    };
    for (const auto& c : cases) {
        Exports e(*c.library);
        ScratchFolder dest;
        EXPECT_EQ(e.Extract(ArchiveFixture(c.archive), dest.path(), c.member), 0) << c.archive << " " << c.member;
        // The file keeps the member's stored name; the file system ignores case.
        EXPECT_EQ(Lower(FolderEntries(dest.path())), Lower({c.member})) << c.archive;
        const std::string want = ReadFileBytes(ArchiveFixture(std::string("expected\\") + c.archive + "\\" + c.expected));
        EXPECT_FALSE(want.empty() && std::string(c.member) != "empty.scr");
        EXPECT_TRUE(ReadFileBytes(dest.path() + c.member) == want) << c.archive << " " << c.member;
    }
}

TEST(ArchiverLibraries, ExtractJapaneseNamesAndOverwrite) {
    Exports e(kZip);
    ScratchFolder dest;
    const std::string name = "\x95\x5c\x8e\xa6.SCR";  // its first character ends in 0x5C
    const std::string path = dest.path() + name;
    WriteFileBytes(path, "old contents that are longer");
    EXPECT_EQ(e.Extract(ArchiveFixture("zip_cp932.zip"), dest.path(), name), 0);
    EXPECT_EQ(ReadFileBytes(path), "japanese saver two\r\n");
    EXPECT_EQ(FolderEntries(dest.path()).size(), 1u);
    // A cabinet's UTF-8 name arrives in code page 932.
    Exports cab(kCab);
    const std::string cabName = "\x95\x5c\x8e\xa6.scr";
    EXPECT_EQ(cab.Extract(ArchiveFixture("cab_utf8.cab"), dest.path(), cabName), 0);
    EXPECT_EQ(ReadFileBytes(dest.path() + cabName), "japanese cab saver\r\n");
}

// ZIP names flagged as UTF-8 arrive in code page 932; names with no form there
// (a Hangul syllable, an emoji, bytes that are not UTF-8) arrive empty, never
// garbled, matched by their ASCII parts and their count of characters.
TEST(ArchiverLibraries, ZipUtf8NamesArriveInCodePage932) {
    const std::string hyouji = "\x95\x5c\x8e\xa6.scr", ka = "\x83\x4b.scr", deep = "\x82\xa0\\deep.scr";
    const struct {
        const char* archive;
        const char* wildcard;
        int count;
        std::vector<std::string> names;  // lower case, sorted
    } cases[] = {
        {"zip_utf8.zip", "*.SCR", 6, {"", "", "plain.scr", deep, ka, hyouji}},
        {"zip_utf8.zip", "*.*", 6, {"", "", "plain.scr", deep, ka, hyouji}},
        // One character: the composed kana, the Hangul syllable and the emoji.
        {"zip_utf8.zip", "?.scr", 6, {"", "", ka}},
        {"zip_utf8.zip", "??.scr", 6, {hyouji}},
        {"bad_utf8_names.zip", "*.*", 2, {"", "plain.scr"}},
        {"bad_utf8_names.zip", "???.scr", 2, {""}},  // three overlong two-byte forms: three characters
        {"zip_cp932.zip", "*.SCR", 2, {"\x93\xfa\x96{\x8c\xea\x83Z\x81[\x83o\x81[.scr", "\x95\x5c\x8e\xa6.scr"}},
    };
    Exports e(kZip);
    for (const auto& c : cases) {
        const std::string path = ArchiveFixture(c.archive);
        EXPECT_EQ(e.Count(path), c.count) << c.archive;
        std::vector<std::string> want = c.names;
        std::sort(want.begin(), want.end());
        EXPECT_EQ(Lower(e.List(path, c.wildcard)), want) << c.archive << " " << c.wildcard;
    }
}

// Extraction by the converted name gives 7zz's bytes; a name that is not UTF-8
// never matches as the ASCII letters its overlong bytes would spell.
TEST(ArchiverLibraries, ExtractZipMembersByConvertedName) {
    const struct {
        const char* member;
        const char* file;
        const wchar_t* expected;  // in 7zz's output folder, as 7zz wrote it
    } cases[] = {
        {"\x95\x5c\x8e\xa6.scr", "\x95\x5c\x8e\xa6.scr", L"\u8868\u793a.scr"},
        {"\x82\xa0\\Deep.scr", "Deep.scr", L"\u3042\\Deep.scr"},
        {"Deep.scr", "Deep.scr", L"\u3042\\Deep.scr"},
        {"\x83\x4b.scr", "\x83\x4b.scr", L"\u30ab\u3099.scr"},  // decomposed in the archive
    };
    Exports e(kZip);
    const std::string archive = ArchiveFixture("zip_utf8.zip");
    const std::string oracle = ArchiveFixture("expected\\zip_utf8.zip\\");
    for (const auto& c : cases) {
        ScratchFolder dest;
        EXPECT_EQ(e.Extract(archive, dest.path(), c.member), 0) << c.member;
        const std::string file = c.file;
        EXPECT_EQ(FolderEntries(dest.path()), std::vector<std::string>{file}) << c.member;
        std::wstring want(oracle.begin(), oracle.end());  // the fixture folder's path is ASCII
        want += c.expected;
        EXPECT_EQ(ReadFileBytes(dest.path() + file), ReadFileBytesW(want)) << c.member;
        EXPECT_FALSE(ReadFileBytesW(want).empty()) << c.member;
    }
    ScratchFolder dest;
    EXPECT_NE(e.Extract(ArchiveFixture("bad_utf8_names.zip"), dest.path(), "AB*"), 0);
    EXPECT_TRUE(FolderEntries(dest.path()).empty());
}

// Damaged archives and hostile names: a failure result, and nothing written
// but plain names inside the destination.
TEST(ArchiverLibraries, DamagedAndHostileArchives) {
    const struct {
        const Library* library;
        const char* archive;
        const char* member;
        bool succeeds;
    } cases[] = {
        {&kLha, "flipped_lzh_l2_lh5.lzh", "SAVER1.SCR", false},
        {&kZip, "flipped_zip_deflate.zip", "SAVER1.SCR", false},
        {&kCab, "flipped_cab_mszip.cab", "SAVER1.SCR", false},
        {&kCab, "truncated_cab_mszip.cab", "Lower.scr", false},
        {&kLha, "lzh_l2_lh5.lzh", "missing.scr", false},
        {&kLha, "hostile_names.lzh", "evil.scr", true},
        {&kZip, "hostile_names.zip", "evil.scr", true},
        {&kLha, "hostile_names.lzh", "NUL.scr", false},
        {&kZip, "hostile_names.zip", "NUL.scr", false},
        {&kZip, "hostile_names.zip", "..\\..\\evil.scr", true},
    };
    for (const auto& c : cases) {
        Exports e(*c.library);
        ScratchFolder root;
        const std::string dest = root.path() + "a\\b\\";
        CreateDirectoryA((root.path() + "a").c_str(), nullptr);
        CreateDirectoryA(dest.c_str(), nullptr);
        const int result = e.Extract(ArchiveFixture(c.archive), dest, c.member);
        EXPECT_EQ(result == 0, c.succeeds) << c.archive << " " << c.member;
        EXPECT_EQ(FolderEntries(root.path()), std::vector<std::string>{"a"}) << c.archive;
        EXPECT_EQ(FolderEntries(root.path() + "a\\"), std::vector<std::string>{"b"}) << c.archive;
        const std::vector<std::string> want = c.succeeds ? std::vector<std::string>{"evil.scr"} : std::vector<std::string>{};
        EXPECT_EQ(FolderEntries(dest), want) << c.archive << " " << c.member;
    }
}

// A member whose whole stored path is the name asked for wins over one stored
// before it in a folder; a name without a folder reaches into folders only
// when no member at the root has it, and then takes the first in archive order.
TEST(ArchiverLibraries, WholePathWinsOverFileName) {
    const struct {
        const char* member;
        const char* file;
        const char* contents;
    } names[] = {
        {"hello.txt", "hello.txt", "root hello\r\n"},
        {"HELLO.TXT", "hello.txt", "root hello\r\n"},
        {"*.txt", "hello.txt", "root hello\r\n"},
        {"EAS\\hello.txt", "hello.txt", "folder hello\r\n"},
        {"deep.txt", "deep.txt", "eas deep\r\n"},
        {"SUB\\deep.txt", "deep.txt", "sub deep\r\n"},
        {"SUB/deep.txt", "deep.txt", "sub deep\r\n"},
    };
    const struct {
        const Library* library;
        const char* archive;
    } archives[] = {{&kLha, "same_name.lzh"}, {&kZip, "same_name.zip"}, {&kCab, "same_name.cab"}};
    for (const auto& a : archives) {
        Exports e(*a.library);
        for (const auto& n : names) {
            ScratchFolder dest;
            EXPECT_EQ(e.Extract(ArchiveFixture(a.archive), dest.path(), n.member), 0) << a.archive << " " << n.member;
            EXPECT_EQ(FolderEntries(dest.path()), std::vector<std::string>{n.file}) << a.archive << " " << n.member;
            EXPECT_EQ(ReadFileBytes(dest.path() + n.file), n.contents) << a.archive << " " << n.member;
        }
    }
}

// A member that goes on in the next cabinet is refused with a reason (the
// library must not crash, whether the next cabinet lies beside it or not);
// the members wholly inside the cabinet still extract.
TEST(ArchiverLibraries, CabinetSetMemberRefusedWithoutCrash) {
    const cabwriter::CabinetSet set = cabwriter::MakeCabinetSet();
    const std::string &whole = set.whole, &first = set.first, &second = set.second;
    Exports e(kCab);
    for (bool nextBeside : {false, true}) {
        ScratchFolder cabs;
        WriteFileBytes(cabs.path() + "set1.cab", first);
        if (nextBeside) WriteFileBytes(cabs.path() + "set2.cab", second);
        const std::string path = cabs.path() + "set1.cab";
        EXPECT_EQ(e.Count(path), 2) << nextBeside;
        EXPECT_EQ(e.List(path, "*.*"), (std::vector<std::string>{"span.txt", "whole.txt"})) << nextBeside;
        ScratchFolder dest;
        std::string said;
        EXPECT_NE(e.Extract(path, dest.path(), "span.txt", &said), 0) << nextBeside;
        EXPECT_NE(said.find("another cabinet"), std::string::npos) << said;
        EXPECT_TRUE(FolderEntries(dest.path()).empty()) << nextBeside;
        EXPECT_EQ(e.Extract(path, dest.path(), "whole.txt"), 0) << nextBeside;
        EXPECT_EQ(ReadFileBytes(dest.path() + "whole.txt"), whole) << nextBeside;
        // The second cabinet lists no member of its own: span.txt begins in the first.
        if (nextBeside) {
            EXPECT_EQ(e.Count(cabs.path() + "set2.cab"), 0);
        }
        // Its folder count damaged to none: the system's cabinet library read
        // through a null pointer on it; the library refuses it instead.
        std::string damaged = first;
        damaged[26] = damaged[27] = '\0';
        WriteFileBytes(path, damaged);
        EXPECT_FALSE(e.Check(path)) << nextBeside;
        EXPECT_LE(e.Count(path), 0) << nextBeside;
        EXPECT_NE(e.Extract(path, dest.path(), "span.txt"), 0) << nextBeside;
        EXPECT_TRUE(FolderEntries(dest.path()) == std::vector<std::string>{"whole.txt"}) << nextBeside;
    }
}

// The program loads and frees a library for every operation: each round
// must give back what the library took, or a long run of playback grows by
// the library's runtime at every archived entry.
TEST(ArchiverLibraries, LoadingAndFreeingLeavesNothingBehind) {
    for (const Library* l : {&kLha, &kZip, &kCab}) {
        const std::string path = ArchiverDll(l->fileName);
        FreeLibrary(LoadLibraryA(path.c_str()));  // the first load may set up the system's own tables
        const SIZE_T before = HeapBytesInUse();
        for (int i = 0; i < 20; ++i) {
            HMODULE module = LoadLibraryA(path.c_str());
            ASSERT_NE(module, nullptr) << l->fileName;
            FreeLibrary(module);
        }
        const SIZE_T after = HeapBytesInUse();
        EXPECT_LT(after, before + 20 * 1024) << l->fileName << ": " << (after - before) << " bytes more after 20 rounds";
    }
}

}  // namespace
