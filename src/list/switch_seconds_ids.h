// Resource and control identifiers of the switch seconds dialog.
#pragma once

#define IDD_SWITCH_SECONDS 4303
#define IDC_SWITCH_SECONDS_EDIT 3112
#define IDC_SWITCH_SECONDS_UPDOWN 3113
