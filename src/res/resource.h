// Identifiers shared by the resource scripts and the code: icons, bitmaps,
// menus and accelerators, dialogs, commands and strings, each written once.
// Plain defines, as the resource compiler reads this file too.
#pragma once

// Icons and bitmaps
#define IDI_ZELVISTA 4401
#define IDI_ZELVISTA_SMALL 4402
#define IDB_TOOLBAR 4201  // the toolbar's image strip, one 16x16 image per button
#define IDB_TOOLBAR_24 4202  // the same drawn at 24x24 (150 %)
#define IDB_TOOLBAR_32 4203  // and at 32x32 (200 %)

// Menus and accelerators
#define IDR_ACCELERATORS 4101
#define IDR_MAIN_MENU 4501
#define IDR_LIST_MENU 4502
#define IDR_TRAY_MENU 4503

// Dialogs (their control ids live beside each dialog's script)
#define IDD_ABOUT_BOX 4301
#define IDD_SETTINGS 4302
#define IDD_SWITCH_SECONDS 4303
#define IDD_FOLDER_SEARCH 4304
#define IDD_PLAY_WINDOW 4305

// Commands of menus, accelerators, toolbar and tray menu
#define IDM_NEW_LIST 6001
#define IDM_OPEN_LIST 6002
#define IDM_SAVE_LIST 6003
#define IDM_SAVE_LIST_AS 6004
#define IDM_SAVE_STANDARD_LIST 6005
#define IDM_ENTER_TRAY 6006
#define IDM_EXIT 6007
#define IDM_ADD_FILE 6101
#define IDM_FOLDER_SEARCH 6102
#define IDM_DELETE_ENTRY 6103
#define IDM_REMOVE_DUPLICATES 6104
#define IDM_REMOVE_MISSING 6105
#define IDM_MOVE_UP 6106
#define IDM_MOVE_DOWN 6107
#define IDM_CONFIGURE 6108
#define IDM_PREVIEW 6109
#define IDM_SWITCH_SECONDS 6110
#define IDM_OPEN_ARCHIVE 6111
#define IDM_PLAY_FULL_SCREEN 6201
#define IDM_PLAY_WINDOW 6202
#define IDM_SETTINGS 6301
#define IDM_DISPLAY_PROPERTIES 6302
#define IDM_SET_STANDARD 6303
#define IDM_CUSTOMIZE_TOOLBAR 6304
#define IDM_HELP 6401
#define IDM_ABOUT 6402
#define IDM_LEAVE_TRAY 6601
#define IDM_SAVER_OFF 6701
#define IDM_SAVER_ON 6702
#define IDM_SAVER_NOW 6703
#define IDM_WAIT_1 6704
#define IDM_WAIT_2 6705
#define IDM_WAIT_3 6706
#define IDM_WAIT_4 6707
#define IDM_WAIT_5 6708
#define IDM_WAIT_10 6709
#define IDM_WAIT_15 6710
#define IDM_WAIT_20 6711
#define IDM_DEFRAG 40050

// Strings: toolbar tooltips
#define IDS_TIP_EXIT 5101
#define IDS_TIP_ENTER_TRAY 5102
#define IDS_TIP_NEW_LIST 5103
#define IDS_TIP_OPEN_LIST 5104
#define IDS_TIP_SAVE_LIST 5105
#define IDS_TIP_SAVE_STANDARD_LIST 5106
#define IDS_TIP_ADD_FILE 5107
#define IDS_TIP_FOLDER_SEARCH 5108
#define IDS_TIP_DELETE_ENTRY 5109
#define IDS_TIP_REMOVE_DUPLICATES 5110
#define IDS_TIP_REMOVE_MISSING 5111
#define IDS_TIP_MOVE_UP 5112
#define IDS_TIP_MOVE_DOWN 5113
#define IDS_TIP_CONFIGURE 5114
#define IDS_TIP_PREVIEW 5115
#define IDS_TIP_SWITCH_SECONDS 5116
#define IDS_TIP_SET_STANDARD 5117
#define IDS_TIP_OPEN_ARCHIVE 5118
#define IDS_TIP_PLAY_FULL_SCREEN 5119
#define IDS_TIP_PLAY_WINDOW 5120
#define IDS_TIP_DISPLAY_PROPERTIES 5121
#define IDS_TIP_SETTINGS 5122
#define IDS_TIP_HELP 5123

// Strings: toolbar button names in the customisation dialog
#define IDS_BUTTON_EXIT 5201
#define IDS_BUTTON_ENTER_TRAY 5202
#define IDS_BUTTON_NEW_LIST 5203
#define IDS_BUTTON_OPEN_LIST 5204
#define IDS_BUTTON_SAVE_LIST 5205
#define IDS_BUTTON_SAVE_STANDARD_LIST 5206
#define IDS_BUTTON_ADD_FILE 5207
#define IDS_BUTTON_FOLDER_SEARCH 5208
#define IDS_BUTTON_DELETE_ENTRY 5209
#define IDS_BUTTON_REMOVE_DUPLICATES 5210
#define IDS_BUTTON_REMOVE_MISSING 5211
#define IDS_BUTTON_MOVE_UP 5212
#define IDS_BUTTON_MOVE_DOWN 5213
#define IDS_BUTTON_CONFIGURE 5214
#define IDS_BUTTON_PREVIEW 5215
#define IDS_BUTTON_SWITCH_SECONDS 5216
#define IDS_BUTTON_SET_STANDARD 5217
#define IDS_BUTTON_OPEN_ARCHIVE 5218
#define IDS_BUTTON_PLAY_FULL_SCREEN 5219
#define IDS_BUTTON_PLAY_WINDOW 5220
#define IDS_BUTTON_DISPLAY_PROPERTIES 5221
#define IDS_BUTTON_SETTINGS 5222
#define IDS_BUTTON_HELP 5223

// Strings: the main window and the tray
#define IDS_APP_TITLE 5301
#define IDS_TRAY_TIP 5302
#define IDS_SAVE_CHANGES 5303  // %s: the list path

// Strings: the list view's column headers
#define IDS_COLUMN_NAME 5311
#define IDS_COLUMN_SECONDS 5312
#define IDS_COLUMN_FOLDER 5313
#define IDS_COLUMN_TYPE 5314
#define IDS_COLUMN_ARCHIVE 5315

// Strings: list files
#define IDS_LIST_READ_ERROR 5321
#define IDS_LIST_WRITE_ERROR 5322
#define IDS_LIST_SAVE_ERROR 5323
#define IDS_READ_FAILED 5324
#define IDS_OLD_VERSION 5325
#define IDS_WRITE_FAILED 5326
#define IDS_LIST_EMPTY 5327
#define IDS_OPEN_LIST_TITLE 5328
#define IDS_SAVE_LIST_AS_TITLE 5329
#define IDS_SAVE_STANDARD_TITLE 5330
#define IDS_OVERWRITE_STANDARD 5331  // %s: the standard list's path
#define IDS_NEW_LIST_NAME 5332
#define IDS_LIST_FILTER_NAME 5333
#define IDS_LIST_TITLE 5334  // %s: the list's file name

// Strings: the About box
#define IDS_NOT_INSTALLED 5341

// Strings: adding screen savers and archives
#define IDS_ADD_DIALOG_TITLE 5351
#define IDS_ADD_FILTER_SAVERS 5352
#define IDS_ADD_FILTER_ALL 5353
#define IDS_ADD_ERROR_CAPTION 5354
#define IDS_MISSING_UNLHA32 5355
#define IDS_MISSING_UNZIP32 5356
#define IDS_MISSING_CAB32 5357
#define IDS_REFUSED_COMMA 5358     // %s: the path
#define IDS_REFUSED_TOO_LONG 5359  // %s: the path
#define IDS_REFUSED_MEMBERS 5360   // %s: how many, then %s: the archive's path
#define IDS_NOT_A_SAVER 5361       // %s: the path
#define IDS_ARCHIVE_UNREADABLE 5678    // %s: the archive's path
#define IDS_NO_SAVERS_IN_ARCHIVE 5679  // %s: the archive's path

// Strings: the folder search
#define IDS_SEARCH_ADDED 5371      // %s: how many rows
#define IDS_SEARCH_IN_FOLDER 5372  // %s: the folder
#define IDS_SEARCH_REFUSED 5373    // %s: how many files
#define IDS_BROWSE_TITLE 5374
#define IDS_SHGETMALLOC_ERROR 5375
#define IDS_SHGETMALLOC_CAPTION 5376

// Strings: the settings dialog
#define IDS_PAGE_START 5381
#define IDS_PAGE_PLAY 5382
#define IDS_PAGE_CORNER 5383
#define IDS_PAGE_CHANGER 5384
#define IDS_SECONDS_RANGE 5385
#define IDS_SECONDS_ERROR 5386

// Strings: the play window
#define IDS_PLAY_LOADING 5451
#define IDS_PLAY_FINISHED 5452

// Strings: running entries and start-up
#define IDS_PROGRAM_FOLDER_TOO_LONG 5461  // %s: the program's folder
#define IDS_CANNOT_RUN_FILE 5462          // %s: the file in use

// Strings: why an entry cannot run (first the short reason the status bar
// shows, then the whole message with what to do; %s: the path concerned)
#define IDS_CANNOT_CONFIGURE 5650     // %s: the screen saver's name, then %s: the reason
#define IDS_CANNOT_PREVIEW 5651       // likewise
#define IDS_CANNOT_SET_STANDARD 5652  // likewise
#define IDS_SKIPPED_ENTRY 5653        // %s: the screen saver's name, then %s: the short reason
#define IDS_SHORT_FILE_MISSING 5654
#define IDS_SHORT_ARCHIVE_MISSING 5655
#define IDS_SHORT_LIBRARY_MISSING 5656
#define IDS_SHORT_ARCHIVE_UNREADABLE 5657
#define IDS_SHORT_MEMBER_MISSING 5658
#define IDS_SHORT_METHOD_NOT_READ 5659
#define IDS_SHORT_DATA_DAMAGED 5660
#define IDS_SHORT_EXTRACTION_FAILED 5661
#define IDS_SHORT_PATH_TOO_LONG 5662
#define IDS_SHORT_UNKNOWN_TYPE 5663
#define IDS_SHORT_FILE_IN_USE 5664
#define IDS_SHORT_NOT_STARTED 5665
#define IDS_WHY_FILE_MISSING 5666
#define IDS_WHY_ARCHIVE_MISSING 5667
#define IDS_WHY_LIBRARY_MISSING 5668  // %s: the library's missing-library text
#define IDS_WHY_ARCHIVE_UNREADABLE 5669
#define IDS_WHY_MEMBER_MISSING 5670
#define IDS_WHY_METHOD_NOT_READ 5671
#define IDS_WHY_DATA_DAMAGED 5672
#define IDS_WHY_EXTRACTION_FAILED 5673
#define IDS_WHY_PATH_TOO_LONG 5674
#define IDS_WHY_UNKNOWN_TYPE 5675
#define IDS_WHY_NOT_STARTED 5676

// Strings: the first start
#define IDS_FIRST_LIST_OFFER 5677

// Strings: the administrator's policy, password-protected screen savers, the drive optimiser
#define IDS_POLICY_ACTIVE 5500           // why the on/off commands are disabled
#define IDS_POLICY_TIMEOUT 5501          // why the waiting times are disabled
#define IDS_POLICY_STANDARD 5502         // why "make standard" is disabled
#define IDS_POLICY_MENU_MARK 5503        // after the text of a disabled menu item
#define IDS_POLICY_STATUS 5504           // the status bar while a policy fixes anything
#define IDS_POLICY_STANDARD_NOTE 5505    // settings: the random standard screen saver
#define IDS_POLICY_CORNER_OFF 5506       // settings: immediate start with the screen saver off
#define IDS_POLICY_CHANGER_OFF 5507      // settings: the changer with the screen saver off
#define IDS_CHANGER_SECURE 5508          // %s: the grace period in seconds
#define IDS_CHANGER_SECURE_NO_GRACE 5509
#define IDS_DEFRAG_CAPTION 5510
#define IDS_DEFRAG_CANNOT_START 5511     // %s: the optimiser's path

// Nothing of the user's is lost: the work folder, the list kept at session
// end, Save As, the folder search's cloud files.
#define IDS_WORK_FOLDER_NOT_OURS 5550     // %s: the folder
#define IDS_WORK_FOLDER_CANNOT_MAKE 5551  // %s: the folder
#define IDS_CONFIRM_SAVE_AS 5552
#define IDS_OVERWRITE_LIST 5553           // %s: the list file that would be replaced
#define IDS_SEARCH_NOT_ON_DISK 5554       // %s: how many archives
#define IDS_RECOVERY_OFFER 5555           // %s: the list's path
#define IDS_SESSION_END_REASON 5556       // shown by Windows while the session end waits

// Strings: names that code page 932 cannot write
#define IDS_PROGRAM_FOLDER_UNUSABLE 5600  // %s: the program's path up to the part
#define IDS_NAME_UNUSABLE 5601            // %s: the path up to the part that cannot be used
#define IDS_SEARCH_UNUSABLE 5602          // %s: how many files and folders
#define IDS_SEARCH_UNUSABLE_LIST 5603     // %s: their paths, one a line
#define IDS_SEARCH_UNUSABLE_MORE 5604     // %s: how many more
#define IDS_UNUSABLE_MEMBERS 5605         // %s: how many, then %s: the archive's path
#define IDS_SEARCH_UNUSABLE_MEMBERS 5606  // %s: how many members of the archive before it
