#include "saver_settings.h"

#include <cstdio>

#include "base/handles.h"
#include "saver.h"
#include "saver_resource.h"

namespace {

constexpr char kSaversKey[] = "Software\\Tandelworks\\Zelvista Savers";

// HKCU path of this saver's key; false when it does not fit.
bool SaverKeyPath(char* out, int size) {
    int n = std::snprintf(out, static_cast<std::size_t>(size), "%s\\%s", kSaversKey, ThisSaver.registryName);
    return n > 0 && n < size;
}

void SetItemFromTable(HWND dialog, int item, UINT id) {
    wchar_t text[256];
    LoadText(id, text, 256);
    SetDlgItemTextW(dialog, item, text);
}

// The saver's name, larger and bold, above the setting; lives as long as the dialog.
GdiObject nameFont;

void MakeNameBold(HWND dialog) {
    HWND name = GetDlgItem(dialog, IDC_SAVER_NAME);
    LOGFONTW font{};
    HFONT current = reinterpret_cast<HFONT>(SendMessageW(name, WM_GETFONT, 0, 0));
    if (!current || !GetObjectW(current, sizeof font, &font)) return;
    font.lfWeight = FW_BOLD;
    font.lfHeight = font.lfHeight * 5 / 4;
    nameFont.reset(CreateFontIndirectW(&font));
    if (nameFont) SendMessageA(name, WM_SETFONT, reinterpret_cast<WPARAM>(nameFont.get()), FALSE);
}

void OnInitDialog(HWND dialog) {
    wchar_t caption[256];
    LoadText(IDS_SETTINGS_CAPTION, caption, 256);
    SetWindowTextW(dialog, caption);
    SetItemFromTable(dialog, IDC_SAVER_NAME, IDS_DESCRIPTION);
    SetItemFromTable(dialog, IDC_SETTING_LABEL, IDS_SETTING_LABEL);
    SetItemFromTable(dialog, IDC_SETTINGS_NOTE, IDS_SETTINGS_NOTE);
    MakeNameBold(dialog);
    HWND choices = GetDlgItem(dialog, IDC_SETTING_CHOICE);
    for (int i = 0; i < ThisSaver.setting.choiceCount; ++i) {
        wchar_t text[256];
        LoadText(static_cast<UINT>(IDS_CHOICE_FIRST + i), text, 256);
        SendMessageW(choices, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageA(choices, CB_SETCURSEL, static_cast<WPARAM>(ReadSaverSetting()), 0);
}

void OnOk(HWND dialog) {
    LRESULT choice = SendDlgItemMessageA(dialog, IDC_SETTING_CHOICE, CB_GETCURSEL, 0, 0);
    if (choice != CB_ERR && !WriteSaverSetting(static_cast<int>(choice))) {
        wchar_t text[256], caption[256];
        LoadText(IDS_SAVE_FAILED, text, 256);
        LoadText(IDS_SETTINGS_CAPTION, caption, 256);
        MessageBoxW(dialog, text, caption, MB_OK | MB_ICONWARNING);
        return;  // the dialog stays, so the choice is not lost silently
    }
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK SettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) OnOk(dialog);
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
        return TRUE;
    case WM_DESTROY:
        nameFont.reset();
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

int ReadSaverSetting() {
    const SaverSetting& setting = ThisSaver.setting;
    char path[256];
    KeyHandle key;
    DWORD value = 0, type = 0, size = sizeof value;
    if (SaverKeyPath(path, sizeof path) &&
        RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, key.put()) == ERROR_SUCCESS &&
        RegQueryValueExA(key.get(), setting.valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
            ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof value && value < static_cast<DWORD>(setting.choiceCount)) {
        return static_cast<int>(value);
    }
    return setting.defaultChoice;
}

bool WriteSaverSetting(int choice) {
    char path[256];
    KeyHandle key;
    DWORD value = static_cast<DWORD>(choice);
    return SaverKeyPath(path, sizeof path) &&
           RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) ==
               ERROR_SUCCESS &&
           RegSetValueExA(key.get(), ThisSaver.setting.valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value) == ERROR_SUCCESS;
}

INT_PTR ShowSaverSettingsDialog(HINSTANCE instance, HWND owner) {
    if (owner && !IsWindow(owner)) owner = nullptr;
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SAVER_SETTINGS), owner, SettingsProc, 0);
}
