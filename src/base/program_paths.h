// The program's folders and files: one record, worked out once when the main
// window is created and read by every subsystem.
#pragma once
#include <string>

#include "base/own_folder.h"

struct ProgramPaths {
    char ProgramFolder[256] = "";     // ends with a backslash
    char StandardListPath[256] = "";  // ProgramFolder + "zelvista.lst"
    char WorkFolder[256] = "";        // ProgramFolder + "ZelvistaWork\"; empty when it is not the program's own
    char SaverStoreFolder[256] = "";  // ProgramFolder + "Scrnsave\"
    char WindowsFolder[260] = "";     // no trailing backslash
    char SystemFolder[260] = "";      // no trailing backslash
    char SystemIniPath[256] = "";     // empty when SYSTEM.INI is not found
};

extern ProgramPaths AppPaths;

// The record for a program at modulePath; the other three come from the
// system as they are. A path that does not fit leaves its field empty.
ProgramPaths MakeProgramPaths(const char* modulePath, const char* windowsFolder, const char* systemFolder,
                              const char* systemIniPath);
// The running program's path in code page 932 (short names where needed);
// empty when it has no such form.
std::string ModulePathIn932();
// Fills AppPaths from the running program and the system.
void SetUpProgramPaths();
// The work folder's name in the program folder.
extern const char kWorkFolderName[];  // "ZelvistaWork\"
// The list kept in the work folder when Windows ended the session with
// changes unsaved; emptying the folder leaves it.
extern const char kRecoveryListName[];  // "Recovered.lst"

// Makes the work folder the program's own (own_folder.h). When it cannot be,
// AppPaths.WorkFolder becomes empty, so that nothing is ever extracted into
// or deleted from a folder of the user's; the result says why.
OwnFolder SetUpWorkFolder();
// Empties the work folder of files (the mark, the recovered list and
// subfolders stay); false, with nothing deleted, when it is not the
// program's own.
bool ClearWorkFolder();
