// Access to the archiver libraries unlha32.dll (LZH), unzip32.dll (ZIP) and
// cab32.dll (CAB): presence, listing the .scr members of an archive as new
// list rows, extracting one member, and the libraries' versions.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

constexpr int kArchiverCount = 3;

extern int ArchiverIndex;                // 0 LZH, 1 ZIP, 2 CAB; set by each caller
extern char ArchivePath[256];            // the archive that listing and extraction work on
extern int ArchiverPresent[kArchiverCount];
// Full path where IsArchiverPresent found each library ("" when not found);
// libraries are loaded from there only, never by bare name.
extern char ArchiverLibraryPath[kArchiverCount][260];
extern HMODULE ArchiverLibrary;          // the library of the operation under way, else null
extern const char* const kArchiveTypeText[kArchiverCount];  // "書庫(LZH)", "書庫(ZIP)", "書庫(CAB)"

// The folder search sets FolderSearchActive to 1 while it runs, and
// FolderSearchAllowsArchive to a query of its check boxes (search inside
// archives, and the box of the given archiver index); listing then follows
// those boxes instead of the presence flags.
extern int FolderSearchActive;
extern int (*FolderSearchAllowsArchive)(int index);

int IsArchiverPresent(int index);
void LoadArchiver();
void FreeArchiver();
WORD GetArchiverVersion(int index);
// The .scr members of the archive at archivePath, read with the library of
// the given index: their plain file names (folders inside the archive
// dropped), in the order the library gives them. Empty when the library is
// missing or refuses the file. The caller adds the rows it wants.
std::vector<std::string> FindArchiveMembers(int index, const char* archivePath, HWND owner);
void ListArchiveMembers();
int ExtractMember(const char* memberName, const char* destinationFolder);
