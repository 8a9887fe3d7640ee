#include "play/prepare_entry.h"

#include "base/program_paths.h"
#include "base/text.h"

namespace {

bool JoinPath(char* out, std::size_t size, const char* folder, const char* name) {
    if (CopyText(out, size, folder) && AppendText(out, size, name)) return true;
    out[0] = '\0';
    return false;
}

// The short form of the runnable path; false when the file is not there.
bool TakeShortPath(PreparedEntry& prepared) {
    DWORD n = GetShortPathNameA(prepared.path, prepared.shortPath, sizeof prepared.shortPath);
    if (n > 0 && n < sizeof prepared.shortPath) return true;
    prepared.shortPath[0] = '\0';
    return false;
}

PrepareOutcome PrepareArchiveMember(PreparedEntry& prepared, const char* destinationFolder) {
    ClearWorkFolder();
    const SaverEntry& entry = prepared.entry;
    // A type the list file does not know would extract with whatever library
    // ran last; such an entry is refused instead.
    if (entry.archiver < 0) return PrepareOutcome::UnknownArchiveType;
    char archive[256];
    if (!JoinPath(prepared.path, sizeof prepared.path, destinationFolder, entry.name) ||
        !JoinPath(archive, sizeof archive, entry.folder, entry.archive))
        return PrepareOutcome::PathTooLong;
    // A missing archive fails here, without loading a library for it.
    if (GetFileAttributesA(archive) == INVALID_FILE_ATTRIBUTES || !Play.extractMember)
        return PrepareOutcome::ExtractionFailed;
    // The store folder is never emptied and may hold an older file of the
    // same name, so the library's own answer counts as well as the file.
    const int result = Play.extractMember(entry.archiver, archive, entry.name, destinationFolder, Play.owner);
    if (!TakeShortPath(prepared) || result != 0) {
        prepared.shortPath[0] = '\0';
        return PrepareOutcome::ExtractionFailed;
    }
    return PrepareOutcome::Ready;
}

}  // namespace

PreparedEntry PrepareEntry(int row, const char* destinationFolder) {
    PreparedEntry prepared;
    if (row < 0 || !Play.readRow || !Play.readRow(row, prepared.entry)) return prepared;
    if (prepared.entry.archive[0] != '\0') {
        prepared.outcome = PrepareArchiveMember(prepared, destinationFolder);
    } else if (!JoinPath(prepared.path, sizeof prepared.path, prepared.entry.folder, prepared.entry.name)) {
        prepared.outcome = PrepareOutcome::PathTooLong;
    } else {
        prepared.outcome = TakeShortPath(prepared) ? PrepareOutcome::Ready : PrepareOutcome::FileMissing;
    }
    return prepared;
}
