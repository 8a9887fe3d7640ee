// The system's own screen saver: its active setting and related controls.
#pragma once

extern int ScreenSaverActive;  // the program's idea of whether it is on

int IsScreenSaverActive();
