// Control identifiers of the play window (dialog IDD_PLAY_WINDOW).
#pragma once

#define IDC_PLAY_CLOSE 1  // Close, the dialog's IDOK
#define IDC_PLAY_START 6501
#define IDC_PLAY_STOP 6502
#define IDC_PLAY_AREA 3301
