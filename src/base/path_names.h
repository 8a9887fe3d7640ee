// Paths that Windows gives (UTF-16) in the program's code page 932. A name
// code page 932 cannot write (Café on a volume that keeps no short names, a
// Korean folder) is never stored with '?' and never split wrongly: the short
// (8.3) name the file system keeps for it is used instead, and where there is
// none the path is refused, naming the part that cannot be used.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

enum class PathNameOutcome {
    Exact,       // code page 932 writes the path as it is
    ShortNames,  // the parts it cannot write are their short (8.3) names
    Unusable,    // a part has no short name that code page 932 writes
};

struct PathIn932 {
    PathNameOutcome outcome = PathNameOutcome::Unusable;
    std::string path;           // in code page 932; empty when unusable
    std::wstring unusablePart;  // when unusable: the path up to the part that cannot be used
    bool usable() const { return outcome != PathNameOutcome::Unusable; }
};

// The short name of the last part of an existing file's or folder's full
// path; empty when the file system keeps none for it.
using ShortNameLookup = std::wstring (*)(const std::wstring& path);
std::wstring FileSystemShortName(const std::wstring& path);

// The path in code page 932: each part as it is where code page 932 writes it,
// else by its short name as lookup gives it.
PathIn932 PathInCodePage932(std::wstring_view path, ShortNameLookup lookup = FileSystemShortName);

// Whether the file system's short names are used (the default). Off, every
// name is taken as having none, as on a volume where Windows makes none
// (set per volume: fsutil 8dot3name), and on ones that are not NTFS or FAT.
// Wine makes one for every name, so the tests turn them off to see that case.
void UseShortNames(bool use);

// The name of a file a folder listing found, in code page 932: its own name,
// else its short name; false when neither can be written.
bool FoundNameIn932(const WIN32_FIND_DATAW& found, std::string& name);
