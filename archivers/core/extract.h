// Extraction of one member into a folder, under its plain file name only.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "archive.h"

namespace arc {

// Writes member `index` as destination folder + its safe plain file name,
// replacing an existing file. On any failure nothing is left behind.
// `written` receives the path of the file written.
Status ExtractToFolder(Archive& archive, size_t index, const std::string& folder, std::string& written);

// The member a command's name or wildcard extracts: the first whose whole
// stored path matches it, or only when there is none, the first whose file
// name matches a pattern without a folder. SIZE_MAX when none does; folders
// and members without a usable name are never chosen.
size_t FindMemberToExtract(const std::vector<Member>& members, const std::string& pattern);

// True when the last character of `path` (code page 932 aware) is '\' or '/'.
bool EndsWithSeparator(const std::string& path);

}  // namespace arc
