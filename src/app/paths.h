// The program's folders and files, worked out once when the main window is
// created, and the small file helpers other subsystems share.
#pragma once
#include <cstddef>

extern char ProgramFolder[256];     // ends with a backslash
extern char StandardListPath[256];  // ProgramFolder + "zelvista.lst"
extern char WorkFolder[256];        // ProgramFolder + "temp\"
extern char SaverStoreFolder[256];  // ProgramFolder + "Scrnsave\"
extern char WindowsFolder[260];     // no trailing backslash
extern char SystemFolder[260];      // no trailing backslash
extern char SystemIniPath[256];     // empty when SYSTEM.INI is not found

void SetUpProgramPaths();
int FileExists(const char* pathOrPattern);
void ClearWorkFolder();

// Bounded copy and append: false (and dest left a valid string) when the
// result does not fit; callers refuse the operation then.
bool CopyText(char* dest, std::size_t destSize, const char* src);
bool AppendText(char* dest, std::size_t destSize, const char* src);

// Offset of the file-name part of a code page 932 path: just after the last
// backslash, slash or colon that is not the trail byte of a double-byte character.
std::size_t FileNameOffset(const char* path);
// Splits a path into folder (ending with its separator) and file name.
bool SplitFolderAndName(const char* path, char* folder, std::size_t folderSize,
                        char* name, std::size_t nameSize);
