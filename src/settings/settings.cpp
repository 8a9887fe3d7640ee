#include "settings/settings.h"

#include <climits>

#include "base/handles.h"
#include "base/monitors.h"

const char kEndSave[] = "EndSave", kZOrder[] = "ZOrder", kLopPlay[] = "LopPlay", kChgTime[] = "ChgTime",
           kTskTray[] = "TskTray", kScrSave[] = "ScrSave", kSSPos[] = "SSPos", kSscBgn[] = "SscBgn",
           kSscTim[] = "SscTim", kTimPtn[] = "TimPtn", kFulScr[] = "FulScr";
const char kMainL[] = "MainL", kMainT[] = "MainT", kMainR[] = "MainR", kMainB[] = "MainB";
const char kViewL[] = "ViewL", kViewT[] = "ViewT", kViewR[] = "ViewR", kViewB[] = "ViewB";
const char kSmpOfr[] = "SmpOfr";

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

// A value of another type or size counts as absent and never reaches
// beyond the 4-byte field.
int ReadDwordFrom(HKEY key, const char* valueName, int* field) {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return 0;
    *field = static_cast<int>(value);
    return 1;
}

// Reads through one open key: each opening is a round trip to the registry,
// and the whole record is read at every start.
void ReadOrDefault(HKEY key, const char* name, int* field, int fallback) {
    if (!key || !ReadDwordFrom(key, name, field)) *field = fallback;
}

void ReadRect(HKEY key, const char* l, const char* t, const char* r, const char* b, int* left, int* top, int* right,
              int* bottom) {
    ReadOrDefault(key, l, left, 0);
    ReadOrDefault(key, t, top, 0);
    ReadOrDefault(key, r, right, 0);
    ReadOrDefault(key, b, bottom, 0);
}

void ReadMainRect(HKEY key) {
    ReadRect(key, kMainL, kMainT, kMainR, kMainB, &AppSettings.MainL, &AppSettings.MainT, &AppSettings.MainR,
             &AppSettings.MainB);
}

void ReadPlayRect(HKEY key) {
    ReadRect(key, kViewL, kViewT, kViewR, kViewB, &AppSettings.ViewL, &AppSettings.ViewT, &AppSettings.ViewR,
             &AppSettings.ViewB);
}

void WriteDwordTo(HKEY key, const char* valueName, int value) {
    DWORD v = static_cast<DWORD>(value);
    RegSetValueExA(key, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
}

// The four values through one open key, as the reads do.
void StoreRect(HWND window, const char* l, const char* t, const char* r, const char* b) {
    if (AppSettings.EndSave != 1 || !window) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return;
    KeyHandle key = OpenSettingsKey();
    if (!key) return;
    // Stored as the placement gives it, in workspace coordinates. A window in
    // its normal state is where its screen rectangle says (some systems give
    // the placement in screen coordinates); only a minimized or maximized
    // one needs the placement for its normal rectangle.
    RECT n = placement.rcNormalPosition;
    RECT shown{};
    if (!IsIconic(window) && !IsZoomed(window) && GetWindowRect(window, &shown)) {
        MonitorRects monitors;
        ReadMonitorRects(&monitors, true);
        n = ScreenToWorkspace(shown, monitors);
    }
    WriteDwordTo(key.get(), l, n.left);
    WriteDwordTo(key.get(), t, n.top);
    WriteDwordTo(key.get(), r, n.right);
    WriteDwordTo(key.get(), b, n.bottom);
}

}  // namespace

bool AnySettingStored() {
    // Opened for reading only: looking must not make the key.
    KeyHandle key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
        key.release();
        return false;
    }
    DWORD values = 0;
    return RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                            nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           values > 0;
}

int ReadSettingDword(const char* valueName, int* field) {
    KeyHandle key = OpenSettingsKey();
    return key ? ReadDwordFrom(key.get(), valueName, field) : 0;
}

void WriteSettingDword(const char* valueName, int value) {
    KeyHandle key = OpenSettingsKey();
    if (key) WriteDwordTo(key.get(), valueName, value);
}

void WriteSettingDwords(std::span<const SettingValue> values) {
    KeyHandle key = OpenSettingsKey();
    if (!key) return;
    for (const SettingValue& value : values) WriteDwordTo(key.get(), value.name, value.value);
}

void LoadSettings() {
    KeyHandle key = OpenSettingsKey();
    HKEY k = key.get();
    ReadOrDefault(k, kEndSave, &AppSettings.EndSave, 0);
    ReadOrDefault(k, kZOrder, &AppSettings.ZOrder, 0);
    ReadOrDefault(k, kLopPlay, &AppSettings.LopPlay, 0);
    ReadOrDefault(k, kChgTime, &AppSettings.ChgTime, 30);
    ReadOrDefault(k, kTskTray, &AppSettings.TskTray, 0);
    ReadOrDefault(k, kScrSave, &AppSettings.ScrSave, 0);
    ReadOrDefault(k, kSSPos, &AppSettings.SSPos, 4);
    ReadOrDefault(k, kSscBgn, &AppSettings.SscBgn, 0);
    ReadOrDefault(k, kSscTim, &AppSettings.SscTim, 0);
    ReadOrDefault(k, kTimPtn, &AppSettings.TimPtn, 1);
    ReadOrDefault(k, kFulScr, &AppSettings.FulScr, 1);
    ReadMainRect(k);
    ReadPlayRect(k);
}

void LoadPlayWindowRect() {
    KeyHandle key = OpenSettingsKey();
    ReadPlayRect(key.get());
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
    // A rectangle whose monitor is gone (unplugged, rearranged) brings the
    // window back on the monitor nearest to where it was, not at a place
    // the user cannot see.
    MonitorRects monitors;
    ReadMonitorRects(&monitors, true);
    // Stored in the placement's workspace coordinates, moved in screen ones.
    const RECT stored = WorkspaceToScreen(RECT{left, top, right, bottom}, monitors);
    RECT placed;
    if (!PlaceStoredRect(stored, monitors, &placed)) return;
    MoveWindow(window, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top, FALSE);
}
