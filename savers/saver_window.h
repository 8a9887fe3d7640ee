// The saver's window: full screen (/s) or inside another program's window
// (/p), with a frame timer and a back buffer. Each returns the exit code once
// the window is gone.
#pragma once
#include <windows.h>

int RunFullScreen(HINSTANCE instance, int setting);
int RunPreview(HINSTANCE instance, HWND parent, int setting);
