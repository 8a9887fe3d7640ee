// The task tray: hiding the main window behind a notification area icon,
// coming back from it, and the icon's menu.
#pragma once
#include <windows.h>

extern int TrayIconShown;  // 1 from entering the tray until the window is shown again

void EnterTray();
void LeaveTray();
void RemoveTrayIcon();
void ShowTrayMenu();
// The icon's mouse messages (the tray message's lParam).
void OnTrayIconMessage(LPARAM mouseMessage);
// The taskbar was made anew (Explorer restarted): a program in the tray needs its icon back.
void OnTaskbarCreated();
UINT TaskbarCreatedMessage();
