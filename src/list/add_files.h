// Adding screen savers to the list: the classification of one file by its
// extension, the file dialog of the add command, and dropped files.
#pragma once
#include <windows.h>

#include "list/archive_access.h"

enum class FileKind { ScreenSaver, LzhArchive, ZipArchive, CabArchive, Other };

// By the first four bytes of the lower-cased extension: ".scr" (so .scrx
// too), ".lzh", ".zip" or ".cab"; anything else is no file of ours.
FileKind ClassifyFile(const char* path);
// The same for a path as Windows names it, whose name code page 932 may not
// write: the extensions are plain ASCII in every name.
FileKind ClassifyWideFile(const wchar_t* path);
// The archiver index of an archive kind; -1 for the other kinds.
int ArchiverIndexOf(FileKind kind);

// Why a path cannot enter the list: the list file separates its fields by
// commas, and every field holds at most 255 bytes.
enum class Refusal { None, Comma, TooLong };
Refusal CheckListable(const char* path);

// Which kinds of archive an addition may open, by archiver index.
struct ArchiveGate {
    bool open[3] = {};
};

struct AddResult {
    int added = 0;                    // rows appended
    int refused = 0;                  // screen savers the list could not hold
    int unusable = 0;                 // archive members whose names code page 932 cannot write
    Refusal refusal = Refusal::None;  // why the file itself was refused
};

// Classifies one file and appends its rows at the end: a screen saver becomes
// one row, an archive that the gate lets through one row per .scr member.
// Other files are left alone, never offered to a library. Marks the list
// changed when rows were added.
AddResult AddFileToList(const char* path, const ArchiveGate& gate, const ArchiveAccess& archives, HWND owner);
// The same for a file already classified as kind.
AddResult AddFileToList(const char* path, FileKind kind, const ArchiveGate& gate, const ArchiveAccess& archives,
                        HWND owner);

// One file the user chose: added with a message for what cannot be added
// (a missing library, a path the list cannot hold and, when asked, a file
// that is no screen saver or archive).
void AddChosenFile(const char* path, const ArchiveAccess& archives, HWND owner, bool sayWhenNotOurs);
// Command 6101: the file dialog.
void AddScreenSaverFile(const ArchiveAccess& archives, HWND owner);

