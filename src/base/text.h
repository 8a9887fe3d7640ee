// Code page 932 text and path helpers. Portable: no Windows types, so the
// list file format can be fuzzed natively.
#pragma once
#include <cstddef>

// True for the first byte of a double-byte code page 932 character; its
// second byte may be 0x5C (a backslash) and is never a separator.
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Bounded copy and append: false (and dest left a valid string) when the
// result does not fit; callers refuse the operation then.
bool CopyText(char* dest, std::size_t destSize, const char* src);
bool AppendText(char* dest, std::size_t destSize, const char* src);
// As much of src as fits, never half a double-byte character: for texts that
// are shown cut, never for paths.
void CopyTextCut(char* dest, std::size_t destSize, const char* src);
// folder followed by name (the folder ends with its separator, or is empty);
// false, with out empty, when the two do not fit.
bool JoinPath(char* out, std::size_t size, const char* folder, const char* name);

// Offset of the file-name part of a path: just after the last backslash,
// slash or colon that is not the trail byte of a double-byte character.
std::size_t FileNameOffset(const char* path);
// True for a path that names its drive or server ("C:\\...", "\\\\server\\..."):
// empty and relative paths, which depend on the current folder, are not.
bool IsFullPath(const char* path);
// True when the path is not empty and ends with a separator.
bool EndsWithSeparator(const char* path);
// Splits a path into folder (ending with its separator) and file name.
bool SplitFolderAndName(const char* path, char* folder, std::size_t folderSize,
                        char* name, std::size_t nameSize);
