#include <gtest/gtest.h>

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

