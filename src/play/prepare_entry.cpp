#include "play/prepare_entry.h"

#include <cstring>

#include "base/handles.h"
#include "base/program_paths.h"
#include "base/text.h"
#include "base/wide.h"
#include "play/saver_process.h"

namespace {

// The short form of the runnable path; false when the file is not there.
bool TakeShortPath(PreparedEntry& prepared) {
    wchar_t shortPath[MAX_PATH];
    const DWORD n = GetShortPathNameW(Wide(prepared.path), shortPath, MAX_PATH);
    // The short form is what the system's settings keep: it must be written
    // exactly and fit, never cut.
    if (n > 0 && n < MAX_PATH && ToCodePage932({shortPath, n}, prepared.shortPath, sizeof prepared.shortPath))
        return true;
    prepared.shortPath[0] = '\0';
    return false;
}

// A name that is its own short form: 1-8 plain characters, optionally a dot
// and 1-3 more. Anything else gets its short form from the file system.
bool IsPlainShortName(const char* name) {
    auto plain = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    };
    std::size_t base = 0, extension = 0;
    const char* p = name;
    for (; plain(*p); ++p) ++base;
    if (*p == '.')
        for (++p; plain(*p); ++p) ++extension;
    return *p == '\0' && base >= 1 && base <= 8 && extension <= 3 && (extension > 0 || name[base] == '\0');
}

// The short forms of the folders members are extracted to (the program's own
// work and store folders, which keep their names while it runs), looked up
// once: each lookup walks every long folder name of the path.
struct ShortFolderCache {
    struct Slot {
        char folder[256];
        char shortForm[256];
    } slots[2]{};
    int next = 0;
};
ShortFolderCache shortFolders;

const char* ShortFolder(const char* folder) {
    for (const auto& slot : shortFolders.slots)
        if (slot.folder[0] && std::strcmp(slot.folder, folder) == 0) return slot.shortForm;
    auto& slot = shortFolders.slots[shortFolders.next];
    wchar_t shortForm[MAX_PATH];
    const DWORD n = GetShortPathNameW(Wide(folder), shortForm, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || !ToCodePage932({shortForm, n}, slot.shortForm, sizeof slot.shortForm) ||
        (!EndsWithSeparator(slot.shortForm) && !AppendText(slot.shortForm, sizeof slot.shortForm, "\\")) ||
        !CopyText(slot.folder, sizeof slot.folder, folder)) {
        slot.folder[0] = '\0';
        return nullptr;
    }
    shortFolders.next = (shortFolders.next + 1) % 2;
    return slot.shortForm;
}

// The short path of a member extracted into `folder`; false when the file is
// not there. A plain short name needs only the folder's short form and a check
// that the file exists, which costs much less than a full lookup.
bool TakeExtractedShortPath(PreparedEntry& prepared, const char* folder) {
    const char* shortFolder = IsPlainShortName(prepared.entry.name) ? ShortFolder(folder) : nullptr;
    if (!shortFolder) return TakeShortPath(prepared);
    const DWORD attributes = GetFileAttributesW(Wide(prepared.path));
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        JoinPath(prepared.shortPath, sizeof prepared.shortPath, shortFolder, prepared.entry.name))
        return true;
    prepared.shortPath[0] = '\0';
    return false;
}

// True when a file is at path and cannot be written: a screen saver of it is
// running (its settings, say), so it can be neither emptied away nor replaced.
bool FileInUse(const char* path) {
    const Wide wide(path);
    if (GetFileAttributesW(wide) == INVALID_FILE_ATTRIBUTES) return false;
    const Handle file(CreateFileW(wide, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !file && GetLastError() == ERROR_SHARING_VIOLATION;
}

// The library's answer as the reason the entry is not ready.
PrepareOutcome OutcomeOfExtraction(MemberExtraction extraction) {
    switch (extraction) {
    case MemberExtraction::Extracted: return PrepareOutcome::Ready;
    case MemberExtraction::LibraryMissing: return PrepareOutcome::LibraryMissing;
    case MemberExtraction::ArchiveUnreadable: return PrepareOutcome::ArchiveUnreadable;
    case MemberExtraction::NoSuchMember: return PrepareOutcome::MemberMissing;
    case MemberExtraction::MethodNotRead: return PrepareOutcome::MethodNotRead;
    case MemberExtraction::DataDamaged: return PrepareOutcome::DataDamaged;
    default: return PrepareOutcome::ExtractionFailed;
    }
}

PrepareOutcome PrepareArchiveMember(PreparedEntry& prepared, const char* destinationFolder) {
    ClearWorkFolder();
    const SaverEntry& entry = prepared.entry;
    // A type the list file does not know would extract with whatever library
    // ran last; such an entry is refused instead.
    if (entry.archiver < 0) return PrepareOutcome::UnknownArchiveType;
    // A folder that could not be formed (the program folder is too long) is
    // empty: extracting there would write into the current folder.
    if (!IsFullPath(destinationFolder)) return PrepareOutcome::ExtractionFailed;
    char archive[256];
    if (!JoinPath(prepared.path, sizeof prepared.path, destinationFolder, entry.name) ||
        !JoinPath(archive, sizeof archive, entry.folder, entry.archive))
        return PrepareOutcome::PathTooLong;
    // A missing archive fails here, without loading a library for it.
    if (GetFileAttributesW(Wide(archive)) == INVALID_FILE_ATTRIBUTES) return PrepareOutcome::ArchiveMissing;
    if (!Play.extractMember) return PrepareOutcome::LibraryMissing;
    if (FileInUse(prepared.path)) return PrepareOutcome::FileInUse;
    // The store folder is never emptied and may hold an older file of the
    // same name, so the library's own answer counts as well as the file.
    const MemberExtraction result =
        Play.extractMember(entry.archiver, archive, entry.name, destinationFolder, Play.owner);
    if (result != MemberExtraction::Extracted) {
        prepared.shortPath[0] = '\0';
        return OutcomeOfExtraction(result);
    }
    if (!TakeExtractedShortPath(prepared, destinationFolder)) return PrepareOutcome::ExtractionFailed;
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

bool PrepareSaverCommandLine(int row, const char* switchText, char* commandLine, std::size_t size,
                             PreparedEntry& prepared) {
    prepared = PrepareEntry(row, AppPaths.WorkFolder);
    if (prepared.ready() && BuildSaverCommandLine(commandLine, size, prepared.path, switchText)) return true;
    if (size > 0) commandLine[0] = '\0';
    return false;
}

bool PrepareEntryAsStandard(int row, char* shortPath, std::size_t size) {
    PreparedEntry prepared;
    return PrepareEntryAsStandard(row, shortPath, size, prepared);
}

bool PrepareEntryAsStandard(int row, char* shortPath, std::size_t size, PreparedEntry& prepared) {
    prepared = PrepareEntry(row, AppPaths.SaverStoreFolder);
    if (prepared.ready() && prepared.shortPath[0] && CopyText(shortPath, size, prepared.shortPath)) return true;
    // A file in place whose short path is missing or does not fit cannot be named.
    if (prepared.ready()) prepared.outcome = PrepareOutcome::ExtractionFailed;
    if (size > 0) shortPath[0] = '\0';
    return false;
}
