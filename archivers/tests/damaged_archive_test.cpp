// Damaged and hostile archives: extraction fails cleanly, writes nothing
// outside the destination folder and leaves no partial file.
#include <gtest/gtest.h>

#include "archive.h"
#include "archive_test_support.h"
#include "extract.h"

using namespace arctest;

namespace {

using Opener = arc::Status (*)(arc::Source&, std::unique_ptr<arc::Archive>&);

bool IsZip(const std::string& name) { return name.rfind("zip", 0) == 0; }

struct Outcome {
    bool opened = false;
    int extracted = 0, failed = 0;
};

// Extracts every file member of `bytes` into a fresh folder inside a fresh root
// and checks that only plain, complete files appear, and only in that folder.
Outcome ExtractAll(const Bytes& bytes, Opener open, std::vector<std::string>* written = nullptr) {
    Outcome r;
    TempDir root;
    const fs::path dest = root.path() / "dest";
    fs::create_directories(dest);
    arc::MemorySource source(bytes.data(), bytes.size());
    std::unique_ptr<arc::Archive> archive;
    if (open(source, archive) != arc::Status::Ok) return r;
    r.opened = true;
    std::vector<std::string> expectedFiles;
    for (size_t i = 0; i < archive->Members().size(); ++i) {
        if (archive->Members()[i].directory) continue;
        std::string path;
        const arc::Status s = arc::ExtractToFolder(*archive, i, dest.string() + "/", path);
        if (s == arc::Status::Ok) {
            ++r.extracted;
            expectedFiles.push_back("dest/" + fs::path(path).filename().string());
            EXPECT_EQ(fs::path(path).parent_path(), dest);
        } else {
            ++r.failed;
            EXPECT_TRUE(path.empty());
        }
        // After each member: nothing but completed members, all directly in dest.
        std::vector<std::string> want = expectedFiles;
        std::sort(want.begin(), want.end());
        want.erase(std::unique(want.begin(), want.end()), want.end());
        EXPECT_EQ(FilesUnder(root.path()), want) << "after member " << archive->Members()[i].path;
    }
    if (written) *written = expectedFiles;
    return r;
}

struct DamageCase {
    const char* archive;
};

class Damaged : public ::testing::TestWithParam<const char*> {};

TEST_P(Damaged, TruncatedAndFlippedBytesNeverYieldWrongFiles) {
    const std::string name = GetParam();
    const Bytes original = ReadBytes(FixturesDir() / name);
    const Opener open = IsZip(name) ? arc::OpenZip : arc::OpenLzh;
    const Outcome whole = ExtractAll(original, open);
    ASSERT_TRUE(whole.opened);
    ASSERT_EQ(whole.failed, 0);

    for (const double cut : {0.0, 0.01, 0.3, 0.5, 0.9, 0.999}) {
        Bytes b(original.begin(), original.begin() + static_cast<long>(original.size() * cut));
        const Outcome r = ExtractAll(b, open);
        EXPECT_LT(r.extracted, whole.extracted) << "cut at " << cut;
    }
    // Bytes flipped inside the data of the large members: some member must fail.
    for (const double where : {0.05, 0.2, 0.45, 0.6}) {
        Bytes b = original;
        b[static_cast<size_t>(b.size() * where)] ^= 0x5A;
        const Outcome r = ExtractAll(b, open);
        EXPECT_TRUE(!r.opened || r.failed > 0) << "flip at " << where;
    }
}

INSTANTIATE_TEST_SUITE_P(Archives, Damaged,
                         ::testing::Values("lzh_l0_lh5.lzh", "lzh_l1_lh6.lzh", "lzh_l2_lh7.lzh", "lzh_l2_lh0.lzh",
                                           "zip_deflate.zip", "zip_stored.zip"));

TEST(Damaged, BadChecksumsFailWithoutLeavingFiles) {
    const Outcome lzh = ExtractAll(MakeLzh({{"a.scr", "content a", "-lh0-", 0, "", UINT64_MAX, 1},
                                            {"b.scr", "content b", "-lh0-", 2, "", UINT64_MAX, 7}}),
                                   arc::OpenLzh);
    EXPECT_TRUE(lzh.opened);
    EXPECT_EQ(lzh.failed, 2);
    ZipEntry z{"c.scr", std::string(5000, 'z'), true};
    z.crcDelta = 1;
    ZipEntry s{"d.scr", "stored"};
    s.crcDelta = -1;
    const Outcome zip = ExtractAll(MakeZip({z, s}), arc::OpenZip);
    EXPECT_TRUE(zip.opened);
    EXPECT_EQ(zip.failed, 2);
}

// A failed extraction leaves an older file of the same name as it was; a
// good one replaces it.
TEST(Damaged, FailureKeepsTheOlderFile) {
    TempDir dest;
    const fs::path target = dest.path() / "same.scr";
    WriteBytes(target, Bytes{'o', 'l', 'd'});
    ZipEntry bad{"same.scr", "new contents"};
    bad.crcDelta = 1;
    for (const auto& [bytes, ok] : {std::pair{MakeZip({bad}), false}, std::pair{MakeZip({{"dir/same.scr", "new contents"}}), true}}) {
        arc::MemorySource source(bytes.data(), bytes.size());
        std::unique_ptr<arc::Archive> archive;
        ASSERT_EQ(arc::OpenZip(source, archive), arc::Status::Ok);
        std::string written;
        EXPECT_EQ(arc::ExtractToFolder(*archive, 0, dest.path().string(), written) == arc::Status::Ok, ok);
        const Bytes now = ReadBytes(target);
        EXPECT_EQ(std::string(now.begin(), now.end()), ok ? "new contents" : "old");
        EXPECT_EQ(FilesUnder(dest.path()), std::vector<std::string>{"same.scr"});
    }
}

// Hostile names land as plain names in the destination, or not at all.
TEST(Damaged, TraversalAndDeviceNames) {
    const std::string names[] = {"..\\..\\evil1.scr", "../../evil2.scr", "C:\\evil3.scr", "/tmp/evil4.scr",
                                 "sub/../../evil5.scr", "CON", "nul.scr", "COM1.scr", "..", "x\\..", "evil6.scr.",
                                 "D:evil7.scr"};
    std::vector<ZipEntry> zips;
    std::vector<LzhEntry> lzhs;
    for (const std::string& n : names) {
        zips.push_back({n, "data of " + n});
        lzhs.push_back({n, "data of " + n});
    }
    for (const auto& [bytes, open] : {std::pair{MakeZip(zips), Opener(arc::OpenZip)}, std::pair{MakeLzh(lzhs), Opener(arc::OpenLzh)}}) {
        std::vector<std::string> written;
        const Outcome r = ExtractAll(bytes, open, &written);
        ASSERT_TRUE(r.opened);
        std::sort(written.begin(), written.end());
        EXPECT_EQ(written, (std::vector<std::string>{"dest/evil1.scr", "dest/evil2.scr", "dest/evil3.scr",
                                                     "dest/evil4.scr", "dest/evil5.scr", "dest/evil7.scr"}));
    }
}

// Declared sizes that disagree with the data: no huge allocation, no success.
TEST(Damaged, FalseDeclaredSizes) {
    const std::string data(20000, 'w');
    ZipEntry hugeZip64{"huge.scr", data, true, false, true, uint64_t{1} << 40};
    ZipEntry small{"small.scr", data, true};
    small.declaredSize = 100;
    ZipEntry storedBig{"stored.scr", data};
    storedBig.declaredSize = 0xFFFFFFF0u;
    const Outcome zip = ExtractAll(MakeZip({hugeZip64, small, storedBig}), arc::OpenZip);
    EXPECT_TRUE(zip.opened);
    EXPECT_EQ(zip.failed, 3);

    const Outcome lzh = ExtractAll(MakeLzh({{"huge.scr", data, "-lh0-", 0, "", 0xFFFFFFFFu},
                                            {"small.scr", data, "-lh0-", 2, "", 10},
                                            {"junk5.scr", data, "-lh5-", 1, "", 0xFFFFFFFFu},
                                            {"junk7.scr", data, "-lh7-", 2, "", 0x7FFFFFFFu}}),
                                   arc::OpenLzh);
    EXPECT_TRUE(lzh.opened);
    EXPECT_EQ(lzh.failed, 4);
}

// A member whose header claims data far past the end of the file.
TEST(Damaged, HeadersPointingPastTheEnd) {
    Bytes lzh = MakeLzh({{"a.scr", "abc", "-lh0-", 2}});
    lzh[7] = 0xFF;  // packed size low byte
    lzh[10] = 0x7F;
    std::unique_ptr<arc::Archive> a;
    arc::MemorySource s1(lzh.data(), lzh.size());
    EXPECT_NE(arc::OpenLzh(s1, a), arc::Status::Ok);

    Bytes zip = MakeZip({{"a.scr", "abc"}});
    zip[zip.size() - 6] = 0xF0;  // central directory offset
    arc::MemorySource s2(zip.data(), zip.size());
    EXPECT_NE(arc::OpenZip(s2, a), arc::Status::Ok);
}

}  // namespace
