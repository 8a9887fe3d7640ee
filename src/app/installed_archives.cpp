#include "app/installed_archives.h"

#include "archive/archiver.h"

ArchiveAccess InstalledArchives() {
    ArchiveAccess access;
    for (int i = 0; i < kArchiverCount; ++i) access.present[i] = Archivers.Present[i] == 1;
    // The list decides which kinds to open before it asks; the adapter checks
    // that the library is there.
    access.listMembers = [](int index, const char* archivePath, HWND owner) {
        return ListArchiveMembers(index, archivePath, owner);
    };
    access.readable = IsReadableArchive;
    return access;
}
