// Preparing a list entry for running: its screen saver file put on disk (an
// archive member is extracted first) and its full and short paths known.
#pragma once

#include <cstddef>

#include "play/play_connections.h"

enum class PrepareOutcome {
    Ready,               // the file is in place at path
    NoSuchRow,           // the row is not in the list
    PathTooLong,         // folder and name do not fit 255 bytes: refused, never cut
    UnknownArchiveType,  // an archive name with a type that names no archiver library
    ArchiveMissing,      // the archive file is gone
    LibraryMissing,      // the archive's library is missing or cannot be loaded
    ArchiveUnreadable,   // the archive cannot be opened: damaged, or not of its kind
    MemberMissing,       // the archive holds no member of that name
    MethodNotRead,       // the member is stored in a way the library does not read
    DataDamaged,         // the member's data are damaged
    ExtractionFailed,    // no folder to extract to, the file could not be written, or no file came out
    FileInUse,           // the member's file at the destination is in use (its settings are open)
    FileMissing,         // a loose screen saver whose file is gone
};

struct PreparedEntry {
    PrepareOutcome outcome = PrepareOutcome::NoSuchRow;
    SaverEntry entry;         // the row as read
    char path[256] = "";      // the runnable path: where the screen saver file is
    char shortPath[256] = ""; // its short (8.3) form; empty unless the file is there
    bool ready() const { return outcome == PrepareOutcome::Ready; }
};

// Reads the row and puts its screen saver file in place. An archive member is
// extracted into destinationFolder (ending in a backslash), after the work
// folder was emptied whatever the destination; a loose file stays where it is.
PreparedEntry PrepareEntry(int row, const char* destinationFolder);

// Prepares the row into the work folder and builds the command line that runs
// its screen saver with switchText ("/s", "/c", "/p 1234"); false when it
// could not be prepared or the line does not fit. prepared is the entry as
// prepared either way.
bool PrepareSaverCommandLine(int row, const char* switchText, char* commandLine, std::size_t size,
                             PreparedEntry& prepared);

// Prepares the row into the store folder, which is never emptied, so the
// file a standard screen saver names stays; false, with shortPath empty,
// unless the file is in place and its short path fits size.
bool PrepareEntryAsStandard(int row, char* shortPath, std::size_t size);
// The same, with the entry as prepared.
bool PrepareEntryAsStandard(int row, char* shortPath, std::size_t size, PreparedEntry& prepared);
