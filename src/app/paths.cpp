#include "app/paths.h"

#include <windows.h>

#include <cstring>

#include "app/handles.h"

char ProgramFolder[256];
char StandardListPath[256];
char WorkFolder[256];
char SaverStoreFolder[256];
char WindowsFolder[260];
char SystemFolder[260];
char SystemIniPath[256];

bool CopyText(char* dest, std::size_t destSize, const char* src) {
    if (destSize == 0) return false;
    std::size_t n = std::strlen(src);
    if (n >= destSize) {
        dest[0] = '\0';
        return false;
    }
    std::memcpy(dest, src, n + 1);
    return true;
}

bool AppendText(char* dest, std::size_t destSize, const char* src) {
    std::size_t have = strnlen(dest, destSize);
    std::size_t n = std::strlen(src);
    if (have >= destSize || n >= destSize - have) return false;
    std::memcpy(dest + have, src, n + 1);
    return true;
}

std::size_t FileNameOffset(const char* path) {
    std::size_t start = 0;
    for (std::size_t i = 0; path[i] != '\0'; ++i) {
        if (IsDBCSLeadByteEx(932, static_cast<BYTE>(path[i]))) {
            if (path[i + 1] == '\0') break;
            ++i;  // the trail byte may be 0x5C and is never a separator
            continue;
        }
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':') start = i + 1;
    }
    return start;
}

bool SplitFolderAndName(const char* path, char* folder, std::size_t folderSize,
                        char* name, std::size_t nameSize) {
    std::size_t cut = FileNameOffset(path);
    if (cut >= folderSize || std::strlen(path + cut) >= nameSize) return false;
    std::memcpy(folder, path, cut);
    folder[cut] = '\0';
    std::memcpy(name, path + cut, std::strlen(path + cut) + 1);
    return true;
}

void SetUpProgramPaths() {
    char module[256];
    DWORD n = GetModuleFileNameA(nullptr, module, sizeof module);
    char name[256];
    // A module path that does not fit leaves the folders empty (relative to
    // the current folder) rather than pointing somewhere else.
    if (n == 0 || n >= sizeof module ||
        !SplitFolderAndName(module, ProgramFolder, sizeof ProgramFolder, name, sizeof name))
        ProgramFolder[0] = '\0';

    // Without a program folder nothing is derived from it: a relative
    // "temp\" would make start-up empty a folder of the user's.
    auto build = [](char* dest, std::size_t size, const char* leaf) {
        if (!ProgramFolder[0] || !CopyText(dest, size, ProgramFolder) || !AppendText(dest, size, leaf))
            dest[0] = '\0';
    };
    build(StandardListPath, sizeof StandardListPath, "zelvista.lst");
    build(WorkFolder, sizeof WorkFolder, "temp\\");
    build(SaverStoreFolder, sizeof SaverStoreFolder, "Scrnsave\\");

    UINT w = GetWindowsDirectoryA(WindowsFolder, sizeof WindowsFolder);
    if (w == 0 || w >= sizeof WindowsFolder) WindowsFolder[0] = '\0';
    UINT s = GetSystemDirectoryA(SystemFolder, sizeof SystemFolder);
    if (s == 0 || s >= sizeof SystemFolder) SystemFolder[0] = '\0';
    DWORD ini = SearchPathA(nullptr, "SYSTEM", ".INI", sizeof SystemIniPath, SystemIniPath, nullptr);
    if (ini == 0 || ini >= sizeof SystemIniPath) SystemIniPath[0] = '\0';
}

int FileExists(const char* pathOrPattern) {
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA(pathOrPattern, &data));
    return find ? 1 : 0;
}

void ClearWorkFolder() {
    if (WorkFolder[0] == '\0') return;
    char pattern[256];
    if (!CopyText(pattern, sizeof pattern, WorkFolder) || !AppendText(pattern, sizeof pattern, "*.*"))
        return;
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA(pattern, &data));
    if (!find) return;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        char file[MAX_PATH];
        if (CopyText(file, sizeof file, WorkFolder) && AppendText(file, sizeof file, data.cFileName))
            DeleteFileA(file);
    } while (FindNextFileA(find.get(), &data));
}
