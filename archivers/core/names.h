// Member names: code page 932 aware splitting, wildcard matching and the
// plain file name an extraction may write.
#pragma once
#include <string>

namespace arc {

// True for a byte that starts a double-byte character in code page 932.
inline bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The part after the last '\', '/' or ':' that is not the trail byte of a double-byte character.
std::string FileNamePart(const std::string& path);

// Windows-style wildcard match ('*', '?'), case-insensitive for ASCII letters,
// double-byte characters taken as one character. A pattern without a folder
// separator is matched against the file-name part of `path` only. "*.*" matches every name.
bool MatchesWildcard(const std::string& pattern, const std::string& path);

// The same match against the whole stored path, folders included, where '*'
// and '?' never stand for a folder separator: "hello.txt" matches a member in
// the archive's root only, "EAS\*.txt" members directly in EAS.
bool MatchesWholePath(const std::string& pattern, const std::string& path);

// The file name an extraction may create for `memberPath`: its plain file-name
// part, or "" when that cannot be written safely (empty, "." or "..", reserved
// device names such as CON or COM1, characters Windows does not allow, trailing dots or blanks).
std::string SafeFileName(const std::string& memberPath);

}  // namespace arc
