// Command identifiers of menus, accelerators, toolbar and tray menu, and the
// dispatcher every WM_COMMAND of the main window goes through.
#pragma once
#include <windows.h>

enum CommandId : int {
    kCmdNewList = 6001,
    kCmdOpenList = 6002,
    kCmdSaveList = 6003,
    kCmdSaveListAs = 6004,
    kCmdSaveStandardList = 6005,
    kCmdEnterTray = 6006,
    kCmdExit = 6007,
    kCmdAddFile = 6101,
    kCmdFolderSearch = 6102,
    kCmdDeleteEntry = 6103,
    kCmdRemoveDuplicates = 6104,
    kCmdRemoveMissing = 6105,
    kCmdMoveUp = 6106,
    kCmdMoveDown = 6107,
    kCmdConfigure = 6108,
    kCmdPreview = 6109,
    kCmdSwitchSeconds = 6110,
    kCmdOpenArchive = 6111,
    kCmdPlayFullScreen = 6201,
    kCmdPlayWindow = 6202,
    kCmdSettings = 6301,
    kCmdDisplayProperties = 6302,
    kCmdSetStandard = 6303,
    kCmdCustomizeToolbar = 6304,
    kCmdHelp = 6401,
    kCmdAbout = 6402,
    kCmdLeaveTray = 6601,
    kCmdSaverOff = 6701,
    kCmdSaverOn = 6702,
    kCmdSaverNow = 6703,
    kCmdWait1 = 6704,
    kCmdWait2 = 6705,
    kCmdWait3 = 6706,
    kCmdWait4 = 6707,
    kCmdWait5 = 6708,
    kCmdWait10 = 6709,
    kCmdWait15 = 6710,
    kCmdWait20 = 6711,
    kCmdDefrag = 40050,
};

void DispatchCommand(WPARAM wParam, LPARAM lParam);
void ExitProgram();
