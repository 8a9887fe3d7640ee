// Rows put into the program's entry list by the benchmarks that drive the
// program's code in their own process.
#pragma once
#include <string>

#include "base/text.h"
#include "list/entry_list.h"

// Appends a row of these texts, through CurrentEntry as the program's own
// readers do.
inline void AddEntry(const char* name, const std::string& folder, const char* seconds, const char* type,
                     const char* archive) {
    CopyText(CurrentEntry.name, sizeof CurrentEntry.name, name);
    CopyText(CurrentEntry.seconds, sizeof CurrentEntry.seconds, seconds);
    CopyText(CurrentEntry.folder, sizeof CurrentEntry.folder, folder.c_str());
    CopyText(CurrentEntry.type, sizeof CurrentEntry.type, type);
    CopyText(CurrentEntry.archive, sizeof CurrentEntry.archive, archive);
    InsertEntryRow(GetEntryRowCount());
}
