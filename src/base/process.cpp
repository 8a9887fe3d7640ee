#include "base/process.h"

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

int RunAndWait(const char* commandLine) {
    StartedProcess started = StartProcess(commandLine, SW_SHOWNORMAL);
    if (!started.process) return 0;
    WaitForSingleObject(started.process.get(), INFINITE);
    return 1;
}

bool StartWithoutWaiting(const char* commandLine) {
    return static_cast<bool>(StartProcess(commandLine, SW_SHOW).process);
}
