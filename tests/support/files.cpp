#include "support/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/main_window.h"

ScratchFolder::ScratchFolder() {
    static int counter = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "zelvista-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter) + "\\";
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    {
        FindHandle search(FindFirstFileA((folder + "*").c_str(), &found));
        if (search) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..") continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(folder + name + "\\");
                else DeleteFileA((folder + name).c_str());
            } while (FindNextFileA(search.get(), &found));
        }
    }
    RemoveDirectoryA(folder.c_str());
}

std::string TestProgramFolder() {
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string path = module;
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool CopyFileTo(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

void EmptyFolder(const std::string& folder) {
    for (const std::string& name : FolderEntries(folder)) DeleteFileA((folder + name).c_str());
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA((folder + "*").c_str(), &found));
    if (!search) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search.get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

std::string BuiltZelvista() {
    return TestProgramFolder() + "..\\bin\\Zelvista.exe";
}

ProgramProcess StartZelvista(WORD showWindow, const std::string& programFile) {
    std::string exe = programFile.empty() ? BuiltZelvista() : programFile;
    std::string cmd = "\"" + exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (showWindow != SW_SHOWDEFAULT) {
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = showWindow;
    }
    PROCESS_INFORMATION pi{};
    ProgramProcess program;
    if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return program;
    Handle thread(pi.hThread);
    program.process.reset(pi.hProcess);
    program.id = pi.dwProcessId;
    return program;
}

ProgramProcess StartZelvistaAt(const std::string& exe) {
    return StartZelvista(SW_SHOWDEFAULT, exe);
}

HWND FindProcessMessageBox(DWORD processId, DWORD waitMs) {
    struct Search {
        DWORD id;
        HWND found;
    } search{processId, nullptr};
    for (DWORD waited = 0;; waited += 50) {
        EnumWindows(
            [](HWND w, LPARAM p) -> BOOL {
                auto* s = reinterpret_cast<Search*>(p);
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                char cls[16] = "";
                GetClassNameA(w, cls, sizeof cls);
                if (owner == s->id && std::string(cls) == "#32770" && IsWindowVisible(w)) s->found = w;
                return s->found ? FALSE : TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found || waited >= waitMs) return search.found;
        Sleep(50);
    }
}

void CloseZelvista(ProgramProcess& program) {
    HWND window = FindProcessMainWindow(program.id, false);
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(program.process.get(), 20000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the program did not close";
        TerminateProcess(program.process.get(), 1);
        WaitForSingleObject(program.process.get(), 5000);
    }
}

HWND FindProcessMainWindow(DWORD processId, bool visibleOnly) {
    for (int i = 0; i < 200; ++i) {
        HWND w = nullptr;
        while ((w = FindWindowExA(nullptr, w, kMainWindowClass, nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == processId && (!visibleOnly || IsWindowVisible(w))) return w;
        }
        Sleep(50);
    }
    return nullptr;
}
