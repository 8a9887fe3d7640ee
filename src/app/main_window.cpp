#include "app/main_window.h"

#include <commctrl.h>

#include <iterator>
#include <string>

#include "app/command_policy.h"
#include "app/commands.h"
#include "app/first_start.h"
#include "app/launch_connections.h"
#include "app/managed_settings.h"
#include "app/installed_archives.h"
#include "app/option_timers.h"
#include "app/session_end.h"
#include "app/toolbar.h"
#include "app/tray.h"
#include "archive/archiver.h"
#include "base/dpi.h"
#include "base/files.h"
#include "base/handles.h"
#include "base/program_paths.h"
#include "base/session.h"
#include "base/strings.h"
#include "base/text.h"
#include "list/dropped_files.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "list/list_recovery.h"
#include "base/long_operation.h"
#include "base/path_names.h"
#include "base/wide.h"
#include "play/entry_commands.h"
#include "settings/settings.h"
#include "system/changer.h"
#include "system/corner_timer.h"
#include "system/screen_saver.h"

HINSTANCE AppInstance;
HWND MainWindow;
MainWindowChildren MainChildren;
int MainWindowDpi = kBaseDpi;
const char kMainWindowClass[] = "Zelvista Class";
const wchar_t kMainWindowClassWide[] = L"Zelvista Class";
int StartupScreenSaverState;

namespace {

// Where the list goes at 96 DPI: below the toolbar (28) and above the
// status bar (19); scaled for the window's DPI.
constexpr int kListTop = 28;
constexpr int kListHeightLess = 47;

// The font of the list and the status bar when the window's DPI is not the
// system's (the controls make their own for the system DPI), and the
// window's icons drawn for its DPI.
GdiObject dpiFont;
struct WindowIcons {
    HICON big = nullptr, small = nullptr;
} windowIcons;

void DestroyWindowIcons() {
    if (windowIcons.big) DestroyIcon(windowIcons.big);
    if (windowIcons.small) DestroyIcon(windowIcons.small);
    windowIcons = WindowIcons{};
}

// The class's icons are the system DPI's; another DPI gets its own.
void SetWindowIconsForDpi(int dpi) {
    HICON big = nullptr, small = nullptr;
    if (dpi != SystemDpi()) {
        big = LoadIconForDpi(AppInstance, IDI_ZELVISTA, SM_CXICON, dpi);
        small = LoadIconForDpi(AppInstance, IDI_ZELVISTA_SMALL, SM_CXSMICON, dpi);
    }
    // Null gives the class's icons back.
    SendMessageA(MainWindow, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(MainWindow, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    DestroyWindowIcons();
    windowIcons = WindowIcons{big, small};
}

// A child's rectangle in the main window's client area, when the child is
// there and not hidden (the user may hide neither, but a customised toolbar
// may have no buttons).
bool ShownChildRect(HWND child, RECT* rect) {
    if (!child || !(GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE) || !GetWindowRect(child, rect)) return false;
    MapWindowPoints(nullptr, MainWindow, reinterpret_cast<POINT*>(rect), 2);
    return true;
}

void SetFontsForDpi(int dpi) {
    HFONT font = dpi != SystemDpi() ? CreateIconTitleFontForDpi(dpi) : nullptr;
    // Null gives the controls their own font back.
    for (HWND control : {MainChildren.listView, MainChildren.statusBar})
        if (control) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    dpiFont.reset(font);
}

// The work and store folders and the standard list live in the program's
// folder; when its path cannot form them (too long, or a name that code page
// 932 cannot write and that has no short name), nothing is made or written
// in their place, and the user hears why, once, at start-up.
void WarnWhenProgramFolderUnusable() {
    if (AppPaths.WorkFolder[0] && AppPaths.SaverStoreFolder[0] && AppPaths.StandardListPath[0]) return;
    wchar_t module[1024];
    const DWORD n = GetModuleFileNameW(nullptr, module, static_cast<DWORD>(std::size(module)));
    std::wstring_view path(module, n > 0 && n < std::size(module) ? n : 0);
    const PathIn932 named = PathInCodePage932(path);
    // The folder is what the user moves: the program's file name is left off.
    // In UTF-16 a backslash is never part of another character.
    path = path.substr(0, path.find_last_of(L"\\/") + 1);
    const std::wstring text = named.usable() ? FormatWideText(IDS_PROGRAM_FOLDER_TOO_LONG, path)
                                             : FormatWideText(IDS_PROGRAM_FOLDER_UNUSABLE, named.unusablePart);
    ShowMessageBox(nullptr, text, LoadText(IDS_APP_TITLE), MB_OK | MB_ICONEXCLAMATION);
}

// A work folder that cannot be the program's own is not used: the user hears
// why archived entries cannot run and what to do, once, at start-up.
void SetUpWorkFolderOrWarn() {
    char folder[sizeof AppPaths.WorkFolder];
    CopyText(folder, sizeof folder, AppPaths.WorkFolder);
    const OwnFolder state = SetUpWorkFolder();
    // A path too long to form was told about already.
    if (state == OwnFolder::Ours || !folder[0]) return;
    const unsigned text = state == OwnFolder::NotOurs ? IDS_WORK_FOLDER_NOT_OURS : IDS_WORK_FOLDER_CANNOT_MAKE;
    ShowMessageBox(nullptr, FormatText(text, folder), LoadText(IDS_APP_TITLE), MB_OK | MB_ICONEXCLAMATION);
}

void OnCreate() {
    // Before anything reads the setting as the user's: a program that ended
    // while it had the screen saver off for a while left a mark to mend it.
    MendInterruptedScreenSaverOff();
    CurrentList.Named = 0;
    ResetSessionEnd();
    SetUpProgramPaths();
    // Before anything is stored in the settings key.
    NoteWhetherFirstStart();
    WarnWhenProgramFolderUnusable();
    SetUpWorkFolderOrWarn();
    if (AppPaths.SaverStoreFolder[0]) CreateDirectoryW(Wide(AppPaths.SaverStoreFolder), nullptr);
    ClearWorkFolder();
    for (int i = 0; i < kArchiverCount; ++i) Archivers.Present[i] = IsArchiverPresent(i);
    LoadSettings();
    ApplyStoredRect(MainWindow, AppSettings.MainL, AppSettings.MainT, AppSettings.MainR, AppSettings.MainB);
    // The monitor the window is on now, after the stored rectangle was applied.
    MainWindowDpi = WindowDpi(MainWindow);
    CreateMainToolbar(MainWindowDpi);
    MainChildren.statusBar = CreateStatusBar();
    MainChildren.listView = CreateEntryListView(MainWindow, kEntryListViewId, MainWindowDpi);
    if (MainWindowDpi != SystemDpi()) {
        SetFontsForDpi(MainWindowDpi);
        SetWindowIconsForDpi(MainWindowDpi);
    }
    // In place before the rows arrive, so that showing the window finds the
    // list at its size and does not lay out and paint it twice.
    LayoutEntryListView();
    ConnectPlayAndChanger(MainWindow);
    const char* standard = AppPaths.StandardListPath;
    if (standard[0] && FileExists(standard)) {
        LoadListFile(standard);
        CopyText(CurrentList.Path, sizeof CurrentList.Path, standard);
    } else {
        NewList();
    }
    // A list Windows ended the session on comes back if the user wants it.
    OfferRecoveryList();
    // The start-up choice follows the changer's options.
    HandChangerOptionsOver();
    ChooseRandomStandardSaver();
    StartCornerTimerFromSettings(MainWindow);
    StartChangerTimerFromSettings(MainWindow);
    // A lock or a disconnection ends what plays: nobody would see it.
    RegisterSessionNotifications(MainWindow);
    RefreshPolicyState();
}

// The user's answer to the save prompt decides whether the window may close.
bool ConfirmCloseWithChanges() {
    if (CurrentList.Modified != 1) return true;
    switch (AskToSaveChanges(MainWindow, 0)) {
    case IDCANCEL:
        return false;
    case IDYES:
        // A cancelled dialog or an empty list still closes; a failed write
        // keeps the program open so the list is not lost.
        return SaveList() != SaveOutcome::Failed;
    default:
        return true;
    }
    return true;
}

void RestoreStartupScreenSaverState() {
    RestoreScreenSaverSetting(StartupScreenSaverState);
}

bool OnClose() {
    // A long operation on the list ends first; the close comes back afterwards.
    if (!AdmitCommand(MainWindow, kCmdExit)) return false;
    // At the end of the session the list was kept already, or the user was asked.
    if (!SessionEnding()) {
        if (!ConfirmCloseWithChanges()) return false;
        // Decided by the user: a list kept at an earlier session end is done with.
        DiscardRecoveryList();
    }
    if (TrayIconShown == 1) RemoveTrayIcon();
    StopCornerTimer(MainWindow);
    RestoreStartupScreenSaverState();
    return true;
}

void OnSize(WPARAM wParam, LPARAM lParam) {
    if (MainChildren.toolbar) SendMessageA(MainChildren.toolbar, WM_SIZE, wParam, lParam);
    if (MainChildren.statusBar) SendMessageA(MainChildren.statusBar, WM_SIZE, wParam, lParam);
    LayoutEntryListView();
}

// Answers to the toolbar's customisation questions go back as the result.
bool AnswerToolbarNotification(NMHDR* header, LRESULT* result) {
    switch (header->code) {
    case TBN_GETBUTTONINFOW:
        *result = GetToolbarButtonInfo(reinterpret_cast<NMTOOLBARW*>(header));
        return true;
    case TBN_QUERYINSERT:
    case TBN_QUERYDELETE:
        *result = 1;
        return true;
    case TBN_RESTORE:
        CompleteRestoredButton(reinterpret_cast<NMTBRESTORE*>(header));
        *result = 0;
        return true;
    case TBN_RESET:
        ResetToolbar();
        return false;
    case TBN_ENDADJUST:
        // A double click on the toolbar opens the same dialog without the
        // command; its changes must last too.
        SaveToolbarLayout();
        return false;
    default:
        return false;
    }
}

// Returns true when the notification is answered here with TRUE.
bool OnNotify(NMHDR* header) {
    // No per-row notices are wanted when the whole list is emptied.
    if (header->idFrom == kEntryListViewId && header->code == LVN_DELETEALLITEMS) return true;
    // By code from any child: a right click or double click on the toolbar or
    // the status bar acts as one on the list.
    if (header->code == TTN_NEEDTEXTW)
        AnswerTooltipRequest(reinterpret_cast<NMTTDISPINFOW*>(header));
    else if (header->code == NM_RCLICK)
        ShowListPopupMenu();
    else if (header->code == NM_DBLCLK)
        RunSelectedOnDoubleClick();
    if (header->idFrom == kEntryListViewId && header->code == LVN_COLUMNCLICK)
        SortEntryRowsByColumn(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
    return false;
}

}  // namespace

bool RegisterMainWindowClass() {
    // A Unicode window: its title, its children's texts and their
    // notifications are UTF-16, whatever the process's code page.
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = AppInstance;
    wc.hIcon = LoadIconW(AppInstance, MAKEINTRESOURCEW(IDI_ZELVISTA));
    wc.hIconSm = LoadIconForDpi(AppInstance, IDI_ZELVISTA_SMALL, SM_CXSMICON, SystemDpi());
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
    wc.lpszClassName = kMainWindowClassWide;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateMainWindow() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int width = static_cast<int>((work.right - work.left) / 1.7);
    int height = (work.bottom - work.top) / 2;
    return CreateWindowExW(WS_EX_WINDOWEDGE | WS_EX_ACCEPTFILES, kMainWindowClassWide, Wide(LoadText(IDS_APP_TITLE)),
                           WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, width, height, nullptr, nullptr, AppInstance,
                           nullptr);
}

void RunSelectedOnDoubleClick() {
    // No preview while a search or playback uses the list.
    if (RunningLongOperation() != LongOperation::None) return;
    if (GetSelectedEntryRow() >= 0) PreviewEntry(SelectedEntryRow);
}

void LayoutEntryListView() {
    if (!MainChildren.listView) return;
    RECT client{};
    GetClientRect(MainWindow, &client);
    int top = ScaleForDpi(kListTop, MainWindowDpi);
    int bottom = top + client.bottom - ScaleForDpi(kListHeightLess, MainWindowDpi);
    // A toolbar or status bar larger than its figure (a larger font than
    // the one the figures were made with) is not covered.
    RECT bar{};
    if (ShownChildRect(MainChildren.toolbar, &bar) && bar.bottom > top) top = bar.bottom;
    if (ShownChildRect(MainChildren.statusBar, &bar) && bar.top < bottom) bottom = bar.top;
    MoveWindow(MainChildren.listView, 0, top, client.right, bottom > top ? bottom - top : 0, TRUE);
}

void OnMainWindowDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0) return;
    // Moved by the stored rectangle while it is being created: that
    // rectangle is in the pixels of its monitor already, and the children
    // are made for the DPI found after it.
    if (!MainChildren.listView) {
        MainWindowDpi = dpi;
        return;
    }
    const int old = MainWindowDpi;
    MainWindowDpi = dpi;
    if (dpi != old) {
        RecreateMainToolbar(dpi);
        RefreshPolicyState();
        RescaleEntryColumns(old, dpi);
        SetFontsForDpi(dpi);
        SetWindowIconsForDpi(dpi);
    }
    SetWindowPos(MainWindow, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Laid out again also when the rectangle kept its size.
    RECT client{};
    GetClientRect(MainWindow, &client);
    OnSize(SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    InvalidateRect(MainWindow, nullptr, TRUE);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindow = window;
    try {
        switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_CLOSE:
            if (!OnClose()) return 0;
            break;
        case WM_QUERYENDSESSION:
            return OnQueryEndSession(window, lParam) ? TRUE : FALSE;
        case WM_ENDSESSION:
            // Leaving Windows must not leave the screen saver switched off for good.
            if (wParam) RestoreStartupScreenSaverState();
            OnEndSession(window, wParam != 0);
            return 0;
        case WM_DESTROY:
            UnregisterSessionNotifications(window);
            SaveMainWindowRect(window);
            DetachEntryListView();
            MainChildren = MainWindowChildren{};
            dpiFont.reset();
            DestroyWindowIcons();
            PostQuitMessage(0);
            return 0;
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED) {
                SendMessageA(window, WM_COMMAND, kCmdEnterTray, lParam);
                return 0;
            }
            OnSize(wParam, lParam);
            break;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(window, &ps);
            EndPaint(window, &ps);
            return 0;
        }
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            LRESULT answer = 0;
            if (header->idFrom == kToolbarId && AnswerToolbarNotification(header, &answer)) return answer;
            if (OnNotify(header)) return TRUE;
            break;
        }
        case WM_COMMAND:
            DispatchCommand(wParam, lParam);
            LayoutEntryListView();
            break;
        case WM_DPICHANGED:
            OnMainWindowDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_WTSSESSION_CHANGE:
            NoteSessionChange(wParam);
            return 0;
        case WM_INITMENUPOPUP:
            // Every menu of the window, the tray's and the list's included.
            ApplyPolicyToMenu(reinterpret_cast<HMENU>(wParam));
            break;
        case WM_MENUSELECT:
            OnMenuSelect(wParam, lParam);
            break;
        case WM_SETTINGCHANGE:
            // Among others, a policy applied again ("Policy").
            RefreshPolicyState();
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) RefreshPolicyState();
            break;
        case WM_DROPFILES:
            AddDroppedFiles(reinterpret_cast<HDROP>(wParam), InstalledArchives(), window);
            return 0;
        case kTrayMessage:
            if (wParam == kTrayIconId) OnTrayIconMessage(lParam);
            break;
        default:
            if (message == TaskbarCreatedMessage()) OnTaskbarCreated();
            break;
        }
    } catch (...) {
        // Nothing may unwind into the system's message dispatch.
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
