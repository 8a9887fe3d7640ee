#include "list/switch_seconds_dialog.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "list/switch_seconds_ids.h"
#include "res/resource.h"

namespace {

constexpr int kLowest = 1;
constexpr int kHighest = 999;
constexpr int kMaxDigits = 3;

struct Request {
    char* seconds;
    std::size_t size;
};

// The number the text begins with, read as the list reads it when it plays
// (leading blanks and a sign allowed); a text without leading digits gives 0,
// and so does a negative number, which the list takes as the standard time too.
int LeadingNumber(const char* text) {
    char bounded[kMaxDigits + 1];
    std::snprintf(bounded, sizeof bounded, "%s", text);
    long value = std::strtol(bounded, nullptr, 10);
    return value < 0 ? 0 : value > kHighest ? kHighest : static_cast<int>(value);
}

INT_PTR OnInitDialog(HWND dialog, Request* request) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(request));
    int value = LeadingNumber(request->seconds);
    HWND edit = GetDlgItem(dialog, IDC_SWITCH_SECONDS_EDIT);
    HWND updown = GetDlgItem(dialog, IDC_SWITCH_SECONDS_UPDOWN);
    SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageA(updown, UDM_SETRANGE32, kLowest, kHighest);
    SendMessageA(updown, UDM_SETPOS32, 0, value);
    // The number itself, so a row with 0 shows 0 though the arrows never reach it.
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    SetWindowTextA(edit, text);
    SendMessageA(edit, EM_LIMITTEXT, kMaxDigits, 0);
    return TRUE;
}

void OnOk(HWND dialog) {
    auto* request = reinterpret_cast<Request*>(GetWindowLongPtrA(dialog, DWLP_USER));
    char text[kMaxDigits + 1] = "";
    GetDlgItemTextA(dialog, IDC_SWITCH_SECONDS_EDIT, text, sizeof text);
    if (request) std::snprintf(request->seconds, request->size, "%d", LeadingNumber(text));
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK SwitchSecondsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<Request*>(lParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOk(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

}  // namespace

bool AskSwitchSeconds(HWND owner, char* seconds, std::size_t size) {
    Request request{seconds, size};
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SWITCH_SECONDS), owner, SwitchSecondsDialog,
                           reinterpret_cast<LPARAM>(&request)) == IDOK;
}
