// Preparing a list entry for running: its screen saver file put on disk (an
// archive member is extracted first) and its full and short paths known.
#pragma once

#include "play/play_connections.h"

enum class PrepareOutcome {
    Ready,               // the file is in place at path
    NoSuchRow,           // the row is not in the list
    PathTooLong,         // folder and name do not fit 255 bytes: refused, never cut
    UnknownArchiveType,  // an archive name with a type that names no archiver library
    ExtractionFailed,    // the archive is missing, or the library failed or left no file
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
