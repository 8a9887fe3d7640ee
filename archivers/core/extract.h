// Extraction of one member into a folder, under its plain file name only.
#pragma once
#include <string>

#include "archive.h"

namespace arc {

// Writes member `index` as destination folder + its safe plain file name,
// replacing an existing file. On any failure nothing is left behind.
// `written` receives the path of the file written.
Status ExtractToFolder(Archive& archive, size_t index, const std::string& folder, std::string& written);

// True when the last character of `path` (code page 932 aware) is '\' or '/'.
bool EndsWithSeparator(const std::string& path);

}  // namespace arc
