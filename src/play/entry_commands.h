// The commands that act on one list entry: configure it, preview it full
// screen, make it the standard screen saver, open its archive. Each takes the
// selected row and does nothing at all when it is -1.
#pragma once

void ConfigureEntry(int row);
// Runs the screen saver full screen and waits until the user ends it; one
// without a window, or lingering after its window went, is closed.
void PreviewEntry(int row);
void SetEntryAsStandard(int row);
// Opens the entry's archive with the program the shell associates with it;
// a loose screen saver opens nothing.
void OpenEntryArchive(int row);
