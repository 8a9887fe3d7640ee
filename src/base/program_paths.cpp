#include "base/program_paths.h"

#include <windows.h>

#include <string>

#include "base/files.h"
#include "base/path_names.h"
#include "base/text.h"

ProgramPaths AppPaths;

const char kWorkFolderName[] = "ZelvistaWork\\";
const char kRecoveryListName[] = "Recovered.lst";

ProgramPaths MakeProgramPaths(const char* modulePath, const char* windowsFolder, const char* systemFolder,
                              const char* systemIniPath) {
    ProgramPaths paths;
    char name[256];
    // A module path that does not fit leaves the program folder empty
    // rather than pointing somewhere else.
    if (!SplitFolderAndName(modulePath, paths.ProgramFolder, sizeof paths.ProgramFolder, name, sizeof name))
        paths.ProgramFolder[0] = '\0';

    // Without a program folder nothing is derived from it: a relative
    // "temp\" would make start-up empty a folder of the user's.
    auto build = [&paths](char* dest, std::size_t size, const char* leaf) {
        if (!paths.ProgramFolder[0] || !CopyText(dest, size, paths.ProgramFolder) || !AppendText(dest, size, leaf))
            dest[0] = '\0';
    };
    build(paths.StandardListPath, sizeof paths.StandardListPath, "zelvista.lst");
    build(paths.WorkFolder, sizeof paths.WorkFolder, kWorkFolderName);
    build(paths.SaverStoreFolder, sizeof paths.SaverStoreFolder, "Scrnsave\\");
    CopyText(paths.WindowsFolder, sizeof paths.WindowsFolder, windowsFolder);
    CopyText(paths.SystemFolder, sizeof paths.SystemFolder, systemFolder);
    CopyText(paths.SystemIniPath, sizeof paths.SystemIniPath, systemIniPath);
    return paths;
}

namespace {

// A path the system gives, in code page 932 (short names where needed);
// empty when it cannot be written so or the call failed.
std::string SystemPath(const wchar_t* path, DWORD length, DWORD capacity) {
    if (length == 0 || length >= capacity) return std::string();
    return PathInCodePage932(std::wstring_view(path, length)).path;
}

}  // namespace

std::string ModulePathIn932() {
    wchar_t module[MAX_PATH];
    return SystemPath(module, GetModuleFileNameW(nullptr, module, MAX_PATH), MAX_PATH);
}

void SetUpProgramPaths() {
    wchar_t windows[MAX_PATH];
    const std::string windowsPath = SystemPath(windows, GetWindowsDirectoryW(windows, MAX_PATH), MAX_PATH);
    wchar_t system[MAX_PATH];
    const std::string systemPath = SystemPath(system, GetSystemDirectoryW(system, MAX_PATH), MAX_PATH);
    wchar_t ini[MAX_PATH];
    const std::string iniPath =
        SystemPath(ini, SearchPathW(nullptr, L"SYSTEM", L".INI", MAX_PATH, ini, nullptr), MAX_PATH);
    AppPaths = MakeProgramPaths(ModulePathIn932().c_str(), windowsPath.c_str(), systemPath.c_str(), iniPath.c_str());
}

OwnFolder SetUpWorkFolder() {
    const OwnFolder state = MakeOwnFolder(AppPaths.WorkFolder);
    if (state != OwnFolder::Ours) AppPaths.WorkFolder[0] = '\0';
    return state;
}

bool ClearWorkFolder() {
    return EmptyOwnFolder(AppPaths.WorkFolder, kRecoveryListName);
}
