// The About box: program version, the author's web page link and the
// versions of the archiver libraries.
#pragma once
#include <windows.h>

extern int AboutLinkVisited;          // 1 once the link was clicked; kept for the whole run
extern const char kAuthorWebPage[];

// How the web link is drawn: the program's link font and cursor.
struct LinkStyle {
    HFONT font = nullptr;
    HCURSOR cursor = nullptr;
};

void ShowAboutBox(HWND owner, const LinkStyle& link);
INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
