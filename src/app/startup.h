#pragma once
#include <windows.h>

// The whole run of the program; returns its exit code.
int RunZelvista(HINSTANCE instance, int showCommand);
// Link font and cursor of the About box's web link.
extern HFONT LinkFont;
extern HCURSOR LinkCursor;
void MakeLinkCursor();
void MakeLinkFont();
