// The folder search: dialog 4304 searches a folder, and if wanted its
// sub-folders and the archives in them, adding every screen saver it finds.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "list/archive_access.h"

// Command 6102: shows the dialog, with the system folder to search.
void FolderSearchDialog(const ArchiveAccess& archives, HWND owner);
// Shows the dialog and searches the given folders (as Windows names them) at
// once, with the boxes as the user last ticked them (the dialog's first state
// before any search).
void SearchDroppedFolders(const std::vector<std::wstring>& folders, const ArchiveAccess& archives, HWND owner);
// The status line at the end of a search: the rows added and the files whose
// names could not be used, then the files the list could not hold and the
// archives left unopened because they are only in the cloud, each when there
// were any.
std::string FolderSearchResultText(int added, int refused, int notOnDisk, int unusable = 0);
