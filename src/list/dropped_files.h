// Files and folders dropped on the main window.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include "list/archive_access.h"

// Files are added as if chosen in the add dialog; folders are searched as
// the folder search last did (sub-folders and archives as last ticked), in
// its dialog. Nothing happens while a long operation uses the list.
void AddDroppedFiles(HDROP drop, const ArchiveAccess& archives, HWND owner);
