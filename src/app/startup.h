#pragma once
#include <windows.h>

// The whole run of the program; returns its exit code.
int RunZelvista(HINSTANCE instance, int showCommand);
// Registers the common control classes the windows use, once per process.
void InitProgramControls();
// The accelerator table, loaded once the main window is shown.
extern HACCEL Accelerators;
void LoadProgramAccelerators();
// One message of the loop: keyboard accelerators go to the main window
// whichever child has the focus; everything else is dispatched as usual.
void ProcessMessage(MSG& msg);
// Link font and cursor of the About box's web link.
extern HFONT LinkFont;
extern HCURSOR LinkCursor;
void MakeLinkCursor();
void MakeLinkFont();
