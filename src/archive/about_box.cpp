#include "archive/about_box.h"

#include <shellapi.h>

#include <cstdio>

#include "app/main_window.h"
#include "app/startup.h"
#include "archive/about_box_ids.h"
#include "archive/archiver.h"

int AboutLinkVisited = 0;
const char kAuthorWebPage[] = "https://zelvista.example.org/";

namespace {

const COLORREF kLinkColour = RGB(0, 0, 255);
const COLORREF kVisitedLinkColour = RGB(128, 0, 128);

INT_PTR OnInitDialog(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_ABOUT_LINK, kAuthorWebPage);
    const int versionControls[kArchiverCount] = {IDC_ABOUT_LZH_VERSION, IDC_ABOUT_ZIP_VERSION, IDC_ABOUT_CAB_VERSION};
    for (int index = 0; index < kArchiverCount; ++index) {
        char text[32] = "Not Installed..";
        if (ArchiverPresent[index]) {
            const WORD version = GetArchiverVersion(index);
            std::snprintf(text, sizeof text, "%1.2f", version / 100.0);
        }
        SetDlgItemTextA(dialog, versionControls[index], text);
    }
    return TRUE;
}

INT_PTR OnCtlColorStatic(HDC dc, HWND control) {
    if (GetDlgCtrlID(control) != IDC_ABOUT_LINK) return static_cast<INT_PTR>(COLOR_BTNFACE + 1);
    if (LinkFont) SelectObject(dc, LinkFont);
    SetTextColor(dc, AboutLinkVisited ? kVisitedLinkColour : kLinkColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
}

INT_PTR OnSetCursor(HWND dialog, HWND underCursor) {
    if (GetDlgCtrlID(underCursor) != IDC_ABOUT_LINK) return FALSE;
    SetCursor(LinkCursor);
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

void OnLinkClicked(HWND dialog) {
    AboutLinkVisited = 1;
    char address[256] = {};
    GetDlgItemTextA(dialog, IDC_ABOUT_LINK, address, sizeof address);
    ShellExecuteA(dialog, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
    InvalidateRect(GetDlgItem(dialog, IDC_ABOUT_LINK), nullptr, FALSE);
}

INT_PTR OnCommand(HWND dialog, int id) {
    switch (id) {
        case IDOK:
            EndDialog(dialog, 1);
            return TRUE;
        case IDC_ABOUT_LINK:
            OnLinkClicked(dialog);
            return TRUE;
        default:
            return FALSE;  // Esc (IDCANCEL) does not close the box
    }
}

}  // namespace

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(dialog);
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SETCURSOR:
            return OnSetCursor(dialog, reinterpret_cast<HWND>(wParam));
        case WM_COMMAND:
            return OnCommand(dialog, LOWORD(wParam));
        case WM_SYSCOMMAND:
            if (wParam == SC_CLOSE) {
                EndDialog(dialog, 1);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void ShowAboutBox() {
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_ABOUT_BOX), MainWindow, AboutBoxProc, 0);
}
