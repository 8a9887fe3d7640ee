// The About box: program version, a link to the program's help page and the
// versions of the archiver libraries.
#pragma once
#include <windows.h>

extern int AboutLinkVisited;          // 1 once the link was clicked; kept for the whole run

// The link: what it opens, shown as its text (a path too long for the box
// loses its middle, never its file name), and how it is drawn: the
// program's link font and cursor.
struct LinkStyle {
    HFONT font = nullptr;
    HCURSOR cursor = nullptr;
    const char* address = nullptr;
};

void ShowAboutBox(HWND owner, const LinkStyle& link);
INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
