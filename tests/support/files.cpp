#include "support/files.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/main_window.h"
#include "base/wide.h"
#include "support/controls.h"

ScratchFolder::ScratchFolder() {
    static int counter = 0;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = Text932(temp) + "zelvista-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) +
            "\\";
    RemoveTree(path_);
    CreateDirectoryW(Wide(path_), nullptr);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

// In UTF-16, so that a file whose name code page 932 cannot write goes too.
void RemoveTreeWide(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    {
        FindHandle search(FindFirstFileW((folder + L"*").c_str(), &found));
        if (search) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTreeWide(folder + name + L"\\");
                else DeleteFileW((folder + name).c_str());
            } while (FindNextFileW(search.get(), &found));
        }
    }
    RemoveDirectoryW(folder.c_str());
}

void RemoveTree(const std::string& folder) {
    RemoveTreeWide(std::wstring(Wide(folder).view()));
}

std::string TestProgramFolder() {
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::string path = Text932(module);
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::string ReadFileBytes(const std::string& path) {
    Handle file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr));
    std::string bytes;
    if (!file) return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    Handle file(CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD wrote = 0;
    if (file && !bytes.empty()) WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
}

bool CopyFileTo(const std::string& from, const std::string& to) {
    return CopyFileW(Wide(from), Wide(to), FALSE) != FALSE;
}

void EmptyFolder(const std::string& folder) {
    for (const std::string& name : FolderEntries(folder)) DeleteFileW(Wide(folder + name));
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW((std::wstring(Wide(folder).view()) + L"*").c_str(), &found));
    if (!search) return names;
    do {
        const std::string name = Text932(found.cFileName);
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(search.get(), &found));
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
