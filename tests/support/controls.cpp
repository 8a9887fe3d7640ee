#include "support/controls.h"

#include <commctrl.h>

#include <gtest/gtest.h>

std::string ControlText(HWND dialog, int id) {
    char text[1024] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool ControlEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

void ClickControl(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (!IsWindowVisible(control) || !IsWindowEnabled(control)) {
        ADD_FAILURE() << "control " << id << " cannot be clicked: "
                      << (IsWindowVisible(control) ? "disabled" : "hidden");
        return;
    }
    SendMessageA(control, BM_CLICK, 0, 0);
}

void ClickTab(HWND tabControl, int index) {
    RECT item{};
    if (!SendMessageA(tabControl, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item))) {
        ADD_FAILURE() << "no tab " << index;
        return;
    }
    LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageA(tabControl, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(tabControl, WM_LBUTTONUP, 0, at);
}

void TypeText(HWND edit, const std::string& text) {
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_CHAR, VK_BACK, 0);
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<BYTE>(c), 0);
}

void ClickUpDown(HWND upDown, bool up) {
    RECT r{};
    GetClientRect(upDown, &r);
    LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
    SendMessageA(upDown, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(upDown, WM_LBUTTONUP, 0, at);
}

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return done();
}
