#include "system/screen_saver.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "base/handles.h"
#include "base/path_names.h"
#include "base/process.h"
#include "base/program_key.h"
#include "base/program_paths.h"
#include "base/strings.h"
#include "base/text.h"
#include "base/wide.h"
#include "res/resource.h"
#include "system/corner_timer.h"

int ScreenSaverActive;

namespace {
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
// The standard screen saver's short path: a value of kDesktopKey, and a key
// of system.ini's [boot] section. Written and read in UTF-16: the path is
// Windows' own, whatever the process's code page.
constexpr wchar_t kStandardSaverValue[] = L"SCRNSAVE.EXE";

// Left in the program's key while the program has the setting off for a
// while and it was on before: a program ended meanwhile (a crash, Task
// Manager, Windows shutting down) cannot switch it on again, its next start
// does. The setting itself is still written to the profile, which Windows
// reads at the next sign-in.
constexpr char kOffMarkValue[] = "TmpOff";
// The system's drive optimiser: it runs for a standard user and asks for
// administrator rights itself when it needs them.
constexpr char kDriveOptimizer[] = "\\dfrgui.exe";

void WriteOffMark() {
    KeyHandle key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS) {
        key.release();
        return;
    }
    const DWORD one = 1;
    RegSetValueExA(key.get(), kOffMarkValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
}

void RemoveOffMark() {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kProgramKey, kOffMarkValue);
}

int SetActiveSetting(int on) {
    int result = SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, on, nullptr, SPIF_UPDATEINIFILE);
    // Reading the setting back makes the change reach the display server at
    // once: Wine sends the new value with the next request that waits for an
    // answer, and a screen saver started while this thread blocks would
    // otherwise still see the old one.
    BOOL now = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &now, 0);
    return result;
}

// Windows NT and later read the standard screen saver from the user's
// desktop settings; SYSTEM.INI is where older systems look.
void WriteStandardSaverEntries(const char* shortPath) {
    const std::wstring path(Wide(std::string_view(shortPath, strnlen(shortPath, 255))).view());
    if (AppPaths.SystemIniPath[0] != '\0')
        WritePrivateProfileStringW(L"boot", kStandardSaverValue, path.c_str(), Wide(AppPaths.SystemIniPath));
    KeyHandle key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS) {
        key.release();
        return;
    }
    RegSetValueExW(key.get(), kStandardSaverValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
}
}  // namespace

bool ReadStandardScreenSaver(char* path, DWORD size) {
    if (size == 0) return false;
    path[0] = '\0';
    wchar_t value[MAX_PATH] = L"";
    DWORD bytes = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kStandardSaverValue, RRF_RT_REG_SZ, nullptr, value, &bytes) !=
        ERROR_SUCCESS)
        return false;
    // In the program's code page; a path that cannot be written so, or does
    // not fit, is none.
    const PathIn932 named = PathInCodePage932(value);
    if (!named.usable() || named.path.size() >= size) return false;
    std::memcpy(path, named.path.c_str(), named.path.size() + 1);
    return path[0] != '\0';
}

int IsScreenSaverActive() {
    BOOL active = FALSE;
    BOOL ok = SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    return ok == 1 && active == 1 ? 1 : 0;
}

int EnableScreenSaver() {
    ScreenSaverActive = 1;
    const int result = SetActiveSetting(1);
    RemoveOffMark();
    return result;
}

int DisableScreenSaver() {
    if (IsScreenSaverActive() == 1) WriteOffMark();  // before the setting goes off
    ScreenSaverActive = 0;
    return SetActiveSetting(0);
}

bool OffMarkPresent() {
    return RegGetValueA(HKEY_CURRENT_USER, kProgramKey, kOffMarkValue, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

bool MendInterruptedScreenSaverOff() {
    if (!OffMarkPresent()) return false;
    SetActiveSetting(1);
    RemoveOffMark();
    return true;
}

void RestoreScreenSaverSetting(int on) {
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, on == 1 ? 1 : 0, nullptr, SPIF_UPDATEINIFILE);
    RemoveOffMark();
}

namespace {

// Switched on only for a call that needs it and off again at once: the flag
// follows as Enable/DisableScreenSaver set it, the mark stays as it was (a
// program ended in between leaves the setting on, not off).
void SetActiveForACall(int on) {
    ScreenSaverActive = on;
    SetActiveSetting(on);
}

}  // namespace

void SetStandardScreenSaver(const char* shortPath) {
    if (!shortPath || shortPath[0] == '\0') return;  // never an empty standard screen saver
    // The active setting is on while the entry is written, and ends as it was.
    if (IsScreenSaverActive() == 1) {
        SetActiveSetting(1);
        WriteStandardSaverEntries(shortPath);
    } else {
        SetActiveForACall(1);
        WriteStandardSaverEntries(shortPath);
        SetActiveForACall(0);
    }
}

void SetScreenSaverTimeout(int minutes) {
    UINT seconds = static_cast<UINT>(minutes) * 60;
    // The waiting time takes effect for the session; the user's profile keeps its own.
    if (IsScreenSaverActive() == 1) {
        SystemParametersInfoA(SPI_SETSCREENSAVETIMEOUT, seconds, nullptr, 0);
    } else {
        SetActiveForACall(1);
        SystemParametersInfoA(SPI_SETSCREENSAVETIMEOUT, seconds, nullptr, 0);
        SetActiveForACall(0);
    }
}

void StartScreenSaverNow(HWND window) {
    if (IsScreenSaverActive() == 1) SendMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
}

ScreenSaverOffScope::ScreenSaverOffScope() : wasOn_(IsScreenSaverActive()) {
    DisableScreenSaver();
}

ScreenSaverOffScope::~ScreenSaverOffScope() {
    if (wasOn_ == 1) EnableScreenSaver();
}

namespace {

// The optimiser's path in the system folder: never a program of that name
// that happens to lie in the current folder.
bool DriveOptimizerPath(char* path, std::size_t size) {
    wchar_t system[MAX_PATH];
    const UINT n = GetSystemDirectoryW(system, MAX_PATH);
    return n > 0 && n < MAX_PATH && ToCodePage932(std::wstring_view(system, n), path, size) &&
           AppendText(path, size, kDriveOptimizer);
}

}  // namespace

void RunDefragWithoutScreenSaver(HWND window) {
    char path[MAX_PATH] = "";
    DWORD error = ERROR_FILE_NOT_FOUND;
    StopCornerTimer(window);
    {
        ScreenSaverOffScope off;
        if (DriveOptimizerPath(path, sizeof path)) RunAndWait(path, window, &error);
        StartCornerTimer(window);
    }
    // The user who declined the request for rights needs no message; any
    // other failure is told, after the setting is back.
    if (error == 0 || error == ERROR_CANCELLED) return;
    ShowMessageBox(window, FormatText(IDS_DEFRAG_CANNOT_START, path), LoadText(IDS_DEFRAG_CAPTION),
                   MB_OK | MB_ICONEXCLAMATION);
}
