// The folder search: dialog 4304 searches a folder, and if wanted its
// sub-folders and the archives in them, adding every screen saver it finds.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "list/archive_access.h"

// Command 6102: shows the dialog, with the system folder to search.
void FolderSearchDialog(const ArchiveAccess& archives, HWND owner);
// Shows the dialog and searches the given folders at once, with the boxes as
// the user last ticked them (the dialog's first state before any search).
void SearchDroppedFolders(const std::vector<std::string>& folders, const ArchiveAccess& archives, HWND owner);

// Searches one folder for the running search, depth first: its own files
// first, then (with sub-folders ticked) each sub-folder whose name does not
// begin with a full stop; one waiting message is dispatched before each
// directory entry, and Cancel is honoured at every level. 0 when done or
// cancelled, -2 when the folder cannot be entered.
int SearchFolder(const char* folder);
// The 探す場所 button: the shell's folder browser fills the folder box.
void BrowseSearchFolder(HWND dialog);
