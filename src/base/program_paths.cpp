#include "base/program_paths.h"

#include <windows.h>

#include "base/files.h"
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

void SetUpProgramPaths() {
    char module[256];
    DWORD n = GetModuleFileNameA(nullptr, module, sizeof module);
    if (n == 0 || n >= sizeof module) module[0] = '\0';
    char windows[260];
    UINT w = GetWindowsDirectoryA(windows, sizeof windows);
    if (w == 0 || w >= sizeof windows) windows[0] = '\0';
    char system[260];
    UINT s = GetSystemDirectoryA(system, sizeof system);
    if (s == 0 || s >= sizeof system) system[0] = '\0';
    char ini[256];
    DWORD i = SearchPathA(nullptr, "SYSTEM", ".INI", sizeof ini, ini, nullptr);
    if (i == 0 || i >= sizeof ini) ini[0] = '\0';
    AppPaths = MakeProgramPaths(module, windows, system, ini);
}

OwnFolder SetUpWorkFolder() {
    const OwnFolder state = MakeOwnFolder(AppPaths.WorkFolder);
    if (state != OwnFolder::Ours) AppPaths.WorkFolder[0] = '\0';
    return state;
}

bool ClearWorkFolder() {
    return EmptyOwnFolder(AppPaths.WorkFolder, kRecoveryListName);
}
