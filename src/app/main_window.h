// The main window: its class, creation, closing and message routing.
#pragma once
#include <windows.h>

extern HINSTANCE AppInstance;
extern HWND MainWindow;

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
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
