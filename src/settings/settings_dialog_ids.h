// Control identifiers of the settings dialog (dialog IDD_SETTINGS).
#pragma once

#define IDC_SETTINGS_TABS 3100
// Page "起動"
#define IDC_SET_END_SAVE 3101
#define IDC_SET_TRAY_AT_START 3102
// Page "再生"
#define IDC_SET_SECONDS_LABEL 3111
#define IDC_SET_SECONDS 3112
#define IDC_SET_SECONDS_SPIN 3113
#define IDC_SET_ON_TOP 3114
#define IDC_SET_LOOP 3115
// Page "即時起動"
#define IDC_SET_CORNER_START 3121
#define IDC_SET_CORNER_GROUP 3122
#define IDC_SET_TOP_LEFT 3123
#define IDC_SET_TOP_RIGHT 3124
#define IDC_SET_BOTTOM_LEFT 3125
#define IDC_SET_BOTTOM_RIGHT 3126
#define IDC_SET_FULL_SCREEN 3127
// Page "チェンジャー"
#define IDC_SET_RANDOM_STANDARD 3131
#define IDC_SET_CHANGER 3132
#define IDC_SET_ORDER_GROUP 3133
#define IDC_SET_IN_ORDER 3134
#define IDC_SET_AT_RANDOM 3135
// What the system's settings mean for the options: the changer page's line
// on a password-protected screen saver, and the note on what the
// administrator's policy fixes (pages "即時起動" and "チェンジャー").
#define IDC_SET_SECURE_NOTE 3140
#define IDC_SET_POLICY_NOTE 3141
