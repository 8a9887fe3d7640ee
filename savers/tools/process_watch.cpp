#include "process_watch.h"

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    if (search->visibleOnly && !IsWindowVisible(window)) return TRUE;
    if (search->className) {
        char name[256];
        if (!GetClassNameA(window, name, sizeof name) || lstrcmpA(name, search->className) != 0) return TRUE;
    }
    search->found = window;
    return FALSE;
}

void DispatchWaiting() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

bool StartProcess(const std::string& commandLine, StartedProcess& out) {
    out = StartProcess(commandLine.c_str(), SW_SHOWNORMAL);
    return static_cast<bool>(out.process);
}

std::string SaverCommandLine(const std::string& path, const std::string& arguments) {
    std::string line = "\"" + path + "\"";
    if (!arguments.empty()) line += " " + arguments;
    return line;
}

HWND FindTopLevelWindow(DWORD processId, const char* className) {
    WindowSearch search{processId, className, true, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindChildWindow(HWND parent, DWORD processId, const char* className) {
    WindowSearch search{processId, className, false, nullptr};
    EnumChildWindows(parent, MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const std::function<HWND()>& find, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = find()) return window;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        DispatchWaiting();
    }
}

void PumpFor(DWORD ms) {
    DispatchWaiting();
    DWORD start = GetTickCount();
    for (DWORD passed = 0; passed < ms; passed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - passed, QS_ALLINPUT);
        DispatchWaiting();
    }
}

bool WaitForExit(HANDLE process, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        DWORD passed = GetTickCount() - start;
        if (passed >= timeoutMs) return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        DWORD r = MsgWaitForMultipleObjects(1, &process, FALSE, timeoutMs - passed, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return true;
        DispatchWaiting();
    }
}

bool CloseAndWait(HWND window, StartedProcess& process, DWORD timeoutMs) {
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForExit(process.process.get(), timeoutMs)) return true;
    TerminateProcess(process.process.get(), 1);
    WaitForSingleObject(process.process.get(), 5000);
    return false;
}
