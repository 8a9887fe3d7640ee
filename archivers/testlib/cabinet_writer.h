// Cabinets written byte by byte, for cases gcab does not make: sets whose
// members go on from one cabinet into the next. Stored data, no checksums.
// Used by the libraries' tests and by the cab32.dll fuzzer for its seeds.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace cabwriter {

inline void PutLe(std::string& b, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

struct CabFolder {
    std::string data;    // the part of the folder's (single) data block in this cabinet
    uint16_t wholeSize;  // the block's uncompressed size, 0 when it goes on in the next cabinet
};
struct CabFile {
    std::string name;
    uint32_t size, offset;
    uint16_t folder;  // index, or 0xFFFD continued from the previous, 0xFFFE continued in the next
};

// previous and next name the neighbouring cabinets of the set (null: none);
// index is this cabinet's place in the set.
inline std::string MakeCabinet(const std::vector<CabFolder>& folders, const std::vector<CabFile>& files,
                               const char* previous, const char* next, uint16_t index) {
    std::string names;
    if (previous) names += std::string(previous) + '\0' + "disk" + '\0';
    if (next) names += std::string(next) + '\0' + "disk" + '\0';
    const uint32_t headerSize = 36 + static_cast<uint32_t>(names.size());
    const uint32_t filesAt = headerSize + 8 * static_cast<uint32_t>(folders.size());
    std::string fileEntries;
    for (const CabFile& f : files) {
        PutLe(fileEntries, f.size, 4);
        PutLe(fileEntries, f.offset, 4);
        PutLe(fileEntries, f.folder, 2);
        PutLe(fileEntries, 0x5A8A, 2);  // a fixed date and time
        PutLe(fileEntries, 0x2378, 2);
        PutLe(fileEntries, 0x20, 2);
        fileEntries += f.name + '\0';
    }
    const uint32_t dataAt = filesAt + static_cast<uint32_t>(fileEntries.size());
    std::string folderEntries, blocks;
    for (const CabFolder& f : folders) {
        PutLe(folderEntries, dataAt + static_cast<uint32_t>(blocks.size()), 4);
        PutLe(folderEntries, 1, 2);  // one data block
        PutLe(folderEntries, 0, 2);  // stored
        PutLe(blocks, 0, 4);         // no checksum
        PutLe(blocks, static_cast<uint32_t>(f.data.size()), 2);
        PutLe(blocks, f.wholeSize, 2);
        blocks += f.data;
    }
    std::string cab = "MSCF";
    PutLe(cab, 0, 4);
    PutLe(cab, dataAt + static_cast<uint32_t>(blocks.size()), 4);
    PutLe(cab, 0, 4);
    PutLe(cab, filesAt, 4);
    PutLe(cab, 0, 4);
    PutLe(cab, 0x0103, 2);  // format 1.3
    PutLe(cab, static_cast<uint32_t>(folders.size()), 2);
    PutLe(cab, static_cast<uint32_t>(files.size()), 2);
    PutLe(cab, (previous ? 1 : 0) | (next ? 2 : 0), 2);
    PutLe(cab, 0x1234, 2);  // the set's id
    PutLe(cab, index, 2);
    return cab + names + folderEntries + fileEntries + blocks;
}

// A set of two: set1.cab holds whole.txt in a folder of its own and the start
// of span.txt, whose data block is split between the two; set2.cab the rest.
struct CabinetSet {
    std::string whole, span, first, second;
};
inline CabinetSet MakeCabinetSet() {
    CabinetSet set;
    set.whole = "whole member\r\n";
    set.span.assign(300, 'S');
    const auto wholeSize = static_cast<uint16_t>(set.whole.size());
    const auto spanSize = static_cast<uint32_t>(set.span.size());
    set.first = MakeCabinet({{set.whole, wholeSize}, {set.span.substr(0, 100), 0}},
                            {{"whole.txt", wholeSize, 0, 0}, {"span.txt", spanSize, 0, 0xFFFE}}, nullptr, "set2.cab",
                            0);
    set.second = MakeCabinet({{set.span.substr(100), static_cast<uint16_t>(spanSize)}},
                             {{"span.txt", spanSize, 0, 0xFFFD}}, "set1.cab", nullptr, 1);
    return set;
}

}  // namespace cabwriter
