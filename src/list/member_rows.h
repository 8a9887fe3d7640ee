// New list rows for the screen savers found inside an archive.
#pragma once
#include <string>
#include <vector>

// Appends one row per member name (switch seconds "0", the archive's folder
// and file name, typeText as the type) and marks the list changed when any
// row was added. Returns the number of rows added; a member whose row would
// not fit is skipped.
int AppendArchiveMemberRows(const std::vector<std::string>& memberNames, const char* archivePath,
                            const char* typeText);
