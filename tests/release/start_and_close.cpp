// Starts a program, waits for its main window ("Zelvista Class") to be shown,
// closes it as the close box does and waits for the program to end.
//   zelvista_start_and_close.exe "C:\...\Zelvista.exe"
// Exit code 0 when all of that happened, else 1 with the reason on stderr.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr char kMainWindowClass[] = "Zelvista Class";
constexpr DWORD kWaitMs = 30000;

HWND FindShownMainWindow(DWORD processId) {
    for (DWORD waited = 0; waited < kWaitMs; waited += 100) {
        HWND w = nullptr;
        while ((w = FindWindowExA(nullptr, w, kMainWindowClass, nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == processId && IsWindowVisible(w)) return w;
        }
        Sleep(100);
    }
    return nullptr;
}

int Fail(const char* reason) {
    std::fprintf(stderr, "start_and_close: %s\n", reason);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return Fail("usage: zelvista_start_and_close PROGRAM");
    std::string command = std::string("\"") + argv[1] + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return Fail("the program could not be started");
    CloseHandle(process.hThread);

    HWND window = FindShownMainWindow(process.dwProcessId);
    if (!window) {
        TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hProcess);
        return Fail("no main window was shown");
    }
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    std::printf("main window: %s\n", title);

    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD ended = WaitForSingleObject(process.hProcess, kWaitMs);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    if (ended != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    if (ended != WAIT_OBJECT_0) return Fail("the program did not end after its window was closed");
    if (code != 0) return Fail("the program ended with a nonzero exit code");
    return 0;
}
