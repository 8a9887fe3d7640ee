#include "app/toolbar.h"

#include "app/commands.h"
#include "app/main_window.h"
#include "settings/settings.h"

namespace {
constexpr int kToolbarBitmap = 4201;
constexpr int kTooltipTextBase = 5101;
constexpr int kButtonTextBase = 5201;
constexpr char kLayoutValue[] = "Setting";

// Index in this table = image in the bitmap = offset of the button's strings.
constexpr int kButtonCommands[kToolbarButtonCount] = {
    kCmdExit,          kCmdEnterTray,     kCmdNewList,        kCmdOpenList,        kCmdSaveList,
    kCmdSaveStandardList, kCmdAddFile,    kCmdFolderSearch,   kCmdDeleteEntry,     kCmdRemoveDuplicates,
    kCmdRemoveMissing, kCmdMoveUp,        kCmdMoveDown,       kCmdConfigure,       kCmdPreview,
    kCmdSwitchSeconds, kCmdSetStandard,   kCmdOpenArchive,    kCmdPlayFullScreen,  kCmdPlayWindow,
    kCmdDisplayProperties, kCmdSettings,  kCmdHelp,
};
// Where the separators go in the default layout, each counted after the ones before.
constexpr int kSeparatorPositions[] = {6, 9, 13, 16, 21, 23, 26};

// The customisation dialog reads a button's text after the notification returns.
char buttonText[100];

TBBUTTON ButtonRecord(int index) {
    TBBUTTON button{};
    button.iBitmap = index;
    button.idCommand = kButtonCommands[index];
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = TBSTYLE_BUTTON;
    return button;
}

TBBUTTON SeparatorRecord() {
    TBBUTTON separator{};
    separator.fsState = TBSTATE_ENABLED;
    separator.fsStyle = TBSTYLE_SEP;
    return separator;
}

void ButtonTable(TBBUTTON (&table)[kToolbarButtonCount]) {
    for (int i = 0; i < kToolbarButtonCount; ++i) table[i] = ButtonRecord(i);
}

int IndexOfCommand(int command) {
    for (int i = 0; i < kToolbarButtonCount; ++i)
        if (kButtonCommands[i] == command) return i;
    return -1;
}

void SaveOrRestoreLayout(BOOL save) {
    TBSAVEPARAMSA where{HKEY_CURRENT_USER, kSettingsKey, kLayoutValue};
    SendMessageA(MainChildren.toolbar, TB_SAVERESTOREA, save, reinterpret_cast<LPARAM>(&where));
}

void DeleteAllButtons() {
    LRESULT count = SendMessageA(MainChildren.toolbar, TB_BUTTONCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) SendMessageA(MainChildren.toolbar, TB_DELETEBUTTON, 0, 0);
}

void AddTableButtons() {
    TBBUTTON table[kToolbarButtonCount];
    ButtonTable(table);
    SendMessageA(MainChildren.toolbar, TB_ADDBUTTONSA, kToolbarButtonCount, reinterpret_cast<LPARAM>(table));
}
}  // namespace

int ToolbarButtonCommand(int index) {
    return index >= 0 && index < kToolbarButtonCount ? kButtonCommands[index] : 0;
}

HWND CreateMainToolbar() {
    InitCommonControls();
    TBBUTTON table[kToolbarButtonCount];
    ButtonTable(table);
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(MainWindow, GWLP_HINSTANCE));
    HWND toolbar = CreateToolbarEx(MainWindow, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE,
                                   kToolbarId, kToolbarButtonCount, instance, kToolbarBitmap, table,
                                   kToolbarButtonCount, 16, 16, 0, 0, sizeof(TBBUTTON));
    if (!toolbar) return nullptr;
    MainChildren.toolbar = toolbar;
    InsertToolbarSeparators();
    SaveOrRestoreLayout(FALSE);  // nothing stored keeps the default layout
    return toolbar;
}

HWND CreateStatusBar() {
    return CreateStatusWindowA(WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_SIZEGRIP, nullptr, MainWindow,
                               kStatusBarId);
}

void InsertToolbarSeparators() {
    TBBUTTON separator = SeparatorRecord();
    for (int position : kSeparatorPositions)
        SendMessageA(MainChildren.toolbar, TB_INSERTBUTTONA, position, reinterpret_cast<LPARAM>(&separator));
}

void AnswerTooltipRequest(NMTTDISPINFOA* request) {
    int index = IndexOfCommand(static_cast<int>(request->hdr.idFrom));
    if (index < 0) return;
    request->hinst = AppInstance;
    request->lpszText = MAKEINTRESOURCEA(kTooltipTextBase + index);
}

LRESULT GetToolbarButtonInfo(NMTOOLBARA* request) {
    int index = request->iItem;
    if (index < 0 || index >= kToolbarButtonCount) return 0;
    request->tbButton = ButtonRecord(index);
    if (LoadStringA(AppInstance, kButtonTextBase + index, buttonText, sizeof buttonText) == 0) buttonText[0] = '\0';
    request->pszText = buttonText;
    request->cchText = 0;
    return 1;
}

void ResetToolbar() {
    DeleteAllButtons();
    AddTableButtons();
    InsertToolbarSeparators();
}

// A stored layout names buttons only by command, and some toolbars store a
// separator as command 0; the toolbar may ask for the rest of each record
// while it restores.
void CompleteRestoredButton(NMTBRESTORE* request) {
    if (request->iItem < 0 || (request->tbButton.fsStyle & TBSTYLE_SEP)) return;
    int index = IndexOfCommand(request->tbButton.idCommand);
    if (index >= 0) {
        request->tbButton = ButtonRecord(index);
    } else if (request->tbButton.idCommand == 0) {
        request->tbButton = SeparatorRecord();
    }
}

void CustomizeToolbar() {
    SendMessageA(MainChildren.toolbar, TB_CUSTOMIZE, 0, 0);
    SaveOrRestoreLayout(TRUE);
    DeleteAllButtons();
    AddTableButtons();
    SaveOrRestoreLayout(FALSE);
}

void SaveToolbarLayout() {
    SaveOrRestoreLayout(TRUE);
}
