// The About box: program version, the author's web page link and the
// versions of the archiver libraries.
#pragma once
#include <windows.h>

extern int AboutLinkVisited;          // 1 once the link was clicked; kept for the whole run
extern const char kAuthorWebPage[];

void ShowAboutBox();
INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
