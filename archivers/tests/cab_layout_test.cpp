#include "cab_layout.h"

#include <gtest/gtest.h>

#include <string>

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
    };
    for (const auto& c : cases) EXPECT_EQ(Check(c.cab), c.status) << c.what;
}

}  // namespace
