// Control identifiers of the switch seconds dialog (IDD_SWITCH_SECONDS).
#pragma once

#define IDC_SWITCH_SECONDS_EDIT 3112
#define IDC_SWITCH_SECONDS_UPDOWN 3113
