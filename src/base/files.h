// Small file helpers: existence, whole-file reads, and the replace-in-one-step
// write that saving relies on.
#pragma once
#include <cstddef>
#include <string>

// 1 when a file or folder matches the path or wildcard pattern, else 0.
int FileExists(const char* pathOrPattern);

// Reads a whole file (other programs may have it open); false when it cannot
// be read or is larger than maxBytes.
bool ReadWholeFile(const char* path, std::string& out, std::size_t maxBytes);

// Writes bytes to a new file beside target and puts it in target's place in
// one step, so a failed write never leaves a damaged or missing file. False,
// with target untouched and no new file left behind, on any failure.
bool ReplaceFileContents(const char* target, const std::string& bytes);

// Deletes the files directly inside folder (which ends with a separator);
// subfolders and their contents stay.
void DeleteFilesInFolder(const char* folder);
