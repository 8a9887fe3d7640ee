#include "play/saver_process.h"

#include <cstdio>

#include "base/handles.h"
#include "base/text.h"

const char kSaverWindowClass[] = "WindowsScreenSaverClass";

namespace {

// A preview window is a child of one of ours in another process: creating
// and destroying it sends its parent a notice and waits for the answer, so
// every wait for that process must answer sent messages or both would stall.
void AnswerSentMessages() {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

bool HasEnded(HANDLE process) {
    return WaitForSingleObject(process, 0) != WAIT_TIMEOUT;
}

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
    if (lstrcmpA(name, kSaverWindowClass) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

bool BuildSaverCommandLine(char* out, std::size_t size, const char* path, HWND previewParent) {
    char saverSwitch[32] = " /s";
    if (previewParent) {
        const int handle = static_cast<int>(reinterpret_cast<INT_PTR>(previewParent));
        std::snprintf(saverSwitch, sizeof saverSwitch, " /p %d", handle);
    }
    return CopyText(out, size, "\"") && AppendText(out, size, path) && AppendText(out, size, "\"") &&
           AppendText(out, size, saverSwitch);
}

HANDLE StartSaverProcess(const char* commandLine) {
    char command[kSaverCommandSize];  // CreateProcess may write into its command line
    if (!CopyText(command, sizeof command, commandLine)) return nullptr;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

HWND FindSaverWindow(DWORD processId) {
    SaverWindowSearch search{processId, nullptr};
    if (processId) EnumWindows(MatchSaverWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void WaitForSaverReady(HANDLE process, DWORD ms) {
    constexpr DWORD kSlice = 15;
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD idle = WaitForInputIdle(process, kSlice);
        if (idle == 0 || idle == WAIT_FAILED || HasEnded(process)) return;
        AnswerSentMessages();
        if (GetTickCount() - start >= ms) return;
    }
}

bool WaitForProcessEnd(HANDLE process, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        const DWORD left = elapsed >= ms ? 0 : ms - elapsed;
        const DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0) return true;
        if (woke != WAIT_OBJECT_0 + 1) return HasEnded(process);
        AnswerSentMessages();
    }
}

void EndSaverProcess(HANDLE process, HWND window, DWORD closeMs, DWORD graceMs) {
    if (!process) return;
    // Posted, not sent: a screen saver that hangs must not hang the program.
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForProcessEnd(process, window ? closeMs : graceMs)) return;
    TerminateProcess(process, 1);
    WaitForProcessEnd(process, closeMs);
}
