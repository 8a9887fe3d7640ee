// Started under the name of an outside program; appends one line to
// %TEMP%\zelvista-standin.log: its own file name, whether the system screen
// saver was active while it ran, and its command line. With
// ZELVISTA_STANDIN_WAIT_MS set it then stays that long, as a program the
// user works in would.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main() {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    const char* name = std::strrchr(self, '\\');
    name = name ? name + 1 : self;
    BOOL active = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    char log[MAX_PATH];
    DWORD n = GetTempPathA(sizeof log, log);
    if (n == 0 || n + 32 > sizeof log) return 1;
    std::strcat(log, "zelvista-standin.log");
    FILE* out = std::fopen(log, "ab");
    if (!out) return 1;
    std::fprintf(out, "%s active=%d cmd=%s\n", name, active ? 1 : 0, GetCommandLineA());
    std::fclose(out);
    char wait[16] = "";
    if (GetEnvironmentVariableA("ZELVISTA_STANDIN_WAIT_MS", wait, sizeof wait) > 0) Sleep(std::strtoul(wait, nullptr, 10));
    return 0;
}
