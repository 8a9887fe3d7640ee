#include "app/tray.h"

#include <shellapi.h>

#include <cwchar>
#include <iterator>

#include "app/commands.h"
#include "app/main_window.h"
#include "base/dpi.h"
#include "base/handles.h"
#include "base/strings.h"
#include "base/wide.h"
#include "res/resource.h"
#include "system/screen_saver.h"

int TrayIconShown;

namespace {

void AddTrayIcon() {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = MainWindow;
    icon.uID = kTrayIconId;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = kTrayMessage;
    // The notification area shows small icons of the system DPI: the
    // picture drawn at that size, not the large one shrunk.
    icon.hIcon = LoadIconForDpi(AppInstance, IDI_ZELVISTA, SM_CXSMICON, SystemDpi());
    const Wide tip(LoadText(IDS_TRAY_TIP));
    if (tip.size() < std::size(icon.szTip)) std::wmemcpy(icon.szTip, tip.c_str(), tip.size() + 1);
    Shell_NotifyIconW(NIM_ADD, &icon);
    // The shell keeps its own copy.
    if (icon.hIcon) DestroyIcon(icon.hIcon);
}

void SetItemState(HMENU menu, UINT command, UINT state) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    item.fState = state;
    SetMenuItemInfoA(menu, command, FALSE, &item);
}
}  // namespace

void EnterTray() {
    AddTrayIcon();
    ShowWindow(MainWindow, SW_HIDE);
    TrayIconShown = 1;
}

void RemoveTrayIcon() {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = MainWindow;
    icon.uID = kTrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &icon);
}

void LeaveTray() {
    RemoveTrayIcon();
    ShowWindow(MainWindow, SW_SHOWNORMAL);
    SetForegroundWindow(MainWindow);
    TrayIconShown = 0;
}

void ShowTrayMenu() {
    MenuHandle menu(LoadMenuA(AppInstance, MAKEINTRESOURCEA(IDR_TRAY_MENU)));
    if (!menu) return;
    // Exactly one of the two items is checked: the one naming the current state.
    if (ScreenSaverActive == 0) {
        SetItemState(menu.get(), kCmdSaverOn, 0);
        SetItemState(menu.get(), kCmdSaverOff, MFS_CHECKED);
    } else {
        SetItemState(menu.get(), kCmdSaverOff, 0);
        SetItemState(menu.get(), kCmdSaverOn, MFS_CHECKED);
    }
    HMENU popup = GetSubMenu(menu.get(), 0);
    POINT at{};
    GetCursorPos(&at);
    // In the foreground the menu closes when the user clicks elsewhere.
    SetForegroundWindow(MainWindow);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_BOTTOMALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, MainWindow, nullptr);
    PostMessageA(MainWindow, WM_NULL, 0, 0);
}

void OnTrayIconMessage(LPARAM mouseMessage) {
    switch (mouseMessage) {
    case WM_LBUTTONDBLCLK:
        LeaveTray();
        break;
    case WM_RBUTTONDOWN:
        ShowTrayMenu();
        break;
    default:
        break;
    }
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

void OnTaskbarCreated() {
    if (TrayIconShown == 1) AddTrayIcon();
}
