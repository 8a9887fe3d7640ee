// List files: loading and saving the rows, the file commands and the list
// state they keep (modified, named, current path). The format itself is in
// list_format.h.
#pragma once

#include <string>

// The list state: what the rows are saved as and whether they changed.
struct ListState {
    int Modified = 0;     // 1 when the rows changed since the last load or save
    int Named = 0;        // 1 once loaded from or saved to a file
    char Path[256] = "";  // the current list path
};
extern ListState CurrentList;

enum class SaveOutcome {
    Saved,    // the file was written
    Skipped,  // nothing to do: empty list, dialog cancelled, overwrite declined
    Failed,   // the write failed; the old file is untouched
};

int LoadListFile(const char* path);         // 1 when loaded
SaveOutcome SaveListFile(const char* path);
void NewList();
void OpenList();
SaveOutcome SaveList();
SaveOutcome SaveListAs();
SaveOutcome SaveStandardList();

// The list file's bytes for the rows, made from the rows one at a time.
std::string FormatRows();

// Title "Zelvista　【name】" for the list file at path.
void SetListTitle(const char* path);
