#include "archive/archiver.h"

#include <cstring>
#include <initializer_list>

#include "base/program_paths.h"
#include "base/text.h"

ArchiverLibraries Archivers;
const char* const kArchiveTypeText[kArchiverCount] = {"書庫(LZH)", "書庫(ZIP)", "書庫(CAB)"};

namespace {

const char* const kLibraryName[kArchiverCount] = {"unlha32.dll", "unzip32.dll", "cab32.dll"};
const char* const kFunctionPrefix[kArchiverCount] = {"Unlha", "UnZip", "Cab"};
const char* const kExtractPrefix[kArchiverCount] = {"e -n1 -jsc ", "-x --i ", "-x -i -j "};
constexpr DWORD kOpenMode = 4194304;   // only M_ERROR_MESSAGE_ON
constexpr int kCheckBasic = 1;
constexpr int kRecordSize = 560;
constexpr int kRecordNameOffset = 26;
constexpr int kRecordNameSize = 513;

using CheckFunction = BOOL(WINAPI*)(LPCSTR, int);
using CountFunction = int(WINAPI*)(LPCSTR);
using OpenFunction = HANDLE(WINAPI*)(HWND, LPCSTR, DWORD);
using FindFirstFunction = int(WINAPI*)(HANDLE, LPCSTR, void*);
using FindNextFunction = int(WINAPI*)(HANDLE, void*);
using CloseFunction = int(WINAPI*)(HANDLE);
using CommandFunction = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
using VersionFunction = WORD(WINAPI*)();

bool ValidIndex(int index) { return index >= 0 && index < kArchiverCount; }

// The library's function with the given role ("" for the command function
// itself); null when the library or the function is missing.
template <typename F>
F LibraryFunction(const ModuleHandle& library, int index, const char* role) {
    if (!library || !ValidIndex(index)) return nullptr;
    char name[64];
    if (!CopyText(name, sizeof name, kFunctionPrefix[index]) || !AppendText(name, sizeof name, role))
        return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library.get(), name)));
}

// Closes the archive handle when the listing ends.
class OpenedArchive {
public:
    OpenedArchive(HANDLE handle, CloseFunction close) : handle_(handle), close_(close) {}
    ~OpenedArchive() { close_(handle_); }
    OpenedArchive(const OpenedArchive&) = delete;
    OpenedArchive& operator=(const OpenedArchive&) = delete;

private:
    HANDLE handle_;
    CloseFunction close_;
};

// The file-name part of the member in a record; empty when there is none.
std::string MemberFileName(const char* record) {
    char member[kRecordNameSize];
    std::memcpy(member, record + kRecordNameOffset, kRecordNameSize - 1);
    member[kRecordNameSize - 1] = '\0';
    const char* fileName = member + FileNameOffset(member);
    return std::strlen(fileName) < 256 ? fileName : "";
}

bool ListingAllowed(int index, const FolderSearchBoxes* folderSearch) {
    if (folderSearch) return folderSearch->allowsArchive && folderSearch->allowsArchive(index);
    return Archivers.Present[index] != 0;
}

}  // namespace

int IsArchiverPresent(int index) {
    if (!ValidIndex(index)) return 0;
    Archivers.LibraryPath[index][0] = '\0';
    const char* const folders[] = {AppPaths.SystemFolder, AppPaths.WindowsFolder, AppPaths.ProgramFolder};
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
    return ModuleHandle(LoadLibraryExA(Archivers.LibraryPath[index], nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

WORD GetArchiverVersion(int index) {
    ModuleHandle library = LoadArchiver(index);
    const auto version = LibraryFunction<VersionFunction>(library, index, "GetVersion");
    return version ? static_cast<WORD>(version() & 0xFFFF) : 0;
}

std::vector<std::string> ListArchiveMembers(int index, const char* archivePath, HWND owner,
                                            const FolderSearchBoxes* folderSearch) {
    std::vector<std::string> names;
    if (!ValidIndex(index) || !ListingAllowed(index, folderSearch)) return names;
    ModuleHandle library = LoadArchiver(index);
    const auto check = LibraryFunction<CheckFunction>(library, index, "CheckArchive");
    const auto count = LibraryFunction<CountFunction>(library, index, "GetFileCount");
    const auto open = LibraryFunction<OpenFunction>(library, index, "OpenArchive");
    const auto findFirst = LibraryFunction<FindFirstFunction>(library, index, "FindFirst");
    const auto findNext = LibraryFunction<FindNextFunction>(library, index, "FindNext");
    const auto close = LibraryFunction<CloseFunction>(library, index, "CloseArchive");
    if (!check || !count || !open || !findFirst || !findNext || !close) return names;
    if (!check(archivePath, kCheckBasic)) return names;
    const int members = count(archivePath);
    if (members <= 0) return names;
    HANDLE handle = open(owner, archivePath, kOpenMode);
    if (!handle) return names;
    OpenedArchive archive(handle, close);
    // The record the library fills for each member.
    char record[kRecordSize] = {};
    // A library that never answers -1 still ends here: no archive has more
    // matches than members.
    int found = 0;
    for (int result = findFirst(handle, "*.SCR", record); result != -1 && found < members;
         result = findNext(handle, record)) {
        ++found;
        std::string name = MemberFileName(record);
        if (!name.empty()) names.push_back(std::move(name));
        std::memset(record, 0, sizeof record);
        if (found == members) break;
    }
    return names;
}

int ExtractMember(int index, const char* archivePath, const char* memberName, const char* destinationFolder,
                  HWND owner) {
    if (!ValidIndex(index)) return -1;
    // No Windows path holds a double quote; one in an edited list file would
    // end an argument early and could point the extraction elsewhere.
    for (const char* part : {memberName, destinationFolder, archivePath})
        if (std::strchr(part, '"')) return -1;
    char command[1024];
    if (!CopyText(command, sizeof command, kExtractPrefix[index]) ||
        !AppendText(command, sizeof command, " \"") || !AppendText(command, sizeof command, archivePath) ||
        !AppendText(command, sizeof command, "\" \"") || !AppendText(command, sizeof command, destinationFolder) ||
        !AppendText(command, sizeof command, "\" \"") || !AppendText(command, sizeof command, memberName) ||
        !AppendText(command, sizeof command, "\""))
        return -1;  // a command line that does not fit is not cut
    ModuleHandle library = LoadArchiver(index);
    const auto run = LibraryFunction<CommandFunction>(library, index, "");
    if (!run) return -1;
    char output[1024] = {};
    return run(owner, command, output, sizeof output);
}
