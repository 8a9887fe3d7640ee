#include "app/toolbar.h"

#include <iterator>
#include <vector>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/managed_settings.h"
#include "base/dpi.h"
#include "base/wide.h"
#include "res/resource.h"
#include "settings/settings.h"

namespace {
constexpr char kLayoutValue[] = "Setting";

// One row per button of the default layout, in order; separators are rows
// without a command. The image is the button's place in IDB_TOOLBAR.
struct ToolbarRow {
    int command;
    int image;
    UINT tooltip;  // string ids
    UINT text;     // the button's name in the customisation dialog
};
constexpr ToolbarRow kSeparator{0, 0, 0, 0};
constexpr ToolbarRow kToolbarRows[] = {
    {kCmdExit, 0, IDS_TIP_EXIT, IDS_BUTTON_EXIT},
    {kCmdEnterTray, 1, IDS_TIP_ENTER_TRAY, IDS_BUTTON_ENTER_TRAY},
    {kCmdNewList, 2, IDS_TIP_NEW_LIST, IDS_BUTTON_NEW_LIST},
    {kCmdOpenList, 3, IDS_TIP_OPEN_LIST, IDS_BUTTON_OPEN_LIST},
    {kCmdSaveList, 4, IDS_TIP_SAVE_LIST, IDS_BUTTON_SAVE_LIST},
    {kCmdSaveStandardList, 5, IDS_TIP_SAVE_STANDARD_LIST, IDS_BUTTON_SAVE_STANDARD_LIST},
    kSeparator,
    {kCmdAddFile, 6, IDS_TIP_ADD_FILE, IDS_BUTTON_ADD_FILE},
    {kCmdFolderSearch, 7, IDS_TIP_FOLDER_SEARCH, IDS_BUTTON_FOLDER_SEARCH},
    kSeparator,
    {kCmdDeleteEntry, 8, IDS_TIP_DELETE_ENTRY, IDS_BUTTON_DELETE_ENTRY},
    {kCmdRemoveDuplicates, 9, IDS_TIP_REMOVE_DUPLICATES, IDS_BUTTON_REMOVE_DUPLICATES},
    {kCmdRemoveMissing, 10, IDS_TIP_REMOVE_MISSING, IDS_BUTTON_REMOVE_MISSING},
    kSeparator,
    {kCmdMoveUp, 11, IDS_TIP_MOVE_UP, IDS_BUTTON_MOVE_UP},
    {kCmdMoveDown, 12, IDS_TIP_MOVE_DOWN, IDS_BUTTON_MOVE_DOWN},
    kSeparator,
    {kCmdConfigure, 13, IDS_TIP_CONFIGURE, IDS_BUTTON_CONFIGURE},
    {kCmdPreview, 14, IDS_TIP_PREVIEW, IDS_BUTTON_PREVIEW},
    {kCmdSwitchSeconds, 15, IDS_TIP_SWITCH_SECONDS, IDS_BUTTON_SWITCH_SECONDS},
    {kCmdSetStandard, 16, IDS_TIP_SET_STANDARD, IDS_BUTTON_SET_STANDARD},
    kSeparator,
    {kCmdOpenArchive, 17, IDS_TIP_OPEN_ARCHIVE, IDS_BUTTON_OPEN_ARCHIVE},
    kSeparator,
    {kCmdPlayFullScreen, 18, IDS_TIP_PLAY_FULL_SCREEN, IDS_BUTTON_PLAY_FULL_SCREEN},
    {kCmdPlayWindow, 19, IDS_TIP_PLAY_WINDOW, IDS_BUTTON_PLAY_WINDOW},
    kSeparator,
    {kCmdDisplayProperties, 20, IDS_TIP_DISPLAY_PROPERTIES, IDS_BUTTON_DISPLAY_PROPERTIES},
    {kCmdSettings, 21, IDS_TIP_SETTINGS, IDS_BUTTON_SETTINGS},
    {kCmdHelp, 22, IDS_TIP_HELP, IDS_BUTTON_HELP},
};
constexpr int kLayoutSize = static_cast<int>(std::size(kToolbarRows));

constexpr int CountButtons() {
    int n = 0;
    for (const ToolbarRow& row : kToolbarRows) n += row.command != 0;
    return n;
}
static_assert(CountButtons() == kToolbarButtonCount);

// The image strips, each drawn at its own size (never one scaled up).
struct ImageSet {
    int size;
    int bitmap;
};
constexpr ImageSet kImageSets[] = {{16, IDB_TOOLBAR}, {24, IDB_TOOLBAR_24}, {32, IDB_TOOLBAR_32}};
constexpr int kImageSize96 = 16;

const ImageSet& ImageSetForDpi(int dpi) {
    int sizes[std::size(kImageSets)];
    for (std::size_t i = 0; i < std::size(kImageSets); ++i) sizes[i] = kImageSets[i].size;
    const int size = NearestImageSize(kImageSize96, dpi, sizes, static_cast<int>(std::size(sizes)));
    for (const ImageSet& set : kImageSets)
        if (set.size == size) return set;
    return kImageSets[0];
}

// The toolbar with the given buttons and the image set for dpi; the button
// size given is the image's, the control adds its own edges.
HWND MakeToolbar(const TBBUTTON* buttons, int count, int dpi) {
    const ImageSet& images = ImageSetForDpi(dpi);
    return CreateToolbarEx(MainWindow, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE, kToolbarId,
                           kToolbarButtonCount, AppInstance, images.bitmap, buttons, count, images.size,
                           images.size, images.size, images.size, sizeof(TBBUTTON));
}

// The customisation dialog reads a button's text after the notification returns.
wchar_t buttonText[100];

// The row of the index-th button (separators not counted), or null.
const ToolbarRow* ButtonRow(int index) {
    for (const ToolbarRow& row : kToolbarRows) {
        if (row.command == 0) continue;
        if (index-- == 0) return &row;
    }
    return nullptr;
}

const ToolbarRow* RowOfCommand(int command) {
    for (const ToolbarRow& row : kToolbarRows)
        if (row.command != 0 && row.command == command) return &row;
    return nullptr;
}

TBBUTTON ButtonRecord(const ToolbarRow& row) {
    TBBUTTON button{};
    button.iBitmap = row.image;
    button.idCommand = row.command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = row.command ? TBSTYLE_BUTTON : TBSTYLE_SEP;
    return button;
}

// The default layout, separators included.
void DefaultLayout(TBBUTTON (&layout)[kLayoutSize]) {
    for (int i = 0; i < kLayoutSize; ++i) layout[i] = ButtonRecord(kToolbarRows[i]);
}

void SaveOrRestoreLayout(BOOL save) {
    TBSAVEPARAMSA where{HKEY_CURRENT_USER, kSettingsKey, kLayoutValue};
    SendMessageA(MainChildren.toolbar, TB_SAVERESTOREA, save, reinterpret_cast<LPARAM>(&where));
}

void DeleteAllButtons() {
    LRESULT count = SendMessageA(MainChildren.toolbar, TB_BUTTONCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) SendMessageA(MainChildren.toolbar, TB_DELETEBUTTON, 0, 0);
}

void AddDefaultLayout() {
    TBBUTTON layout[kLayoutSize];
    DefaultLayout(layout);
    SendMessageA(MainChildren.toolbar, TB_ADDBUTTONSA, kLayoutSize, reinterpret_cast<LPARAM>(layout));
}

// The buttons alone, in table order: what stays when a layout cannot be restored.
void AddTableButtons() {
    TBBUTTON buttons[kToolbarButtonCount];
    int n = 0;
    for (const ToolbarRow& row : kToolbarRows)
        if (row.command != 0) buttons[n++] = ButtonRecord(row);
    SendMessageA(MainChildren.toolbar, TB_ADDBUTTONSA, n, reinterpret_cast<LPARAM>(buttons));
}
}  // namespace

int ToolbarButtonCommand(int index) {
    const ToolbarRow* row = ButtonRow(index);
    return row ? row->command : 0;
}

void CreateMainToolbar(int dpi) {
    TBBUTTON layout[kLayoutSize];
    DefaultLayout(layout);
    HWND toolbar = MakeToolbar(layout, kLayoutSize, dpi);
    MainChildren.toolbar = toolbar;
    if (toolbar) SaveOrRestoreLayout(FALSE);  // nothing stored keeps the default layout
}

void RecreateMainToolbar(int dpi) {
    HWND old = MainChildren.toolbar;
    if (!old) return;
    // The layout in use, which may not be stored yet, goes over as it is.
    std::vector<TBBUTTON> buttons(static_cast<std::size_t>(SendMessageA(old, TB_BUTTONCOUNT, 0, 0)));
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (!SendMessageA(old, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&buttons[i])))
            buttons[i] = ButtonRecord(kSeparator);
    }
    HWND toolbar = MakeToolbar(buttons.data(), static_cast<int>(buttons.size()), dpi);
    if (!toolbar) return;  // the old one stays rather than none
    MainChildren.toolbar = toolbar;
    DestroyWindow(old);
}

HWND CreateStatusBar() {
    return CreateStatusWindowA(WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_SIZEGRIP, nullptr, MainWindow,
                               kStatusBarId);
}

void ShowStatusText(const char* text) {
    if (MainChildren.statusBar)
        SendMessageW(MainChildren.statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

void AnswerTooltipRequest(NMTTDISPINFOW* request) {
    const ToolbarRow* row = RowOfCommand(static_cast<int>(request->hdr.idFrom));
    if (!row) return;
    // A button the administrator's policy disables says why.
    if (const wchar_t* reason = PolicyTooltip(row->command)) {
        request->hinst = nullptr;
        request->lpszText = const_cast<wchar_t*>(reason);
        return;
    }
    request->hinst = AppInstance;
    request->lpszText = MAKEINTRESOURCEW(row->tooltip);
}

LRESULT GetToolbarButtonInfo(NMTOOLBARW* request) {
    const ToolbarRow* row = ButtonRow(request->iItem);
    if (!row) return 0;
    request->tbButton = ButtonRecord(*row);
    if (LoadStringW(AppInstance, row->text, buttonText, static_cast<int>(std::size(buttonText))) == 0)
        buttonText[0] = L'\0';
    request->pszText = buttonText;
    request->cchText = 0;
    return 1;
}

void ResetToolbar() {
    DeleteAllButtons();
    AddDefaultLayout();
}

// A stored layout names buttons only by command, and some toolbars store a
// separator as command 0; the toolbar may ask for the rest of each record
// while it restores.
void CompleteRestoredButton(NMTBRESTORE* request) {
    if (request->iItem < 0 || (request->tbButton.fsStyle & TBSTYLE_SEP)) return;
    if (const ToolbarRow* row = RowOfCommand(request->tbButton.idCommand)) {
        request->tbButton = ButtonRecord(*row);
    } else if (request->tbButton.idCommand == 0) {
        request->tbButton = ButtonRecord(kSeparator);
    }
}

// The layout just saved is read back into a toolbar of the bare buttons, as
// the next start reads it; one that cannot be read back leaves those buttons.
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
