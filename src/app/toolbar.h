// The toolbar along the top of the main window (buttons, tooltips, the
// user's own arrangement kept in the registry) and the status bar below.
#pragma once
#include <windows.h>
#include <commctrl.h>

constexpr int kToolbarButtonCount = 23;

// Creates the toolbar into MainChildren.toolbar (null when it cannot be made)
// with the default layout, then the stored one when there is one; its images
// are the set drawn nearest to dpi.
void CreateMainToolbar(int dpi);
// Makes the toolbar again for another DPI, with the buttons it has now.
void RecreateMainToolbar(int dpi);
HWND CreateStatusBar();
// Shows one line in the status bar (its only part); empty clears it.
void ShowStatusText(const char* text);
void AnswerTooltipRequest(NMTTDISPINFOW* request);
// Customisation dialog questions; the results go back to the toolbar.
LRESULT GetToolbarButtonInfo(NMTOOLBARW* request);
void ResetToolbar();
void CompleteRestoredButton(NMTBRESTORE* request);
void CustomizeToolbar();
// Stores the layout, as the customisation dialog closes however it was opened.
void SaveToolbarLayout();
// Command of toolbar button index, or 0 outside the table.
int ToolbarButtonCommand(int index);
