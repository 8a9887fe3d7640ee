// The layout of a cabinet file, checked before the system's cabinet library
// reads it: that library trusts the tables, and under Wine a cabinet whose
// members name a folder it does not have (a set's continued member with no
// folder at all) makes it read through a null pointer inside our process.
#pragma once
#include "archive.h"

namespace arc {

// Ok when the header, the folder table and every member entry lie inside the
// file and each member's folder exists; NotArchive without the "MSCF"
// signature, Truncated when the file is shorter than its header declares,
// Corrupt otherwise.
Status CheckCabinetLayout(Source& source);

}  // namespace arc
