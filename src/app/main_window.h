// The main window: its class, creation, closing and message routing.
#pragma once
#include <windows.h>

extern HINSTANCE AppInstance;
extern HWND MainWindow;

// The main window's children, laid out by the main window.
struct MainWindowChildren {
    HWND toolbar = nullptr;
    HWND statusBar = nullptr;
    HWND listView = nullptr;
};
extern MainWindowChildren MainChildren;
// The DPI the main window is laid out for: its monitor's at creation, then
// the one each WM_DPICHANGED names.
extern int MainWindowDpi;

constexpr int kStatusBarId = 9000;
constexpr int kToolbarId = 9001;
constexpr int kEntryListViewId = 9002;
constexpr int kTrayIconId = 9003;
constexpr UINT kTrayMessage = WM_USER;

extern const char kMainWindowClass[];  // "Zelvista Class"

extern int StartupScreenSaverState;  // the system's active setting when the program started

bool RegisterMainWindowClass();
// Creates the main window hidden, running its whole creation sequence.
HWND CreateMainWindow();
void LayoutEntryListView();
// WM_DPICHANGED: the window takes the suggested rectangle and lays out its
// toolbar, columns, fonts and list again for dpi.
void OnMainWindowDpiChanged(int dpi, const RECT& suggested);
// A double click on the list (or routed from the toolbar or status bar)
// previews the selected row.
void RunSelectedOnDoubleClick();
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
