#include "base/process.h"

#include <windows.h>

#include "base/handles.h"
#include "base/text.h"

int RunAndWait(const char* commandLine) {
    char command[256];  // CreateProcess may write into its command line
    if (!CopyText(command, sizeof command, commandLine)) return 0;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 0;
    Handle thread(process.hThread);
    Handle owned(process.hProcess);
    thread.reset();
    WaitForSingleObject(owned.get(), INFINITE);
    return 1;
}
