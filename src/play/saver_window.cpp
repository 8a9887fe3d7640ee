#include "play/saver_window.h"

#include <cstring>

#include "base/saver_window_class.h"

namespace {

struct SaverWindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchSaverWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<SaverWindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, kSaverWindowClass) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindSaverWindow(DWORD processId) {
    SaverWindowSearch search{processId, nullptr};
    if (processId) EnumWindows(MatchSaverWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
