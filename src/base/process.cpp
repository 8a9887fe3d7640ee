#include "base/process.h"

#include <shellapi.h>

#include <string>

#include "base/wide.h"

StartedProcess StartProcess(const char* commandLine, WORD show) {
    StartedProcess started;
    // CreateProcess may write into its command line. In UTF-16, so that a
    // path code page 932 writes reaches the program whatever the process's
    // code page.
    std::wstring command(Wide(commandLine).view());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return started;
    CloseHandle(info.hThread);
    started.process.reset(info.hProcess);
    started.id = info.dwProcessId;
    return started;
}

int RunAndWait(const char* program, HWND owner, DWORD* error) {
    const Wide file(program);
    SHELLEXECUTEINFOW run{};
    run.cbSize = sizeof run;
    // Our own message when it fails; no process handle is lost.
    run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    run.hwnd = owner;
    run.lpFile = file;
    run.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&run)) {
        const DWORD why = GetLastError();
        if (error) *error = why != 0 ? why : ERROR_FILE_NOT_FOUND;
        return 0;
    }
    Handle process(run.hProcess);
    if (process) WaitForProcessEnd(process.get(), INFINITE);
    if (error) *error = 0;
    return 1;
}

bool StartWithoutWaiting(const char* commandLine) {
    return static_cast<bool>(StartProcess(commandLine, SW_SHOW).process);
}

bool WaitForProcessEnd(HANDLE process, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD left = INFINITE;
        if (ms != INFINITE) {
            const DWORD spent = GetTickCount() - start;
            left = spent >= ms ? 0 : ms - spent;
        }
        const DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0) return true;
        if (woke != WAIT_OBJECT_0 + 1) return false;
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

bool ProcessAgeMs(DWORD processId, DWORD* ms) {
    Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!process || !GetProcessTimes(process.get(), &created, &exited, &kernel, &user)) return false;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG from = (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    const ULONGLONG to = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const ULONGLONG age = to > from ? (to - from) / 10000 : 0;  // 100-ns units
    *ms = age > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(age);
    return true;
}
