#include "support/ui.h"

#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <map>

#include "app/main_window.h"
#include "base/handles.h"
#include "base/wide.h"
#include "settings/settings.h"
#include "support/controls.h"

namespace {
DialogDriver* activeDriver;
}

HWND CreateTestMainWindow() {
    HWND window = CreateMainWindow();
    if (window) {
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
    }
    PumpMessages();
    return window;
}

namespace {

// Runs what the window left in the queue, dropping the quit message it posted.
void DrainAfterDestroy() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) DispatchMessageW(&msg);
    }
    MainWindow = nullptr;
}

}  // namespace

void DestroyTestMainWindow() {
    if (MainWindow && IsWindow(MainWindow)) DestroyWindow(MainWindow);
    DrainAfterDestroy();
}

std::string WindowTitle() {
    return WindowText932(MainWindow);
}

bool CloseTestMainWindow() {
    HWND window = MainWindow;
    SendMessageA(window, WM_CLOSE, 0, 0);
    bool gone = !IsWindow(window);
    if (gone) DrainAfterDestroy();
    return gone;
}

DialogDriver::DialogDriver() {
    activeDriver = this;
    timer_ = SetTimer(nullptr, 0, 50, &DialogDriver::Tick);
}

DialogDriver::~DialogDriver() {
    KillTimer(nullptr, timer_);
    activeDriver = nullptr;
}

bool DialogDriver::Expects(const std::string& caption) {
    if (!activeDriver) return false;
    for (const Pending& p : activeDriver->pending_)
        if (p.caption == caption) return true;
    for (const std::string& allowed : activeDriver->allowed_)
        if (allowed == caption) return true;
    return false;
}

namespace {
std::map<HWND, DWORD> strayDialogs;

void CALLBACK WatchForStrayDialogs(HWND, UINT, UINT_PTR, DWORD now) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            DWORD now = static_cast<DWORD>(p);
            char cls[64] = "";
            GetClassNameA(w, cls, sizeof cls);
            const std::string caption = WindowText932(w);
            if (std::string(cls) != "#32770" || !IsWindowVisible(w) || DialogDriver::Expects(caption)) return TRUE;
            auto [it, fresh] = strayDialogs.emplace(w, now);
            if (!fresh && now - it->second > 4000) {
                ADD_FAILURE() << "unexpected dialog \"" << caption << "\": " << MessageBoxText(w);
                PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
                PostMessageA(w, WM_COMMAND, IDOK, 0);
                strayDialogs.erase(it);
            }
            return TRUE;
        },
        static_cast<LPARAM>(now));
}
}  // namespace

void StartDialogWatchdog() {
    SetTimer(nullptr, 0, 500, WatchForStrayDialogs);
}

void DialogDriver::On(const std::string& caption, std::function<void(HWND)> action) {
    pending_.push_back({caption, std::move(action)});
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (activeDriver) activeDriver->Poll();
}

void DialogDriver::Poll() {
    if (pending_.empty()) return;
    struct Search {
        const std::string* caption;
        HWND found;
    } search{&pending_.front().caption, nullptr};
    // Only dialogs of this thread: the code under test opened them.
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            char cls[64] = "";
            GetClassNameA(w, cls, sizeof cls);
            if (std::string(cls) == "#32770" && IsWindowVisible(w) && *s->caption == WindowText932(w)) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    HWND dialog = search.found;
    if (!dialog) return;
    Pending next = std::move(pending_.front());
    pending_.erase(pending_.begin());
    seen_.push_back({next.caption, MessageBoxText(dialog)});
    next.action(dialog);
}

std::string MessageBoxText(HWND box) {
    return ControlText(box, 0xFFFF);
}

void ClickButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void TypeFileName(HWND dialog, const std::string& path) {
    // The name box is a combo box in the current dialogs, an edit box in the old ones.
    HWND edit = GetDlgItem(dialog, cmb13);
    if (!edit) edit = GetDlgItem(dialog, edt1);
    SetWindowTextW(edit, Wide(path));
    ClickButton(dialog, IDOK);
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void DeleteSettingsKey() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
}

bool SettingsKeyExists() {
    KeyHandle key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, key.put()) == ERROR_SUCCESS) return true;
    key.release();  // what a failed call left there is no key
    return false;
}

void WriteSettingRaw(const char* name, DWORD type, const void* data, DWORD size) {
    KeyHandle key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS) {
        key.release();
        return;
    }
    RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE*>(data), size);
}

void WriteSettingInt(const char* name, int value) {
    WriteSettingRaw(name, REG_DWORD, &value, sizeof value);
}

bool ReadSettingInt(const char* name, int* value) {
    DWORD size = sizeof *value;
    return RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_DWORD, nullptr, value, &size) ==
           ERROR_SUCCESS;
}
