// The screen saver list lives only in the rows of the main window's list view;
// everything else reads rows into the current entry and inserts from it.
#pragma once
#include <windows.h>

struct ScreenSaverEntry {
    char name[256];     // file name with extension (member name for archives)
    char seconds[256];  // own switch seconds, "0" = the standard time
    char folder[256];   // folder of the file or of its archive, ends with '\'
    char type[256];     // "ｽｸﾘｰﾝｾｰﾊﾞｰ" or "書庫(LZH)" / "書庫(ZIP)" / "書庫(CAB)"
    char archive[256];  // archive file name, empty for a loose file
};

constexpr int kEntryFieldCount = 5;
extern ScreenSaverEntry CurrentEntry;
extern int SelectedEntryRow;   // -1 when no row is selected
extern HWND EntryListView;
extern int SortDirection[kEntryFieldCount];  // 0 unsorted, 1 ascending, 2 descending

extern const char kLooseSaverType[];

char* EntryField(ScreenSaverEntry& entry, int column);

HWND CreateEntryListView();
void ReadEntryRow(int row);
void InsertEntryRow(int row);
void SetEntryRowText(int row, int column, const char* text);
int GetEntryRowCount();
int GetSelectedEntryRow();
void DeleteAllEntryRows();
void SortEntryRowsByColumn(int column);
int CALLBACK CompareEntryRows(LPARAM first, LPARAM second, LPARAM column);
// A double click previews the selected row, if any, with the given operation.
void RunSelectedOnDoubleClick(void (*preview)(int row));
