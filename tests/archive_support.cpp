#include "archive_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

std::string ExeFolderParent() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s = path;
    for (int i = 0; i < 2; ++i) s = s.substr(0, s.find_last_of('\\'));
    return s + "\\";
}

std::string FromEnvironment(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    std::string folder = (value && *value) ? value : ExeFolderParent() + fallback;
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(folder + name + "\\");
            else DeleteFileA((folder + name).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

struct DialogDriver {
    const char* caption = nullptr;
    std::vector<std::function<void(HWND)>> steps;
    size_t next = 0;
    int waited = 0;
};
DialogDriver* driver = nullptr;

HWND FindDialog(const char* caption) {
    struct Search {
        const char* caption;
        HWND found;
    } search{caption, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            char text[256] = {};
            GetWindowTextA(w, text, sizeof text);
            if (IsWindowVisible(w) && std::string(text) == s->caption) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CALLBACK DriverTick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindDialog(driver->caption);
    if (!dialog) {
        if (++driver->waited > 100) {  // five seconds without the dialog
            KillTimer(nullptr, id);
            ADD_FAILURE() << "dialog \"" << driver->caption << "\" did not appear";
        }
        return;
    }
    if (driver->next < driver->steps.size()) {
        driver->steps[driver->next++](dialog);
        return;
    }
    KillTimer(nullptr, id);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

}  // namespace

std::string ArchiveFixture(const std::string& name) { return FromEnvironment("ZELVISTA_FIXTURES", "archive_fixtures") + name; }

std::string ArchiverDll(const std::string& name) { return FromEnvironment("ZELVISTA_ARCHIVERS", "bin") + name; }

std::string ReadWholeFile(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return {};
    std::string data;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) data.append(buffer, got);
    CloseHandle(f);
    return data;
}

bool CopyFileTo(const std::string& from, const std::string& to) { return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE; }

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

ScratchFolder::ScratchFolder() {
    static int counter = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "zvarc" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter) + "\\";
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void DriveModalDialog(const char* caption, const std::function<void()>& open,
                      std::vector<std::function<void(HWND)>> steps) {
    DialogDriver d;
    d.caption = caption;
    d.steps = std::move(steps);
    driver = &d;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, DriverTick);
    open();
    KillTimer(nullptr, timer);
    driver = nullptr;
    EXPECT_EQ(d.next, d.steps.size()) << "not every step ran";
}
