#include "settings/settings.h"

#include <climits>

#include "base/handles.h"

const char kSettingsKey[] = "Software\\Tandelworks\\Zelvista";

const char kEndSave[] = "EndSave", kZOrder[] = "ZOrder", kLopPlay[] = "LopPlay", kChgTime[] = "ChgTime",
           kTskTray[] = "TskTray", kScrSave[] = "ScrSave", kSSPos[] = "SSPos", kSscBgn[] = "SscBgn",
           kSscTim[] = "SscTim", kTimPtn[] = "TimPtn";
const char kMainL[] = "MainL", kMainT[] = "MainT", kMainR[] = "MainR", kMainB[] = "MainB";
const char kViewL[] = "ViewL", kViewT[] = "ViewT", kViewR[] = "ViewR", kViewB[] = "ViewB";

Settings AppSettings;

namespace {

KeyHandle OpenSettingsKey() {
    KeyHandle key;
    char emptyClass[] = "";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, emptyClass, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        key.release();
    return key;
}

void ReadOrDefault(const char* name, int* field, int fallback) {
    if (!ReadSettingDword(name, field)) *field = fallback;
}

void StoreRect(HWND window, const char* l, const char* t, const char* r, const char* b) {
    if (AppSettings.EndSave != 1 || !window) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return;
    const RECT& n = placement.rcNormalPosition;
    WriteSettingDword(l, n.left);
    WriteSettingDword(t, n.top);
    WriteSettingDword(r, n.right);
    WriteSettingDword(b, n.bottom);
}

}  // namespace

int ReadSettingDword(const char* valueName, int* field) {
    KeyHandle key = OpenSettingsKey();
    if (!key) return 0;
    // A value of another type or size counts as absent and never reaches
    // beyond the 4-byte field.
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return 0;
    *field = static_cast<int>(value);
    return 1;
}

void WriteSettingDword(const char* valueName, int value) {
    KeyHandle key = OpenSettingsKey();
    if (!key) return;
    DWORD v = static_cast<DWORD>(value);
    RegSetValueExA(key.get(), valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
}

void LoadSettings() {
    ReadOrDefault(kEndSave, &AppSettings.EndSave, 0);
    ReadOrDefault(kZOrder, &AppSettings.ZOrder, 0);
    ReadOrDefault(kLopPlay, &AppSettings.LopPlay, 0);
    ReadOrDefault(kChgTime, &AppSettings.ChgTime, 30);
    ReadOrDefault(kTskTray, &AppSettings.TskTray, 0);
    ReadOrDefault(kScrSave, &AppSettings.ScrSave, 0);
    ReadOrDefault(kSSPos, &AppSettings.SSPos, 4);
    ReadOrDefault(kSscBgn, &AppSettings.SscBgn, 0);
    ReadOrDefault(kSscTim, &AppSettings.SscTim, 0);
    ReadOrDefault(kTimPtn, &AppSettings.TimPtn, 1);
    LoadMainWindowRect();
    LoadPlayWindowRect();
}

void LoadMainWindowRect() {
    ReadOrDefault(kMainL, &AppSettings.MainL, 0);
    ReadOrDefault(kMainT, &AppSettings.MainT, 0);
    ReadOrDefault(kMainR, &AppSettings.MainR, 0);
    ReadOrDefault(kMainB, &AppSettings.MainB, 0);
}

void LoadPlayWindowRect() {
    ReadOrDefault(kViewL, &AppSettings.ViewL, 0);
    ReadOrDefault(kViewT, &AppSettings.ViewT, 0);
    ReadOrDefault(kViewR, &AppSettings.ViewR, 0);
    ReadOrDefault(kViewB, &AppSettings.ViewB, 0);
}

void SaveMainWindowRect(HWND mainWindow) {
    StoreRect(mainWindow, kMainL, kMainT, kMainR, kMainB);
}

void SavePlayWindowRect(HWND playWindow) {
    StoreRect(playWindow, kViewL, kViewT, kViewR, kViewB);
}

void ApplyStoredRect(HWND window, int left, int top, int right, int bottom) {
    if (AppSettings.EndSave != 1) return;
    // In 64 bits: a hand-edited rectangle may span more than an int holds.
    const long long width = static_cast<long long>(right) - left;
    const long long height = static_cast<long long>(bottom) - top;
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX) return;
    RECT r{left, top, right, bottom};
    if (!MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) return;
    MoveWindow(window, left, top, static_cast<int>(width), static_cast<int>(height), FALSE);
}
