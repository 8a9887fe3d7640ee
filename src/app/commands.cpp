#include "app/commands.h"

#include "app/main_window.h"
#include "list/entry_list.h"
#include "list/list_file.h"

void ExitProgram() {
    SendMessageA(MainWindow, WM_CLOSE, 0, 0);
}

void DispatchCommand(WPARAM wParam, LPARAM /*lParam*/) {
    GetSelectedEntryRow();
    switch (LOWORD(wParam)) {
    case kCmdNewList: NewList(); break;
    case kCmdOpenList: OpenList(); break;
    case kCmdSaveList: SaveList(); break;
    case kCmdSaveListAs: SaveListAs(); break;
    case kCmdSaveStandardList: SaveStandardList(); break;
    case kCmdExit: ExitProgram(); break;
    default: break;
    }
    if (EntryListView) SetFocus(EntryListView);
}
