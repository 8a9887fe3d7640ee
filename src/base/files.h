// Small file helpers: existence, whole-file reads, and the replace-in-one-step
// write that saving relies on.
#pragma once
#include <cstddef>
#include <string>

// Attributes that say a file's contents are not on this disk: a cloud file
// that is only a placeholder (OneDrive's "online only" and the like), or one
// moved to offline storage. Reading such a file downloads or recalls it first.
constexpr unsigned long kFileRecallOnOpen = 0x00040000;        // FILE_ATTRIBUTE_RECALL_ON_OPEN
constexpr unsigned long kFileRecallOnDataAccess = 0x00400000;  // FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS
constexpr unsigned long kFileOffline = 0x00001000;             // FILE_ATTRIBUTE_OFFLINE
constexpr bool IsNotOnDisk(unsigned long attributes) {
    return (attributes & (kFileRecallOnOpen | kFileRecallOnDataAccess | kFileOffline)) != 0;
}

// 1 when a file or folder matches the path or wildcard pattern, else 0.
int FileExists(const char* pathOrPattern);

// Reads a whole file (other programs may have it open); false when it cannot
// be read or is larger than maxBytes.
bool ReadWholeFile(const char* path, std::string& out, std::size_t maxBytes);

// Writes bytes to a new file beside target and puts it in target's place in
// one step, so a failed write never leaves a damaged or missing file. False,
// with target untouched and no new file left behind, on any failure.
bool ReplaceFileContents(const char* target, const std::string& bytes);
