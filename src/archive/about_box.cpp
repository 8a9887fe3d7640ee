#include "archive/about_box.h"

#include <shellapi.h>

#include <cstdio>

#include "archive/about_box_ids.h"
#include "archive/archiver.h"
#include "base/strings.h"
#include "base/wide.h"
#include "res/resource.h"

int AboutLinkVisited = 0;

namespace {

const COLORREF kLinkColour = RGB(0, 0, 255);
const COLORREF kVisitedLinkColour = RGB(128, 0, 128);

const LinkStyle* StyleOf(HWND dialog) {
    return reinterpret_cast<const LinkStyle*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

INT_PTR OnInitDialog(HWND dialog, LPARAM style) {
    SetWindowLongPtrA(dialog, DWLP_USER, style);
    const LinkStyle* link = StyleOf(dialog);
    SetDlgItemTextTo(dialog, IDC_ABOUT_LINK, link && link->address ? link->address : "");
    const int versionControls[kArchiverCount] = {IDC_ABOUT_LZH_VERSION, IDC_ABOUT_ZIP_VERSION, IDC_ABOUT_CAB_VERSION};
    for (int index = 0; index < kArchiverCount; ++index) {
        std::string text = LoadText(IDS_NOT_INSTALLED);
        if (Archivers.Present[index]) {
            char version[32];
            std::snprintf(version, sizeof version, "%1.2f", GetArchiverVersion(index) / 100.0);
            text = version;
        }
        SetDlgItemTextTo(dialog, versionControls[index], text);
    }
    return TRUE;
}

INT_PTR OnCtlColorStatic(HWND dialog, HDC dc, HWND control) {
    if (GetDlgCtrlID(control) != IDC_ABOUT_LINK) return static_cast<INT_PTR>(COLOR_BTNFACE + 1);
    const LinkStyle* style = StyleOf(dialog);
    if (style && style->font) SelectObject(dc, style->font);
    SetTextColor(dc, AboutLinkVisited ? kVisitedLinkColour : kLinkColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
}

INT_PTR OnSetCursor(HWND dialog, HWND underCursor) {
    if (GetDlgCtrlID(underCursor) != IDC_ABOUT_LINK) return FALSE;
    const LinkStyle* style = StyleOf(dialog);
    if (style && style->cursor) SetCursor(style->cursor);
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

void OnLinkClicked(HWND dialog) {
    AboutLinkVisited = 1;
    // The path as the link shows it, in UTF-16 whatever the process's code page.
    const std::wstring address = DlgItemTextWide(dialog, IDC_ABOUT_LINK);
    if (!address.empty()) ShellExecuteW(dialog, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
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
            return OnInitDialog(dialog, lParam);
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(dialog, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
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

void ShowAboutBox(HWND owner, const LinkStyle& link) {
    // The dialog is a resource of the program's own module.
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT_BOX), owner, AboutBoxProc,
                    reinterpret_cast<LPARAM>(&link));
}
