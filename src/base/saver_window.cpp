#include "base/saver_window.h"

#include <cstring>

#include "base/handles.h"
#include "base/monitors.h"
#include "base/wide.h"

namespace {

// The whole window over the whole of its monitor.
bool CoversAMonitor(HWND window) {
    RECT r{};
    return GetWindowRect(window, &r) && CoversItsMonitor(window, r);
}

bool OfSaverClass(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, kSaverWindowClass) == 0;
}

DWORD OwnerOf(HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner;
}

struct ProcessWindows {
    DWORD processId;
    bool hiddenToo;  // hidden windows of the screen saver class count
    HWND ofClass = nullptr;
    HWND covering = nullptr;
    void (*visit)(HWND, void*) = nullptr;
    void* context = nullptr;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ProcessWindows*>(param);
    if (OwnerOf(window) != search->processId) return TRUE;
    const bool visible = IsWindowVisible(window) != FALSE;
    if (!visible && !search->hiddenToo) return TRUE;
    bool counts = false;
    if (OfSaverClass(window) && (visible || search->hiddenToo)) {
        if (!search->ofClass && visible) search->ofClass = window;
        counts = true;
    } else if (visible && CoversAMonitor(window)) {
        if (!search->covering) search->covering = window;
        counts = true;
    }
    if (counts && search->visit) search->visit(window, search->context);
    // A search for the window (no visitor) has its answer at the first one
    // of the screen saver class.
    return search->visit || !search->ofClass;
}

// The file's full long name, for comparing two spellings of one path.
bool LongName(const wchar_t* path, wchar_t (&out)[MAX_PATH]) {
    wchar_t full[MAX_PATH];
    const DWORD n = GetFullPathNameW(path, MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH) return false;
    const DWORD m = GetLongPathNameW(full, out, MAX_PATH);
    return m > 0 && m < MAX_PATH;
}

bool SameFile(const wchar_t* a, const wchar_t* b) {
    wchar_t longA[MAX_PATH], longB[MAX_PATH];
    if (!LongName(a, longA) || !LongName(b, longB)) return false;
    return CompareStringOrdinal(longA, -1, longB, -1, TRUE) == CSTR_EQUAL;
}

bool StartedFrom(DWORD processId, const char* path) {
    Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return false;
    wchar_t image[MAX_PATH];
    DWORD size = MAX_PATH;
    if (!QueryFullProcessImageNameW(process.get(), 0, image, &size)) return false;
    return SameFile(image, Wide(path));
}

struct SystemSaverSearch {
    const char* path;
    HWND found;
};

BOOL CALLBACK MatchSystemSaver(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<SystemSaverSearch*>(param);
    if (OwnerOf(window) == GetCurrentProcessId()) return TRUE;
    if (!IsWindowVisible(window) || !CoversAMonitor(window)) return TRUE;
    if (!StartedFrom(OwnerOf(window), search->path)) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindSaverWindow(DWORD processId) {
    if (!processId) return nullptr;
    ProcessWindows search{processId, false};
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.ofClass ? search.ofClass : search.covering;
}

void ForEachSaverWindow(DWORD processId, void (*visit)(HWND, void*), void* context) {
    if (!processId) return;
    ProcessWindows search{processId, true};
    search.visit = visit;
    search.context = context;
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
}

HWND FindSystemSaverWindow(const char* standardSaverPath) {
    // A hidden one is a screen saver on its way out: the user is back.
    for (HWND window = FindWindowExA(nullptr, nullptr, kSaverWindowClass, nullptr); window;
         window = FindWindowExA(nullptr, window, kSaverWindowClass, nullptr))
        if (IsWindowVisible(window)) return window;
    if (!standardSaverPath || standardSaverPath[0] == '\0') return nullptr;
    SystemSaverSearch search{standardSaverPath, nullptr};
    EnumWindows(MatchSystemSaver, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
