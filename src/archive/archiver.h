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
// True when the library of index reads the file as an archive of its kind.
bool IsReadableArchive(int index, const char* archivePath);
// Extracts one member by name into destinationFolder: the library's result
// (0 on success), kExtractRefused when no usable command line can be made,
// kExtractNoLibrary when the library cannot be loaded or has no command.
constexpr int kExtractRefused = -1;
constexpr int kExtractNoLibrary = -2;
int ExtractMember(int index, const char* archivePath, const char* memberName, const char* destinationFolder,
                  HWND owner);

// What an extraction's result says happened.
enum class ExtractOutcome {
    Extracted,
    NoLibrary,          // the library is missing or unusable
    ArchiveUnreadable,  // the archive cannot be opened: damaged, or no archive of its kind
    NoSuchMember,       // the archive holds no member of that name
    MethodNotRead,      // the member is stored in a way the library does not read
    DataDamaged,        // the member's data are damaged
    WriteFailed,        // the member's file could not be written
    Failed,             // anything else: a refused command line, an unknown answer
};
ExtractOutcome ExtractOutcomeOf(int result);
