// Resource ids shared by every saver's resource script and the frame's code.
#pragma once

// The screen saver's name, where Windows looks for it (string 1).
#define IDS_DESCRIPTION 1
#define IDS_SETTINGS_CAPTION 2  // caption of the settings dialog
#define IDS_SETTING_LABEL 3     // label in front of the choices
#define IDS_SETTINGS_NOTE 4     // line under the choices
#define IDS_SAVE_FAILED 5       // message when the setting cannot be stored
#define IDS_CHOICE_FIRST 16     // the setting's choices, 16, 17, ...
#define IDS_SAVER_FIRST 64      // texts of the saver's own picture, 64, 65, ...

#define IDD_SAVER_SETTINGS 100
#define IDC_SAVER_NAME 1001
#define IDC_SETTING_LABEL 1002
#define IDC_SETTING_CHOICE 1003
#define IDC_SETTINGS_NOTE 1004
