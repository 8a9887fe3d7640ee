// Playing code and the changer reach the list, the archiver libraries, the
// system screen saver and each other only through the connections made here.
#pragma once
#include <windows.h>

// Connects them; mainWindow owns the changer timer and the libraries' messages.
void ConnectPlayAndChanger(HWND mainWindow);