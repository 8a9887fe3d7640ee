// Preparing a list entry for running: its screen saver file put on disk (an
// archive member is extracted first) and its full and short paths known.
#pragma once

// Full path of the screen saver prepared last; empty when it could not be prepared.
extern char RunnableSaverPath[256];
// Its short (8.3) form, which the standard screen saver setting takes; empty
// when there is none, so an earlier entry's path can never be taken for it.
extern char ShortSaverPath[256];

enum class PrepareOutcome {
    Ready,               // the file is in place at RunnableSaverPath
    NoSuchRow,           // the row index is outside the list
    PathTooLong,         // folder and name do not fit 255 bytes: refused, never cut
    UnknownArchiveType,  // an archive name with a type that names no archiver library
    ExtractionFailed,    // the library reported a failure or left no file
    FileMissing,         // a loose screen saver whose file is gone
};

// Reads the row into the current entry and puts its screen saver file in
// place. An archive member is extracted into destinationFolder (ending in a
// backslash), after the work folder was emptied whatever the destination.
PrepareOutcome PrepareEntry(int row, const char* destinationFolder);
