// The screen saver list lives only in the rows of the main window's list view;
// everything else reads rows into the current entry and inserts from it.
#pragma once
#include <windows.h>

#include <cstddef>

#include "list/entry.h"

extern ScreenSaverEntry CurrentEntry;
extern int SelectedEntryRow;   // -1 when no row is selected
extern HWND EntryListView;
extern int SortDirection[kEntryFieldCount];  // 0 unsorted, 1 ascending, 2 descending

// The list view as a child of parent with the given control id, its columns
// as wide as their 96-DPI widths scaled for dpi.
HWND CreateEntryListView(HWND parent, int controlId, int dpi);
// The columns' widths (as the user left them) taken from one DPI to another.
void RescaleEntryColumns(int fromDpi, int toDpi);
// Forgets the list view as its window goes away.
void DetachEntryListView();
// The window that owns the list (its messages and title): the list view's parent.
HWND EntryListOwner();
void ReadEntryRow(int row);
void InsertEntryRow(int row);
// The entry becomes the current entry and a new last row.
void AppendEntryRow(const ScreenSaverEntry& entry);
void DeleteEntryRow(int row);
// Selected and focused; the row is not scrolled into view.
void SelectEntryRow(int row);
void SetEntryRowText(int row, int column, const char* text);
// The row's text in column, cut to size bytes with its zero; empty when the
// row has none.
void GetEntryRowText(int row, int column, char* text, std::size_t size);
int GetEntryRowCount();
int GetSelectedEntryRow();
void DeleteAllEntryRows();
void SortEntryRowsByColumn(int column);
int CALLBACK CompareEntryRows(LPARAM first, LPARAM second, LPARAM column);
