#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "archive.h"
#include "archive_test_support.h"
#include "crc.h"

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

void Append(Bytes& b, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint64_t Field(const Bytes& b, size_t at, int bytes) {
    uint64_t v = 0;
    for (int i = bytes; i-- > 0;) v = v << 8 | b[at + i];
    return v;
}

std::string UnicodePathField(const std::string& forName, const std::string& utf8, uint32_t crcDelta = 0) {
    const uint32_t crc = arc::UpdateCrc32(0, reinterpret_cast<const uint8_t*>(forName.data()), forName.size());
    Bytes f;
    Append(f, 0x7075, 2);
    Append(f, 5 + utf8.size(), 2);
    f.push_back(1);
    Append(f, crc + crcDelta, 4);
    f.insert(f.end(), utf8.begin(), utf8.end());
    return std::string(f.begin(), f.end());
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
// A Unicode Path field replaces the stored name only when made for it (its
// CRC matches), and then goes through the decoder like a flagged name.
TEST(ZipReader, Utf8NamesGoThroughTheDecoder) {
    const struct {
        uint16_t flags;
        const char* stored;
        const char* path;
        bool unusable;
        bool directory;
        std::string extra;
    } cases[] = {
        {0x800, "\xe8\xa1\xa8/x.scr", "\x95\x5c\\x.scr", false, false, ""},
        {0x000, "\x95\x5c/x.scr", "\x95\x5c\\x.scr", false, false, ""},
        {0x000, "bad.scr", "bad.scr", false, false, ""},
        {0x800, "bad/\xe3\x81\x82/y.scr", "bad\\\xe3\x81\x82\\y.scr", true, false, ""},
        {0x800, "bad\xe3\x81\x82/", "bad\xe3\x81\x82\\", true, true, ""},
        {0x000, "?.scr", "\x95\x5c\\x.scr", false, false, UnicodePathField("?.scr", "\xe8\xa1\xa8/x.scr")},
        {0x000, "?.scr", "?.scr", false, false, UnicodePathField("?.scr", "\xe8\xa1\xa8.scr", 1)},
        {0x000, "old.scr", "old.scr", false, false, UnicodePathField("older.scr", "\xe8\xa1\xa8.scr")},
        {0x000, "x.scr", "bad\xe3\x81\x82.scr", true, false, UnicodePathField("x.scr", "bad\xe3\x81\x82.scr")},
    };
    std::vector<ZipEntry> entries;
    for (const auto& c : cases) {
        ZipEntry e{c.stored, c.directory ? "" : "data"};
        e.flags = c.flags;
        e.extra = c.extra;
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
        arc::MemorySink out;
        if (!m.nameUnusable && !m.directory) {
            EXPECT_EQ(o.archive->Extract(i, out), arc::Status::Ok) << i;
        }
    }
}

// A ZIP64 end record and its locator put before the end record, whose own
// fields then say "see ZIP64". locatorDisks 1 is consistent; anything else not.
Bytes WithZip64End(Bytes zip, uint32_t locatorDisks) {
    const size_t end = zip.size() - 22;
    const uint64_t entries = Field(zip, end + 10, 2), cdSize = Field(zip, end + 12, 4),
                   cdOffset = Field(zip, end + 16, 4);
    zip.resize(end);
    Bytes tail;
    Append(tail, 0x06064b50, 4);
    Append(tail, 44, 8);
    Append(tail, 45, 2);
    Append(tail, 45, 2);
    Append(tail, 0, 4);
    Append(tail, 0, 4);
    Append(tail, entries, 8);
    Append(tail, entries, 8);
    Append(tail, cdSize, 8);
    Append(tail, cdOffset, 8);
    Append(tail, 0x07064b50, 4);
    Append(tail, 0, 4);
    Append(tail, end, 8);
    Append(tail, locatorDisks, 4);
    Append(tail, 0x06054b50, 4);
    Append(tail, 0, 4);
    Append(tail, 0xFFFF, 2);
    Append(tail, 0xFFFF, 2);
    Append(tail, 0xFFFFFFFFu, 4);
    Append(tail, 0xFFFFFFFFu, 4);
    Append(tail, 0, 2);
    zip.insert(zip.end(), tail.begin(), tail.end());
    return zip;
}

Bytes WithStub(Bytes zip, size_t stubSize) {
    Bytes stub(stubSize, 0x90);
    stub[0] = 'M';
    stub[1] = 'Z';
    zip.insert(zip.begin(), stub.begin(), stub.end());
    return zip;
}

// Where the archive starts and where its end records are, as other tools
// write them: a self-extracting stub before the archive (offsets not moved),
// ZIP64 end records, and the locator's signature inside a member's name.
TEST(ZipReader, StubsAndZip64Locators) {
    const std::string data = "the saver's bytes";
    const Bytes plain = MakeZip({{"a.scr", data}, {"b.scr", data + data, true}});
    // The last name ends right before the end record: its last 20 bytes sit
    // where a locator would, with plausible fields but no ZIP64 record.
    const std::string trap = std::string("x") + "PK\x06\x07" + std::string(4, '\0') + std::string(8, '\0') +
                             std::string("\x01\0\0\0", 4);
    const Bytes trapZip = MakeZip({{"a.scr", data}, {trap, data}});
    const std::string twice = data + data;
    const struct {
        const char* what;
        Bytes bytes;
        arc::Status status;
        const std::string& second;
    } cases[] = {
        {"plain", plain, arc::Status::Ok, twice},
        {"stub before", WithStub(plain, 4096), arc::Status::Ok, twice},
        {"zip64 end", WithZip64End(plain, 1), arc::Status::Ok, twice},
        {"zip64 end, stub before", WithStub(WithZip64End(plain, 1), 777), arc::Status::Ok, twice},
        {"inconsistent locator", WithZip64End(plain, 3), arc::Status::Corrupt, twice},
        {"locator signature in a name", trapZip, arc::Status::Ok, data},
    };
    for (const auto& c : cases) {
        Opened o = OpenBytes(c.bytes);
        ASSERT_EQ(o.status, c.status) << c.what;
        if (c.status != arc::Status::Ok) continue;
        ASSERT_EQ(o.archive->Members().size(), 2u) << c.what;
        const std::string* want[] = {&data, &c.second};
        for (size_t i = 0; i < 2; ++i) {
            arc::MemorySink out;
            ASSERT_EQ(o.archive->Extract(i, out), arc::Status::Ok) << c.what << " " << i;
            EXPECT_EQ(std::string(out.bytes.begin(), out.bytes.end()), *want[i]) << c.what << " " << i;
        }
    }
    Opened trapped = OpenBytes(trapZip);
    ASSERT_EQ(trapped.status, arc::Status::Ok);
    EXPECT_EQ(trapped.archive->Members()[1].path, trap);
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

