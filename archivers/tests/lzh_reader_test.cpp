#include <gtest/gtest.h>

#include "archive.h"
#include "archive_test_support.h"

using namespace arctest;

namespace {

Opened OpenBytes(Bytes bytes) {
    return arctest::OpenBytes(std::move(bytes), arc::OpenLzh);
}

class LzhFixture : public ::testing::TestWithParam<const char*> {};

// Every member of archives made by lha decodes byte for byte as lhasa does.
TEST_P(LzhFixture, MembersMatchLhasa) {
    Opened o = OpenBytes(ReadBytes(FixturesDir() / GetParam()));
    ASSERT_EQ(o.status, arc::Status::Ok);
    std::vector<std::string> names;
    for (size_t i = 0; i < o.archive->Members().size(); ++i) {
        const arc::Member& m = o.archive->Members()[i];
        if (m.directory) continue;
        names.push_back(m.path);
        arc::MemorySink out;
        ASSERT_EQ(o.archive->Extract(i, out), arc::Status::Ok) << m.path << " " << m.method;
        const fs::path expected = ExpectedFile(GetParam(), m.path);
        ASSERT_FALSE(expected.empty()) << m.path;
        EXPECT_TRUE(out.bytes == ReadBytes(expected)) << m.path;
    }
    EXPECT_EQ(names.size(), 5u);
    EXPECT_NE(std::find(names.begin(), names.end(), "sub\\deeper\\Deep.Scr"), names.end());
}

INSTANTIATE_TEST_SUITE_P(Methods, LzhFixture,
                         ::testing::Values("lzh_l0_lh5.lzh", "lzh_l1_lh5.lzh", "lzh_l2_lh5.lzh", "lzh_l1_lh6.lzh",
                                           "lzh_l2_lh6.lzh", "lzh_l1_lh7.lzh", "lzh_l2_lh7.lzh", "lzh_l2_lh0.lzh"));

TEST(LzhReader, FolderEntriesAreMarkedAndMethodsNamed) {
    Opened o = OpenBytes(ReadBytes(FixturesDir() / "lzh_folders.lzh"));
    ASSERT_EQ(o.status, arc::Status::Ok);
    int folders = 0, files = 0;
    for (const auto& m : o.archive->Members()) {
        if (m.directory) {
            ++folders;
            EXPECT_EQ(m.method, "-lhd-");
        } else {
            ++files;
        }
    }
    EXPECT_GE(folders, 1);
    EXPECT_EQ(files, 3);
}

// Header levels written by hand: names, folders from extended headers, Japanese bytes kept.
TEST(LzhReader, HeaderLevelsAndNames) {
    const std::string jp = "\x95\x5C\x8E\xA6.scr";  // ends its first character in 0x5C
    struct Case {
        int level;
        std::string name, folder, expectedPath;
    } cases[] = {
        {0, "A.SCR", "", "A.SCR"},
        {0, "dir\\B.SCR", "", "dir\\B.SCR"},
        {1, "C.SCR", "x\\y", "x\\y\\C.SCR"},
        {2, "D.SCR", "z", "z\\D.SCR"},
        {2, jp, "", jp},
        {1, jp, "\x93\xFA", std::string("\x93\xFA\\") + jp},
    };
    for (const Case& c : cases) {
        Opened o = OpenBytes(MakeLzh({{c.name, "payload " + c.name, "-lh0-", c.level, c.folder}}));
        ASSERT_EQ(o.status, arc::Status::Ok) << c.level << " " << c.name;
        ASSERT_EQ(o.archive->Members().size(), 1u);
        EXPECT_EQ(o.archive->Members()[0].path, c.expectedPath);
        arc::MemorySink out;
        EXPECT_EQ(o.archive->Extract(0, out), arc::Status::Ok);
        EXPECT_EQ(std::string(out.bytes.begin(), out.bytes.end()), "payload " + c.name);
    }
}

// A level 2 header of exactly 256 bytes starts with a zero byte, like the end mark.
TEST(LzhReader, Level2HeaderOf256Bytes) {
    const std::string longName = std::string(223, 'n') + ".scr";
    Opened o = OpenBytes(MakeLzh({{longName, "first", "-lh0-", 2}, {"second.scr", "second", "-lh0-", 2}}));
    ASSERT_EQ(o.status, arc::Status::Ok);
    ASSERT_EQ(o.bytes[0], 0);
    ASSERT_EQ(o.archive->Members().size(), 2u);
    EXPECT_EQ(o.archive->Members()[0].path, longName);
    EXPECT_EQ(o.archive->Members()[1].path, "second.scr");
}

TEST(LzhReader, NonArchivesAreRejected) {
    for (const std::string& text : {std::string(), std::string(1, '\0'), std::string("hello world, not an archive at all")}) {
        Opened o = OpenBytes(Bytes(text.begin(), text.end()));
        EXPECT_NE(o.status, arc::Status::Ok);
        EXPECT_EQ(o.archive, nullptr);
    }
}

}  // namespace
