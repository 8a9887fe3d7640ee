// Playing code and the changer reach the list, the archiver libraries, the
// system screen saver and each other only through the connections made here.
#pragma once
#include <windows.h>

// Connects them; mainWindow owns the changer timer and the libraries' messages.
void ConnectPlayAndChanger(HWND mainWindow);
// Hands the changer its options from the settings record.
void HandChangerOptionsOver();
// The same, then sets the changer timer on mainWindow when the changer is on.
void StartChangerTimerFromSettings(HWND mainWindow);
