#include <gtest/gtest.h>

#include <string>

#include "archive.h"
#include "archive_test_support.h"
#include "lh1_encoder.h"

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

// An -lh1- stream from our own encoder; `ops` are literals (0..255) or
// matches {length, distance}.
using Lh1Op = lh1enc::Op;
std::string EncodeLh1(const std::vector<Lh1Op>& ops) {
    const lh1enc::Bytes bytes = lh1enc::EncodeOps(ops);
    return std::string(bytes.begin(), bytes.end());
}

// An -lhx- stream (the -lh7- layout with 20 position codes) over the letters
// 'a' and 'b' with matches of 256 bytes at one distance: two-bit codes for
// the letters, one bit for the match, a single position code.
std::string EncodeLhx(const std::string& letters, int matches, int distance) {
    lh1enc::BitWriter w;
    int p = 0;
    while ((1 << p) < distance) ++p;  // distance = 2^(p-1) + extra + 1
    auto block = [&](const std::string& part, int blockMatches) {
        w.Put(static_cast<uint32_t>(part.size() + blockMatches), 16);
        // Length-code table: codes 0, 1, 2 of 2 bits, 3 and 4 of 3 bits.
        w.Put(5, 5);
        w.Put(2, 3), w.Put(2, 3), w.Put(2, 3), w.Put(0, 2), w.Put(3, 3), w.Put(3, 3);
        // Literal table: 'a' and 'b' two bits, the 256-byte match one bit.
        w.Put(510, 9);
        w.Put(2, 2), w.Put(97 - 20, 9);   // 97 zeros
        w.Put(7, 3), w.Put(7, 3);         // lengths 2, 2
        w.Put(2, 2), w.Put(410 - 20, 9);  // 410 zeros
        w.Put(6, 3);                      // length 1
        w.Put(0, 5), w.Put(static_cast<uint32_t>(p), 5);  // position table: one code
        for (char c : part) w.Put(c == 'a' ? 2 : 3, 2);
        for (int i = 0; i < blockMatches; ++i) {
            w.Put(0, 1);
            if (p > 1) w.Put(static_cast<uint32_t>(distance - 1 - (1 << (p - 1))), p - 1);
        }
    };
    for (size_t at = 0; at < letters.size(); at += 60000) {
        const std::string part = letters.substr(at, 60000);
        block(part, at + 60000 >= letters.size() ? matches : 0);
    }
    w.Put(0, 16);
    return std::string(w.bytes.begin(), w.bytes.end());
}

// Archives other LZH writers make: each built here, each read as lhasa reads it.
TEST(LzhReader, OtherWritersCases) {
    std::string letters;
    for (uint32_t x = 12345, i = 0; i < 70000; ++i) {
        x = x * 1103515245 + 12345;
        letters.push_back((x >> 16) & 1 ? 'b' : 'a');
    }
    std::string lhxData = letters;
    for (int i = 0; i < 3 * 256; ++i) lhxData.push_back(lhxData[lhxData.size() - 70000]);
    // Byte 0 first: its leaf starts at node 0, which the tree's update must count too.
    const std::string lh1Data = std::string(1, '\0') + "LHarc LHarc LHarc screen saver " + std::string(100, 'z') + " ok";
    std::vector<Lh1Op> lh1Ops = {{0}};
    for (char c : std::string("LHarc ")) lh1Ops.push_back({static_cast<uint8_t>(c)});
    lh1Ops.push_back({-1, 12, 6});
    for (char c : std::string("screen saver z")) lh1Ops.push_back({static_cast<uint8_t>(c)});
    lh1Ops.push_back({-1, 60, 1});
    lh1Ops.push_back({-1, 39, 1});
    for (char c : std::string(" ok")) lh1Ops.push_back({static_cast<uint8_t>(c)});
    std::string size64(1, '\x42');
    for (uint64_t v : {uint64_t{40}, uint64_t{5000000000}})
        for (int i = 0; i < 8; ++i) size64.push_back(static_cast<char>(v >> (8 * i)));

    struct Case {
        const char* what;
        LzhEntry entry;
        arc::Status extract;
        std::string path;       // listed path; empty: a folder
        std::string expected;   // extracted bytes
    } cases[] = {
        {"-lh1-", {"lh1.txt", lh1Data, "-lh1-", 1, "", UINT64_MAX, 0, EncodeLh1(lh1Ops)}, arc::Status::Ok, "lh1.txt", lh1Data},
        {"-lhx- beyond 64 KB", {"lhx.txt", lhxData, "-lhx-", 2, "", UINT64_MAX, 0, EncodeLhx(letters, 3, 70000)},
         arc::Status::Ok, "lhx.txt", lhxData},
        {"name with a comment after a zero byte", {std::string("note.txt\0a comment", 18), "noted", "-lh0-", 0},
         arc::Status::Ok, "note.txt", "noted"},
        {"stored member named as a folder", {"Empty/", "", "-lh0-", 1, "Main"}, arc::Status::Unsupported, "", ""},
        {"OS-9 level 2 size two bytes short", {"os9.txt", "os-9 data", "-lh0-", 2, "", UINT64_MAX, 0, "", {}, -2, 'K'},
         arc::Status::Ok, "os9.txt", "os-9 data"},
        {"64-bit sizes", {"big.bin", std::string(40, 'x'), "-lh5-", 2, "", UINT64_MAX, 0, std::string(40, 'x'), {size64}},
         arc::Status::TooLarge, "big.bin", ""},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        Opened o = OpenBytes(MakeLzh({c.entry, {"after.txt", "after", "-lh0-", 0}}));
        ASSERT_EQ(o.status, arc::Status::Ok);
        ASSERT_EQ(o.archive->Members().size(), 2u);
        const arc::Member& m = o.archive->Members()[0];
        EXPECT_EQ(m.directory, c.path.empty());
        if (!c.path.empty()) {
            EXPECT_EQ(m.path, c.path);
        }
        if (c.extract == arc::Status::TooLarge) {
            EXPECT_EQ(m.size, 5000000000u);
        }
        arc::MemorySink out;
        ASSERT_EQ(o.archive->Extract(0, out), c.extract);
        if (c.extract == arc::Status::Ok) {
            EXPECT_TRUE(out.bytes == Bytes(c.expected.begin(), c.expected.end()));
        }
        arc::MemorySink after;
        EXPECT_EQ(o.archive->Extract(1, after), arc::Status::Ok);
    }
}

// Methods this reader does not decode are listed and refused as unsupported,
// the other members still extract; a level 3 header is refused.
TEST(LzhReader, RefusedMethodsAndLevels) {
    for (const char* method : {"-lh2-", "-lh3-", "-lh4-", "-lzs-", "-lz4-", "-lz5-", "-pm0-", "-pm1-", "-pm2-"}) {
        SCOPED_TRACE(method);
        Opened o = OpenBytes(MakeLzh({{"old.bin", "12345678", method, 1}, {"after.txt", "after", "-lh0-", 0}}));
        ASSERT_EQ(o.status, arc::Status::Ok);
        ASSERT_EQ(o.archive->Members().size(), 2u);
        EXPECT_EQ(o.archive->Members()[0].method, method);
        arc::MemorySink out, after;
        EXPECT_EQ(o.archive->Extract(0, out), arc::Status::Unsupported);
        EXPECT_EQ(o.archive->Extract(1, after), arc::Status::Ok);
    }
    Bytes level3 = MakeLzh({{"three.txt", "data", "-lh0-", 2}});
    level3[20] = 3;
    EXPECT_EQ(OpenBytes(level3).status, arc::Status::Unsupported);
}

}  // namespace
