// The window class of a screen saver's full-screen window: how the program
// finds the system's screen saver and the ones it runs itself.
#pragma once

inline constexpr char kSaverWindowClass[] = "WindowsScreenSaverClass";
