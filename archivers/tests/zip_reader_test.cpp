#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "archive.h"
#include "archive_test_support.h"

using namespace arctest;

namespace {

Opened OpenBytes(Bytes bytes) {
    return arctest::OpenBytes(std::move(bytes), arc::OpenZip);
}

class ZipFixture : public ::testing::TestWithParam<std::pair<const char*, int>> {};

// Every member of archives made by 7zz decodes byte for byte as 7zz does.
TEST_P(ZipFixture, MembersMatch7zz) {
    const auto [name, fileCount] = GetParam();
    Opened o = OpenBytes(ReadBytes(FixturesDir() / name));
    ASSERT_EQ(o.status, arc::Status::Ok);
    int files = 0;
    for (size_t i = 0; i < o.archive->Members().size(); ++i) {
        const arc::Member& m = o.archive->Members()[i];
        if (m.directory) continue;
        ++files;
        arc::MemorySink out;
        ASSERT_EQ(o.archive->Extract(i, out), arc::Status::Ok) << m.path;
        const fs::path expected = ExpectedFile(name, m.path);
        ASSERT_FALSE(expected.empty()) << m.path;
        EXPECT_TRUE(out.bytes == ReadBytes(expected)) << m.path;
    }
    EXPECT_EQ(files, fileCount);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ZipFixture,
                         ::testing::Values(std::pair{"zip_stored.zip", 5}, std::pair{"zip_deflate.zip", 5},
                                           std::pair{"zip_folders.zip", 4}, std::pair{"zip_noscr.zip", 2},
                                           std::pair{"zip_cp932.zip", 2}));

TEST(ZipReader, JapaneseNamesKeepTheirBytes) {
    Opened o = OpenBytes(ReadBytes(FixturesDir() / "zip_cp932.zip"));
    ASSERT_EQ(o.status, arc::Status::Ok);
    std::vector<std::string> names;
    for (const auto& m : o.archive->Members()) names.push_back(m.path);
    EXPECT_NE(std::find(names.begin(), names.end(), "\x95\x5C\x8E\xA6.SCR"), names.end());
}

// Without a decoder, names flagged as UTF-8 keep their bytes; their folders are
// split byte by byte: the last byte of "\xe3\x81\x82" would be a lead byte in code page 932.
TEST(ZipReader, Utf8NamesKeepTheirBytesWithoutDecoder) {
    Opened o = OpenBytes(ReadBytes(FixturesDir() / "zip_utf8.zip"));
    ASSERT_EQ(o.status, arc::Status::Ok);
    std::vector<std::string> names;
    for (size_t i = 0; i < o.archive->Members().size(); ++i) {
        const arc::Member& m = o.archive->Members()[i];
        EXPECT_FALSE(m.nameUnusable) << m.path;
        if (m.directory) continue;
        names.push_back(m.path);
        std::string unixPath = m.path;  // UTF-8 has no byte 0x5C inside a character
        std::replace(unixPath.begin(), unixPath.end(), '\\', '/');
        arc::MemorySink out;
        ASSERT_EQ(o.archive->Extract(i, out), arc::Status::Ok) << m.path;
        EXPECT_TRUE(out.bytes == ReadBytes(FixturesDir() / "expected" / "zip_utf8.zip" / unixPath)) << m.path;
    }
    std::sort(names.begin(), names.end());
    const std::vector<std::string> want = {"plain.scr", "\xe3\x81\x82\\Deep.scr", "\xe3\x82\xab\xe3\x82\x99.scr",
                                           "\xe8\xa1\xa8\xe7\xa4\xba.scr", "\xed\x95\x9c.scr", "\xf0\x9f\x98\x80.scr"};
    EXPECT_EQ(names, want);
}

// Stands in for the libraries' conversion: "\xe8\xa1\xa8" becomes its code page 932
// form "\x95\x5c" (trail byte 0x5C); a name holding "bad" has no form.
bool TestDecoder(std::string& name) {
    if (name.find("bad") != std::string::npos) return false;
    for (size_t p; (p = name.find("\xe8\xa1\xa8")) != std::string::npos;) name.replace(p, 3, "\x95\x5c");
    return true;
}

// Only flagged names go to the decoder; a refused name keeps its bytes and is
// marked unusable; folders are split after decoding, by the rules of the result.
TEST(ZipReader, Utf8NamesGoThroughTheDecoder) {
    const struct {
        uint16_t flags;
        const char* stored;
        const char* path;
        bool unusable;
        bool directory;
    } cases[] = {
        {0x800, "\xe8\xa1\xa8/x.scr", "\x95\x5c\\x.scr", false, false},
        {0x000, "\x95\x5c/x.scr", "\x95\x5c\\x.scr", false, false},
        {0x000, "bad.scr", "bad.scr", false, false},
        {0x800, "bad/\xe3\x81\x82/y.scr", "bad\\\xe3\x81\x82\\y.scr", true, false},
        {0x800, "bad\xe3\x81\x82/", "bad\xe3\x81\x82\\", true, true},
    };
    std::vector<ZipEntry> entries;
    for (const auto& c : cases) {
        ZipEntry e{c.stored, c.directory ? "" : "data"};
        e.flags = c.flags;
        entries.push_back(e);
    }
    Opened o;
    o.bytes = MakeZip(entries);
    o.source = std::make_unique<arc::MemorySource>(o.bytes.data(), o.bytes.size());
    ASSERT_EQ(arc::OpenZipDecodingUtf8(*o.source, o.archive, TestDecoder), arc::Status::Ok);
    ASSERT_EQ(o.archive->Members().size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const arc::Member& m = o.archive->Members()[i];
        EXPECT_EQ(m.path, cases[i].path) << i;
        EXPECT_EQ(m.nameUnusable, cases[i].unusable) << i;
        EXPECT_EQ(m.directory, cases[i].directory) << i;
    }
}

// Layouts 7zz does not write: data descriptors and ZIP64 size fields.
TEST(ZipReader, DescriptorsAndZip64) {
    const std::string big(300000, 'q');
    const std::vector<ZipEntry> entries = {
        {"desc_stored.scr", "stored with descriptor", false, true},
        {"desc_deflate.scr", big, true, true},
        {"z64_stored.scr", "zip64 stored", false, false, true},
        {"z64_deflate.scr", big + "tail", true, false, true},
    };
    Opened o = OpenBytes(MakeZip(entries));
    ASSERT_EQ(o.status, arc::Status::Ok);
    ASSERT_EQ(o.archive->Members().size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        arc::MemorySink out;
        EXPECT_EQ(o.archive->Extract(i, out), arc::Status::Ok) << entries[i].name;
        EXPECT_EQ(std::string(out.bytes.begin(), out.bytes.end()), entries[i].data) << entries[i].name;
        EXPECT_EQ(o.archive->Members()[i].path, entries[i].name);
    }
}

TEST(ZipReader, EncryptedAndFolderMembersAreNotExtracted) {
    ZipEntry locked{"locked.scr", "secret"};
    locked.flags = 1;
    Opened o = OpenBytes(MakeZip({locked, {"folder/", ""}}));
    ASSERT_EQ(o.status, arc::Status::Ok);
    arc::MemorySink out;
    EXPECT_EQ(o.archive->Extract(0, out), arc::Status::Unsupported);
    EXPECT_TRUE(o.archive->Members()[1].directory);
    EXPECT_EQ(o.archive->Extract(1, out), arc::Status::Unsupported);
}

// Zero-filled members near multiples of the output buffer: zlib can stop
// with a full buffer after taking its last input byte while output is pending.
TEST(ZipReader, OutputPendingAfterTheLastInputByteIsNotTruncation) {
    int checked = 0;
    for (size_t base : {size_t{262144}, size_t{524288}}) {
        for (size_t size = base - 160; size <= base + 160; ++size) {
            ZipEntry zeros{"a.scr", std::string(size, '\0'), true};
            Opened o = OpenBytes(MakeZip({zeros}));
            ASSERT_EQ(o.status, arc::Status::Ok);
            arc::MemorySink out;
            ASSERT_EQ(o.archive->Extract(0, out), arc::Status::Ok) << size;
            ASSERT_EQ(out.bytes.size(), size);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 642);
}

}  // namespace

