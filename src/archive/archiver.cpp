#include "archive/archiver.h"

#include <cstring>
#include <initializer_list>

#include "archiver_interface.h"
#include "base/files.h"
#include "base/program_paths.h"
#include "base/text.h"
#include "base/wide.h"

ArchiverLibraries Archivers;

namespace {

static_assert(kArchiverCount == kArchiverLibraryCount);

bool ValidIndex(int index) { return index >= 0 && index < kArchiverCount; }

// The library's function with the given suffix; null when the library or
// the function is missing.
template <typename F>
F LibraryFunction(const ModuleHandle& library, int index, const char* suffix) {
    if (!library || !ValidIndex(index)) return nullptr;
    char name[64];
    if (!CopyText(name, sizeof name, kArchiverLibraries[index].prefix) || !AppendText(name, sizeof name, suffix))
        return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library.get(), name)));
}

// Closes the archive handle when the listing ends.
class OpenedArchive {
public:
    OpenedArchive(HARC handle, ArchiverCloseArchiveFunction close) : handle_(handle), close_(close) {}
    ~OpenedArchive() { close_(handle_); }
    OpenedArchive(const OpenedArchive&) = delete;
    OpenedArchive& operator=(const OpenedArchive&) = delete;

private:
    HARC handle_;
    ArchiverCloseArchiveFunction close_;
};

// The file-name part of the member in a record; empty when the library could
// not give the name in code page 932. A name longer than a list field is
// kept whole: adding refuses it with its reason.
std::string MemberFileName(const INDIVIDUALINFO& record) {
    char member[kMemberNameSize];
    std::memcpy(member, record.szFileName, kMemberNameSize - 1);
    member[kMemberNameSize - 1] = '\0';
    return member + FileNameOffset(member);
}

bool ListingAllowed(int index, const FolderSearchBoxes* folderSearch) {
    if (folderSearch) return folderSearch->allowsArchive && folderSearch->allowsArchive(index);
    return Archivers.Present[index] != 0;
}

}  // namespace

int IsArchiverPresent(int index) {
    if (!ValidIndex(index)) return 0;
    Archivers.LibraryPath[index][0] = '\0';
    // The copy shipped beside the program comes first: an older copy in the
    // system or Windows folder may be one this program cannot load.
    const char* const folders[] = {AppPaths.ProgramFolder, AppPaths.SystemFolder, AppPaths.WindowsFolder};
    for (const char* folder : folders) {
        if (!folder[0]) continue;
        char candidate[260];
        if (!CopyText(candidate, sizeof candidate, folder) ||
            (!EndsWithSeparator(candidate) && !AppendText(candidate, sizeof candidate, "\\")) ||
            !AppendText(candidate, sizeof candidate, kArchiverLibraries[index].fileName))
            continue;
        if (FileExists(candidate)) {
            CopyText(Archivers.LibraryPath[index], sizeof Archivers.LibraryPath[index], candidate);
            return 1;
        }
    }
    return 0;
}

ModuleHandle LoadArchiver(int index) {
    if (!ValidIndex(index) || !Archivers.LibraryPath[index][0]) return ModuleHandle();
    // The full path found at start-up, so a file of the same name in the
    // current folder is never picked up instead.
    return ModuleHandle(LoadLibraryExW(Wide(Archivers.LibraryPath[index]), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

WORD GetArchiverVersion(int index) {
    ModuleHandle library = LoadArchiver(index);
    const auto version = LibraryFunction<ArchiverGetVersionFunction>(library, index, kGetVersionSuffix);
    return version ? static_cast<WORD>(version() & 0xFFFF) : 0;
}

bool IsReadableArchive(int index, const char* archivePath) {
    ModuleHandle library = LoadArchiver(index);
    const auto check = LibraryFunction<ArchiverCheckArchiveFunction>(library, index, kCheckArchiveSuffix);
    return check && check(archivePath, CHECKARCHIVE_BASIC);
}

std::vector<std::string> ListArchiveMembers(int index, const char* archivePath, HWND owner,
                                            const FolderSearchBoxes* folderSearch) {
    std::vector<std::string> names;
    if (!ValidIndex(index) || !ListingAllowed(index, folderSearch)) return names;
    ModuleHandle library = LoadArchiver(index);
    const auto check = LibraryFunction<ArchiverCheckArchiveFunction>(library, index, kCheckArchiveSuffix);
    const auto count = LibraryFunction<ArchiverGetFileCountFunction>(library, index, kGetFileCountSuffix);
    const auto open = LibraryFunction<ArchiverOpenArchiveFunction>(library, index, kOpenArchiveSuffix);
    const auto findFirst = LibraryFunction<ArchiverFindFirstFunction>(library, index, kFindFirstSuffix);
    const auto findNext = LibraryFunction<ArchiverFindNextFunction>(library, index, kFindNextSuffix);
    const auto close = LibraryFunction<ArchiverCloseArchiveFunction>(library, index, kCloseArchiveSuffix);
    if (!check || !count || !open || !findFirst || !findNext || !close) return names;
    if (!check(archivePath, CHECKARCHIVE_BASIC)) return names;
    const int members = count(archivePath);
    if (members <= 0) return names;
    // Only error messages on: the library tells the user itself why an
    // archive cannot be opened.
    HARC handle = open(owner, archivePath, M_ERROR_MESSAGE_ON);
    if (!handle) return names;
    OpenedArchive archive(handle, close);
    INDIVIDUALINFO record{};
    // A library that never answers -1 still ends here: no archive has more
    // matches than members.
    int found = 0;
    for (int result = findFirst(handle, "*.SCR", &record); result != -1; result = findNext(handle, &record)) {
        ++found;
        names.push_back(MemberFileName(record));
        record = INDIVIDUALINFO{};
        if (found == members) break;
    }
    return names;
}

int ExtractMember(int index, const char* archivePath, const char* memberName, const char* destinationFolder,
                  HWND owner) {
    if (!ValidIndex(index)) return kExtractRefused;
    // An empty or relative destination would put the member into whatever
    // the current folder is, perhaps over a file of the user's.
    if (!IsFullPath(destinationFolder)) return kExtractRefused;
    // No Windows path holds a double quote; one in an edited list file would
    // end an argument early and could point the extraction elsewhere.
    for (const char* part : {memberName, destinationFolder, archivePath})
        if (std::strchr(part, '"')) return kExtractRefused;
    char command[1024];
    if (!CopyText(command, sizeof command, kArchiverLibraries[index].extractSwitches) ||
        !AppendText(command, sizeof command, " \"") || !AppendText(command, sizeof command, archivePath) ||
        !AppendText(command, sizeof command, "\" \"") || !AppendText(command, sizeof command, destinationFolder) ||
        !AppendText(command, sizeof command, "\" \"") || !AppendText(command, sizeof command, memberName) ||
        !AppendText(command, sizeof command, "\""))
        return kExtractRefused;  // a command line that does not fit is not cut
    ModuleHandle library = LoadArchiver(index);
    const auto run = LibraryFunction<ArchiverCommandFunction>(library, index, kCommandSuffix);
    if (!run) return kExtractNoLibrary;
    char output[1024] = {};
    return run(owner, command, output, sizeof output);
}

ExtractOutcome ExtractOutcomeOf(int result) {
    switch (result) {
    case 0: return ExtractOutcome::Extracted;
    case kExtractNoLibrary: return ExtractOutcome::NoLibrary;
    case ERROR_ARCHIVER_OPEN: return ExtractOutcome::ArchiveUnreadable;
    case ERROR_ARCHIVER_NO_MEMBER: return ExtractOutcome::NoSuchMember;
    case ERROR_ARCHIVER_METHOD: return ExtractOutcome::MethodNotRead;
    case ERROR_ARCHIVER_EXTRACT: return ExtractOutcome::DataDamaged;
    case ERROR_ARCHIVER_WRITE: return ExtractOutcome::WriteFailed;
    default: return ExtractOutcome::Failed;
    }
}
