#include "support/controls.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "base/wide.h"

std::string Text932(std::wstring_view wide) {
    std::string text;
    if (ToCodePage932(wide, text)) return text;
    // Character by character: those code page 932 has not become <U+XXXX>.
    text.clear();
    for (wchar_t c : wide) {
        std::string one;
        if (ToCodePage932(std::wstring_view(&c, 1), one)) {
            text += one;
        } else {
            char unit[12];
            std::snprintf(unit, sizeof unit, "<U+%04X>", static_cast<unsigned>(c));
            text += unit;
        }
    }
    return text;
}

std::string WindowText932(HWND window) {
    return Text932(WindowTextWide(window));
}

std::string ControlText(HWND dialog, int id) {
    return WindowText932(GetDlgItem(dialog, id));
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
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CHAR, VK_BACK, 0);
    for (wchar_t c : Wide(text).view()) SendMessageW(edit, WM_CHAR, c, 0);
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
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return done();
}
