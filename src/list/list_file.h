// List files: the text format that stores a list, the file commands and the
// list state they keep (modified, named, current path).
#pragma once

extern int ListModified;         // 1 when the rows changed since the last load or save
extern int ListNamed;            // 1 once loaded from or saved to a file
extern char CurrentListPath[256];

extern const char kNewListName[];  // "新規ﾘｽﾄ.lst"

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

// Title "Zelvista　【name】" for the list file at path.
void SetListTitle(const char* path);
