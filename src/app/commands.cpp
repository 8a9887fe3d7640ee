#include "app/commands.h"

#include "app/command_policy.h"
#include "app/help.h"
#include "app/installed_archives.h"
#include "app/main_window.h"
#include "app/managed_settings.h"
#include "app/option_timers.h"
#include "app/startup.h"
#include "app/toolbar.h"
#include "app/tray.h"
#include "archive/about_box.h"
#include "base/handles.h"
#include "list/add_files.h"
#include "list/entry_list.h"
#include "list/folder_search.h"
#include "list/list_editing.h"
#include "list/list_file.h"
#include "play/entry_commands.h"
#include "play/list_playback.h"
#include "play/play_window.h"
#include "settings/settings_dialog.h"
#include "system/screen_saver.h"

namespace {
// Minutes of the waiting-time commands, in command order from kCmdWait1.
constexpr int kWaitMinutes[] = {1, 2, 3, 4, 5, 10, 15, 20};
}  // namespace

void ExitProgram() {
    SendMessageA(MainWindow, WM_CLOSE, 0, 0);
}

void ShowListPopupMenu() {
    POINT at{};
    GetCursorPos(&at);
    MenuHandle menu(LoadMenuA(AppInstance, MAKEINTRESOURCEA(IDR_LIST_MENU)));
    if (!menu) return;
    TrackPopupMenu(GetSubMenu(menu.get(), 0), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, at.x, at.y, 0,
                   MainWindow, nullptr);
}

namespace {

void RunCommand(int command) {
    switch (command) {
    case kCmdNewList: NewList(); break;
    case kCmdOpenList: OpenList(); break;
    case kCmdSaveList: SaveList(); break;
    case kCmdSaveListAs: SaveListAs(); break;
    case kCmdSaveStandardList: SaveStandardList(); break;
    case kCmdEnterTray: EnterTray(); break;
    case kCmdExit: ExitProgram(); break;
    case kCmdAddFile: AddScreenSaverFile(InstalledArchives(), MainWindow); break;
    case kCmdFolderSearch: FolderSearchDialog(InstalledArchives(), MainWindow); break;
    case kCmdDeleteEntry: DeleteSelectedEntry(); break;
    case kCmdRemoveDuplicates: RemoveDuplicateEntries(); break;
    case kCmdRemoveMissing: RemoveMissingEntries(); break;
    case kCmdMoveUp: MoveEntryUp(); break;
    case kCmdMoveDown: MoveEntryDown(); break;
    case kCmdSwitchSeconds: SetEntrySwitchSeconds(MainWindow); break;
    case kCmdConfigure: ConfigureEntry(SelectedEntryRow); break;
    case kCmdPreview: PreviewEntry(SelectedEntryRow); break;
    case kCmdOpenArchive: OpenEntryArchive(SelectedEntryRow); break;
    case kCmdSetStandard: SetEntryAsStandard(SelectedEntryRow); break;
    case kCmdSettings: ShowSettingsDialog(MainWindow, ProgramOptionTimers(), ReadSystemSaverFacts); break;
    case kCmdPlayFullScreen: PlayListFullScreen(); break;
    case kCmdPlayWindow: ShowPlayWindow(); break;
    case kCmdDisplayProperties: ShowDisplayProperties(); break;
    case kCmdCustomizeToolbar: CustomizeToolbar(); break;
    case kCmdHelp: ShowHelp(); break;
    case kCmdAbout: ShowAboutBox(MainWindow, LinkStyle{LinkFont, LinkCursor, HelpPagePath().c_str()}); break;
    case kCmdLeaveTray: LeaveTray(); break;
    case kCmdSaverOff: DisableScreenSaver(); break;
    case kCmdSaverOn: EnableScreenSaver(); break;
    case kCmdSaverNow: StartScreenSaverNow(MainWindow); break;
    case kCmdWait1:
    case kCmdWait2:
    case kCmdWait3:
    case kCmdWait4:
    case kCmdWait5:
    case kCmdWait10:
    case kCmdWait15:
    case kCmdWait20: SetScreenSaverTimeout(kWaitMinutes[command - kCmdWait1]); break;
    case kCmdDefrag: RunDefragWithoutScreenSaver(MainWindow); break;
    default: break;
    }
}

}  // namespace

void DispatchCommand(WPARAM wParam, LPARAM /*lParam*/) {
    GetSelectedEntryRow();
    const int command = LOWORD(wParam);
    if (!AdmitCommand(MainWindow, wParam)) return;
    // What the administrator's policy fixes is not changed: the user hears why.
    if (AdmitManagedCommand(MainWindow, command)) RunCommand(command);
    // A customised or reset toolbar has its buttons back enabled.
    RefreshPolicyState();
    // Not while a modal dialog disables the window: the dialog keeps the keyboard.
    if (MainChildren.listView && IsWindowEnabled(MainWindow)) SetFocus(MainChildren.listView);
}
