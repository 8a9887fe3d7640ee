// The layout of a cabinet file, checked before the system's cabinet library
// reads it: that library trusts the tables, and under Wine a cabinet whose
// members name a folder it does not have (a set's continued member with no
// folder at all) makes it read through a null pointer inside our process.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "archive.h"

namespace arc {

// One entry of a cabinet's file table, as stored.
struct CabinetEntry {
    std::string name;  // the stored bytes, without the terminating zero
    uint32_t size = 0;
    uint16_t folder = 0;  // 0xFFFD and above: continued from or into another cabinet
    uint16_t date = 0, time = 0, attributes = 0;
};

// Ok when the header, the folder table and every member entry lie inside the
// file, the member table follows the folder table (where the system's library
// reads it) and each member's folder exists; NotArchive without the "MSCF"
// signature, Truncated when the file is shorter than its header declares,
// Corrupt otherwise.
Status CheckCabinetLayout(Source& source);

// The same check, and when it passes the entries of the file table in their
// order.
Status ReadCabinetLayout(Source& source, std::vector<CabinetEntry>& entries);

}  // namespace arc
