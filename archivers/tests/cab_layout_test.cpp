#include "cab_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cabinet_writer.h"

namespace {

using cabwriter::MakeCabinet;

void Set16(std::string& cab, size_t at, uint16_t v) {
    cab[at] = static_cast<char>(v & 0xFF);
    cab[at + 1] = static_cast<char>(v >> 8);
}
void Set32(std::string& cab, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) cab[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

arc::Status Check(const std::string& cab) {
    arc::MemorySource source(reinterpret_cast<const uint8_t*>(cab.data()), cab.size());
    return arc::CheckCabinetLayout(source);
}

// The cabinet's own tables are checked before the system's library reads
// them: a set's continued member with no folder at all made Wine's cabinet.dll
// read through a null pointer.
TEST(CabLayout, TablesAreCheckedBeforeTheSystemReadsThem) {
    const cabwriter::CabinetSet set = cabwriter::MakeCabinetSet();
    const std::string single = MakeCabinet({{"abc", 3}}, {{"a.scr", 3, 0, 0}}, nullptr, nullptr, 0);
    const size_t filesAt = 36 + 8;  // one folder, no set names
    auto changed = [](std::string cab, auto change) {
        change(cab);
        return cab;
    };
    const struct {
        const char* what;
        std::string cab;
        arc::Status status;
    } cases[] = {
        {"single", single, arc::Status::Ok},
        {"first of a set", set.first, arc::Status::Ok},
        {"second of a set", set.second, arc::Status::Ok},
        {"empty cabinet", MakeCabinet({}, {}, nullptr, nullptr, 0), arc::Status::Ok},
        {"no signature", changed(single, [](std::string& c) { c[0] = 'Z'; }), arc::Status::NotArchive},
        {"header cut", single.substr(0, 20), arc::Status::Truncated},
        {"shorter than declared", single.substr(0, single.size() - 1), arc::Status::Truncated},
        {"set member without folders", changed(set.first, [](std::string& c) { Set16(c, 26, 0); }),
         arc::Status::Corrupt},
        {"member without folders", changed(single, [](std::string& c) { Set16(c, 26, 0); }), arc::Status::Corrupt},
        {"continued member, no folder table at all", MakeCabinet({}, {{"span.txt", 300, 0, 0xFFFE}}, nullptr, "set2.cab", 0),
         arc::Status::Corrupt},
        {"member, no folder table at all", MakeCabinet({}, {{"a.scr", 3, 0, 0}}, nullptr, nullptr, 0),
         arc::Status::Corrupt},
        {"member in a folder not there", changed(single, [&](std::string& c) { Set16(c, filesAt + 8, 1); }),
         arc::Status::Corrupt},
        {"member table past the end", changed(single, [](std::string& c) { Set32(c, 16, 0x7FFFFFF0); }),
         arc::Status::Corrupt},
        {"more members than entries", changed(single, [](std::string& c) { Set16(c, 28, 40); }),
         arc::Status::Corrupt},
        {"more folders than the file holds", changed(single, [](std::string& c) { Set16(c, 26, 9000); }),
         arc::Status::Corrupt},
        {"reserve past the end", changed(single, [](std::string& c) {
             Set16(c, 30, 4);
             c.insert(36, std::string("\xff\xff\0\0", 4));
             Set32(c, 8, static_cast<uint32_t>(c.size()));
         }),
         arc::Status::Corrupt},
        {"name without its end", MakeCabinet({{"abc", 3}}, {{std::string(300, 'n'), 3, 0, 0}}, nullptr, nullptr, 0),
         arc::Status::Corrupt},
        // The system's library reads the entries after the folders; a valid
        // table the header points to elsewhere would not be the one read.
        {"member table elsewhere than after the folders", changed(single, [&](std::string& c) {
             const std::string table = c.substr(filesAt, 16 + 6);
             Set32(c, 16, static_cast<uint32_t>(c.size()));
             c += table;
             Set32(c, 8, static_cast<uint32_t>(c.size()));
         }),
         arc::Status::Corrupt},
    };
    for (const auto& c : cases) EXPECT_EQ(Check(c.cab), c.status) << c.what;
}

// The entries of the member table, as stored and in their order, for the
// extraction that reads them instead of a listing by the system's library.
TEST(CabLayout, EntriesAreReadInTheirOrder) {
    const cabwriter::CabinetSet set = cabwriter::MakeCabinetSet();
    arc::MemorySource source(reinterpret_cast<const uint8_t*>(set.first.data()), set.first.size());
    std::vector<arc::CabinetEntry> entries;
    ASSERT_EQ(arc::ReadCabinetLayout(source, entries), arc::Status::Ok);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "whole.txt");
    EXPECT_EQ(entries[0].size, set.whole.size());
    EXPECT_EQ(entries[0].folder, 0);
    EXPECT_EQ(entries[1].name, "span.txt");
    EXPECT_EQ(entries[1].size, 300u);
    EXPECT_EQ(entries[1].folder, 0xFFFE);
    EXPECT_EQ(entries[1].date, 0x5A8A);
    EXPECT_EQ(entries[1].time, 0x2378);
    EXPECT_EQ(entries[1].attributes, 0x20);
    // A damaged table gives no entries.
    std::string damaged = set.first;
    damaged[26] = damaged[27] = '\0';
    arc::MemorySource bad(reinterpret_cast<const uint8_t*>(damaged.data()), damaged.size());
    EXPECT_EQ(arc::ReadCabinetLayout(bad, entries), arc::Status::Corrupt);
    EXPECT_TRUE(entries.empty());
}

}  // namespace
