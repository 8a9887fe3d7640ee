// Command identifiers of menus, accelerators, toolbar and tray menu, and the
// dispatcher every WM_COMMAND of the main window goes through.
#pragma once
#include <windows.h>

#include "res/resource.h"

enum CommandId : int {
    kCmdNewList = IDM_NEW_LIST,
    kCmdOpenList = IDM_OPEN_LIST,
    kCmdSaveList = IDM_SAVE_LIST,
    kCmdSaveListAs = IDM_SAVE_LIST_AS,
    kCmdSaveStandardList = IDM_SAVE_STANDARD_LIST,
    kCmdEnterTray = IDM_ENTER_TRAY,
    kCmdExit = IDM_EXIT,
    kCmdAddFile = IDM_ADD_FILE,
    kCmdFolderSearch = IDM_FOLDER_SEARCH,
    kCmdDeleteEntry = IDM_DELETE_ENTRY,
    kCmdRemoveDuplicates = IDM_REMOVE_DUPLICATES,
    kCmdRemoveMissing = IDM_REMOVE_MISSING,
    kCmdMoveUp = IDM_MOVE_UP,
    kCmdMoveDown = IDM_MOVE_DOWN,
    kCmdConfigure = IDM_CONFIGURE,
    kCmdPreview = IDM_PREVIEW,
    kCmdSwitchSeconds = IDM_SWITCH_SECONDS,
    kCmdOpenArchive = IDM_OPEN_ARCHIVE,
    kCmdPlayFullScreen = IDM_PLAY_FULL_SCREEN,
    kCmdPlayWindow = IDM_PLAY_WINDOW,
    kCmdSettings = IDM_SETTINGS,
    kCmdDisplayProperties = IDM_DISPLAY_PROPERTIES,
    kCmdSetStandard = IDM_SET_STANDARD,
    kCmdCustomizeToolbar = IDM_CUSTOMIZE_TOOLBAR,
    kCmdHelp = IDM_HELP,
    kCmdAbout = IDM_ABOUT,
    kCmdLeaveTray = IDM_LEAVE_TRAY,
    kCmdSaverOff = IDM_SAVER_OFF,
    kCmdSaverOn = IDM_SAVER_ON,
    kCmdSaverNow = IDM_SAVER_NOW,
    kCmdWait1 = IDM_WAIT_1,
    kCmdWait2 = IDM_WAIT_2,
    kCmdWait3 = IDM_WAIT_3,
    kCmdWait4 = IDM_WAIT_4,
    kCmdWait5 = IDM_WAIT_5,
    kCmdWait10 = IDM_WAIT_10,
    kCmdWait15 = IDM_WAIT_15,
    kCmdWait20 = IDM_WAIT_20,
    kCmdDefrag = IDM_DEFRAG,
};

void DispatchCommand(WPARAM wParam, LPARAM lParam);
void ExitProgram();
// The list's own menu, at the cursor; shown for a right click on any child.
void ShowListPopupMenu();
