// Editing the list in place: the commands of the list menu that delete,
// de-duplicate, purge and move entries and set an entry's switch seconds.
// Each works on the selected row index the dispatcher refreshed and marks
// the list changed only when a row changed.
#pragma once
#include <windows.h>

void DeleteSelectedEntry();     // 6103
void RemoveDuplicateEntries();  // 6104
void RemoveMissingEntries();    // 6105
void MoveEntryUp();             // 6106
void MoveEntryDown();           // 6107
void SetEntrySwitchSeconds(HWND owner);  // 6110, dialog 4303
