// The play window: a modal dialog whose black play area the screen savers of
// the list draw in, one after another, with Close, Play and Stop buttons.
#pragma once
#include <windows.h>

#include <cstddef>

// Command 6202: opens the play window over the main window and returns when
// it closes. Playback starts by itself when the window first paints. The
// open window is the program's one long operation; when another runs,
// nothing opens and a warning beep says so.
void ShowPlayWindow();
// The play window's buttons: Stop enabled while the list plays, Close and Play otherwise.
void SetPlayButtons(bool playing);
// Writes byteCount bytes of text, yellow on black, into the play area.
void ShowPlayAreaText(const char* text, std::size_t byteCount);
// The open play window and its play area, or null.
HWND PlayWindow();
HWND PlayArea();
