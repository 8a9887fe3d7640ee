// Files and folders of the tests: scratch folders, whole-file reads and
// writes, the tests' own program folder, a started Zelvista.exe.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/handles.h"

// A fresh folder under the temp folder with a name no other test uses,
// removed with its contents when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }  // ends with a backslash

private:
    std::string path_;
};

// Removes a folder with everything in it.
void RemoveTree(const std::string& folder);
// Deletes the files of a folder (the folder itself stays).
void EmptyFolder(const std::string& folder);

// The tests' own program folder (ends with a backslash).
std::string TestProgramFolder();
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool CopyFileTo(const std::string& from, const std::string& to);
// Names in a folder (files and folders, no "." or ".."), sorted.
std::vector<std::string> FolderEntries(const std::string& folder);

// Zelvista.exe of the same build, started as its own process.
struct ProgramProcess {
    Handle process;
    DWORD id = 0;
};
// The program built (Zelvista.exe in the build's bin folder).
std::string BuiltZelvista();
// Started from program (a copy of it elsewhere) when given.
ProgramProcess StartZelvista(WORD showWindow = SW_SHOWDEFAULT, const std::string& programFile = "");
// The same program copied elsewhere (its file at exe), started there.
ProgramProcess StartZelvistaAt(const std::string& exe);
// Its main window once it is there (visible ones only when asked), else null.
HWND FindProcessMainWindow(DWORD processId, bool visibleOnly);
// A message box (or other dialog) of the process once it shows, waiting up
// to waitMs; else null.
HWND FindProcessMessageBox(DWORD processId, DWORD waitMs = 10000);
// Posts WM_CLOSE to its main window and waits for it to end; ended at once
// (and the test failed) when it does not.
void CloseZelvista(ProgramProcess& program);
