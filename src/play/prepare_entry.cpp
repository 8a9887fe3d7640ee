#include "play/prepare_entry.h"

#include <windows.h>

#include <cstring>

#include "app/paths.h"
#include "archive/archiver.h"
#include "list/entry_list.h"

char RunnableSaverPath[256];
char ShortSaverPath[256];

namespace {

bool JoinPath(char* out, std::size_t size, const char* folder, const char* name) {
    return CopyText(out, size, folder) && AppendText(out, size, name);
}

// The archiver library that reads an entry's type text, or -1 for none.
int ArchiverForType(const char* type) {
    for (int i = 0; i < kArchiverCount; ++i)
        if (std::strcmp(type, kArchiveTypeText[i]) == 0) return i;
    return -1;
}

// The short form of the runnable path; false when the file is not there.
bool TakeShortPath() {
    DWORD n = GetShortPathNameA(RunnableSaverPath, ShortSaverPath, sizeof ShortSaverPath);
    if (n == 0 || n >= sizeof ShortSaverPath) {
        ShortSaverPath[0] = '\0';
        return false;
    }
    return true;
}

PrepareOutcome PrepareArchiveMember(const char* destinationFolder) {
    ClearWorkFolder();
    const int archiver = ArchiverForType(CurrentEntry.type);
    // A type the list file does not know would extract with whatever library
    // ran last; such an entry is refused instead.
    if (archiver < 0) return PrepareOutcome::UnknownArchiveType;
    char archive[sizeof ArchivePath];
    if (!JoinPath(RunnableSaverPath, sizeof RunnableSaverPath, destinationFolder, CurrentEntry.name) ||
        !JoinPath(archive, sizeof archive, CurrentEntry.folder, CurrentEntry.archive)) {
        RunnableSaverPath[0] = '\0';
        return PrepareOutcome::PathTooLong;
    }
    // A missing archive fails here, without loading a library for it.
    if (GetFileAttributesA(archive) == INVALID_FILE_ATTRIBUTES) return PrepareOutcome::ExtractionFailed;
    std::memcpy(ArchivePath, archive, sizeof ArchivePath);
    ArchiverIndex = archiver;
    // The store folder is never emptied: an older file of the same name may
    // lie there, so only the library's own success counts.
    const int result = ExtractMember(CurrentEntry.name, destinationFolder);
    if (!TakeShortPath()) return PrepareOutcome::ExtractionFailed;
    if (result != 0) {
        ShortSaverPath[0] = '\0';
        return PrepareOutcome::ExtractionFailed;
    }
    return PrepareOutcome::Ready;
}

}  // namespace

PrepareOutcome PrepareEntry(int row, const char* destinationFolder) {
    RunnableSaverPath[0] = '\0';
    ShortSaverPath[0] = '\0';
    if (row < 0 || row >= GetEntryRowCount()) return PrepareOutcome::NoSuchRow;
    ReadEntryRow(row);
    if (CurrentEntry.archive[0] != '\0') return PrepareArchiveMember(destinationFolder);
    if (!JoinPath(RunnableSaverPath, sizeof RunnableSaverPath, CurrentEntry.folder, CurrentEntry.name)) {
        RunnableSaverPath[0] = '\0';
        return PrepareOutcome::PathTooLong;
    }
    return TakeShortPath() ? PrepareOutcome::Ready : PrepareOutcome::FileMissing;
}
