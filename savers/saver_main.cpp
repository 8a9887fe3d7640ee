// The entry point every saver shares: log the start, read the command line,
// run the mode it asks for.
#include <windows.h>

#include <cstring>

#include "base/handles.h"
#include "saver_args.h"
#include "saver_settings.h"
#include "saver_window.h"

namespace {

// When ZELVISTA_SAVER_LOG names a file, every start appends its command line
// there, so tests and users can see how a saver was started.
void LogStart(const char* commandLine) {
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("ZELVISTA_SAVER_LOG", path, sizeof path);
    if (n == 0 || n >= sizeof path) return;
    Handle file(CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD wrote;
    WriteFile(file.get(), commandLine, static_cast<DWORD>(std::strlen(commandLine)), &wrote, nullptr);
    WriteFile(file.get(), "\r\n", 2, &wrote, nullptr);
}

HWND AsWindow(std::uintptr_t value) { return reinterpret_cast<HWND>(value); }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) {
    LogStart(GetCommandLineA());
    SaverArgs parsed = ParseSaverArgs(args);
    switch (parsed.mode) {
    case SaverMode::Configure:
        ShowSaverSettingsDialog(instance, AsWindow(parsed.window));
        return 0;
    case SaverMode::FullScreen:
        return RunFullScreen(instance, ReadSaverSetting());
    case SaverMode::Preview:
        return RunPreview(instance, AsWindow(parsed.window), ReadSaverSetting());
    case SaverMode::Nothing:
        break;
    }
    return 0;
}
