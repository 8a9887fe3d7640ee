// Access to the archiver libraries unlha32.dll (LZH), unzip32.dll (ZIP) and
// cab32.dll (CAB): presence, the .scr members of an archive, extracting one
// member, and the libraries' versions. Every call names its archiver index
// (0 LZH, 1 ZIP, 2 CAB) and archive path.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/handles.h"

constexpr int kArchiverCount = 3;

// What start-up found of each library.
struct ArchiverLibraries {
    int Present[kArchiverCount] = {};
    // Full path of each library found ("" when not found): libraries are
    // loaded from there only, never by bare name.
    char LibraryPath[kArchiverCount][260] = {};
};
extern ArchiverLibraries Archivers;

// The folder search lists an archive when its check boxes allow the kind
// (search inside archives, and the box of the archiver index); without a
// query nothing is listed.
struct FolderSearchBoxes {
    int (*allowsArchive)(int index) = nullptr;
};

// Looks for the library of index in the program, system and Windows folders,
// in that order, and records where it was found (1) or not (0).
int IsArchiverPresent(int index);
// Loads the library of index from where it was found; freed when the result goes.
ModuleHandle LoadArchiver(int index);
WORD GetArchiverVersion(int index);
// File names (without folders) of the *.scr members, in archive order. The
// file dialog lists archives whose library is present; the folder search
// passes its boxes instead. A member whose name code page 932 cannot write
// is an empty name, so that adding can say it is there and cannot be used.
std::vector<std::string> ListArchiveMembers(int index, const char* archivePath, HWND owner,
                                            const FolderSearchBoxes* folderSearch = nullptr);
// Extracts one member by name into destinationFolder: the library's result
// (0 on success), or -1 when the library or a usable command line is missing.
int ExtractMember(int index, const char* archivePath, const char* memberName, const char* destinationFolder,
                  HWND owner);
