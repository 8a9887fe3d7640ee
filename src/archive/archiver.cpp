#include "archive/archiver.h"

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/handles.h"
#include "app/main_window.h"
#include "app/paths.h"
#include "list/entry_list.h"
#include "list/list_file.h"

int ArchiverIndex = 0;
char ArchivePath[256];
int ArchiverPresent[kArchiverCount];
char ArchiverLibraryPath[kArchiverCount][260];
HMODULE ArchiverLibrary;
const char* const kArchiveTypeText[kArchiverCount] = {"書庫(LZH)", "書庫(ZIP)", "書庫(CAB)"};
int FolderSearchActive = 0;
int (*FolderSearchAllowsArchive)(int index) = nullptr;

namespace {

const char* const kLibraryName[kArchiverCount] = {"unlha32.dll", "unzip32.dll", "cab32.dll"};
const char* const kFunctionPrefix[kArchiverCount] = {"Unlha", "UnZip", "Cab"};
const char* const kExtractPrefix[kArchiverCount] = {"e -n1 -jsc ", "-x --i ", "-x -i -j "};
constexpr DWORD kOpenMode = 4194304;   // only M_ERROR_MESSAGE_ON
constexpr int kCheckBasic = 1;
constexpr int kRecordSize = 560;
constexpr int kRecordNameOffset = 26;
constexpr int kRecordNameSize = 513;

// The member record the libraries' FindFirst/FindNext fill.
char MemberRecord[kRecordSize];

using CheckFunction = BOOL(WINAPI*)(LPCSTR, int);
using CountFunction = int(WINAPI*)(LPCSTR);
using OpenFunction = HANDLE(WINAPI*)(HWND, LPCSTR, DWORD);
using FindFirstFunction = int(WINAPI*)(HANDLE, LPCSTR, void*);
using FindNextFunction = int(WINAPI*)(HANDLE, void*);
using CloseFunction = int(WINAPI*)(HANDLE);
using CommandFunction = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
using VersionFunction = WORD(WINAPI*)();

bool ValidIndex(int index) { return index >= 0 && index < kArchiverCount; }

// Looks up the current library's function with the given role ("" for the
// command function itself); null when the library or the function is missing.
template <typename F>
F LibraryFunction(const char* role) {
    if (!ArchiverLibrary || !ValidIndex(ArchiverIndex)) return nullptr;
    char name[64];
    if (!CopyText(name, sizeof name, kFunctionPrefix[ArchiverIndex]) || !AppendText(name, sizeof name, role))
        return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(ArchiverLibrary, name)));
}

// Loads the library for one operation and frees it when the operation ends.
class LoadedArchiver {
public:
    LoadedArchiver() { LoadArchiver(); }
    ~LoadedArchiver() { FreeArchiver(); }
    LoadedArchiver(const LoadedArchiver&) = delete;
    LoadedArchiver& operator=(const LoadedArchiver&) = delete;
};

// Closes the archive handle when the listing ends.
class OpenedArchive {
public:
    explicit OpenedArchive(HANDLE handle) : handle_(handle) {}
    ~OpenedArchive() {
        if (auto close = LibraryFunction<CloseFunction>("CloseArchive")) close(handle_);
    }
    OpenedArchive(const OpenedArchive&) = delete;
    OpenedArchive& operator=(const OpenedArchive&) = delete;

private:
    HANDLE handle_;
};

bool EndsWithSeparator(const char* path) { return path[0] && FileNameOffset(path) == std::strlen(path); }

// Appends a member found by FindArchiveMembers as a new last row; false
// when a name does not fit.
bool AddMemberRow(const std::string& fileName) {
    ScreenSaverEntry entry{};
    if (!CopyText(entry.name, sizeof entry.name, fileName.c_str()) ||
        !SplitFolderAndName(ArchivePath, entry.folder, sizeof entry.folder, entry.archive, sizeof entry.archive) ||
        !CopyText(entry.seconds, sizeof entry.seconds, "0") ||
        !CopyText(entry.type, sizeof entry.type, kArchiveTypeText[ArchiverIndex]))
        return false;
    CurrentEntry = entry;
    InsertEntryRow(GetEntryRowCount());
    ListModified = 1;
    return true;
}

}  // namespace

int IsArchiverPresent(int index) {
    if (!ValidIndex(index)) return 0;
    ArchiverLibraryPath[index][0] = '\0';
    const char* const folders[] = {SystemFolder, WindowsFolder, ProgramFolder};
    for (const char* folder : folders) {
        if (!folder[0]) continue;
        char candidate[260];
        if (!CopyText(candidate, sizeof candidate, folder) ||
            (!EndsWithSeparator(candidate) && !AppendText(candidate, sizeof candidate, "\\")) ||
            !AppendText(candidate, sizeof candidate, kLibraryName[index]))
            continue;
        WIN32_FIND_DATAA found;
        FindHandle search(FindFirstFileA(candidate, &found));
        if (search) {
            CopyText(ArchiverLibraryPath[index], sizeof ArchiverLibraryPath[index], candidate);
            return 1;
        }
    }
    return 0;
}

void LoadArchiver() {
    ArchiverLibrary = nullptr;
    if (!ValidIndex(ArchiverIndex) || !ArchiverLibraryPath[ArchiverIndex][0]) return;
    // The full path found at start-up, so a file of the same name in the
    // current folder is never picked up instead.
    ArchiverLibrary = LoadLibraryExA(ArchiverLibraryPath[ArchiverIndex], nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void FreeArchiver() {
    if (ArchiverLibrary) FreeLibrary(ArchiverLibrary);
    ArchiverLibrary = nullptr;
}

WORD GetArchiverVersion(int index) {
    ArchiverIndex = index;
    LoadedArchiver library;
    const auto version = LibraryFunction<VersionFunction>("GetVersion");
    return version ? static_cast<WORD>(version() & 0xFFFF) : 0;
}

std::vector<std::string> FindArchiveMembers(int index, const char* archivePath, HWND owner) {
    std::vector<std::string> names;
    if (!ValidIndex(index) || !CopyText(ArchivePath, sizeof ArchivePath, archivePath)) return names;
    ArchiverIndex = index;
    LoadedArchiver library;
    const auto check = LibraryFunction<CheckFunction>("CheckArchive");
    const auto count = LibraryFunction<CountFunction>("GetFileCount");
    const auto open = LibraryFunction<OpenFunction>("OpenArchive");
    const auto findFirst = LibraryFunction<FindFirstFunction>("FindFirst");
    const auto findNext = LibraryFunction<FindNextFunction>("FindNext");
    if (!check || !count || !open || !findFirst || !findNext || !LibraryFunction<CloseFunction>("CloseArchive"))
        return names;
    if (!check(ArchivePath, kCheckBasic)) return names;
    const int members = count(ArchivePath);
    if (members <= 0) return names;
    HANDLE handle = open(owner, ArchivePath, kOpenMode);
    if (!handle) return names;
    OpenedArchive archive(handle);
    std::memset(MemberRecord, 0, sizeof MemberRecord);
    // A library that never answers -1 still ends here: no archive has more
    // matches than members.
    int found = 0;
    for (int result = findFirst(handle, "*.SCR", MemberRecord); result != -1 && found < members;
         result = findNext(handle, MemberRecord)) {
        ++found;
        char member[kRecordNameSize];
        std::memcpy(member, MemberRecord + kRecordNameOffset, kRecordNameSize - 1);
        member[kRecordNameSize - 1] = '\0';
        const char* fileName = member + FileNameOffset(member);
        if (*fileName) names.emplace_back(fileName);
        std::memset(MemberRecord, 0, sizeof MemberRecord);
        if (found == members) break;
    }
    return names;
}

void ListArchiveMembers() {
    if (!ValidIndex(ArchiverIndex)) return;
    if (FolderSearchActive) {
        if (!FolderSearchAllowsArchive || !FolderSearchAllowsArchive(ArchiverIndex)) return;
    } else if (!ArchiverPresent[ArchiverIndex]) {
        return;
    }
    char path[sizeof ArchivePath];
    std::memcpy(path, ArchivePath, sizeof path);
    for (const std::string& name : FindArchiveMembers(ArchiverIndex, path, MainWindow)) AddMemberRow(name);
}

int ExtractMember(const char* memberName, const char* destinationFolder) {
    if (!ValidIndex(ArchiverIndex)) return -1;
    // No Windows path holds a double quote; one in an edited list file would
    // end an argument early and could point the extraction elsewhere.
    for (const char* part : {memberName, destinationFolder, static_cast<const char*>(ArchivePath)})
        if (std::strchr(part, '"')) return -1;
    char command[1024];
    if (!CopyText(command, sizeof command, kExtractPrefix[ArchiverIndex]) ||
        !AppendText(command, sizeof command, " \"") || !AppendText(command, sizeof command, ArchivePath) ||
        !AppendText(command, sizeof command, "\" \"") || !AppendText(command, sizeof command, destinationFolder) ||
        !AppendText(command, sizeof command, "\" \"") || !AppendText(command, sizeof command, memberName) ||
        !AppendText(command, sizeof command, "\""))
        return -1;  // a command line that does not fit is not cut
    LoadedArchiver library;
    const auto run = LibraryFunction<CommandFunction>("");
    if (!run) return -1;
    char output[1024] = {};
    return run(MainWindow, command, output, sizeof output);
}
