// Control identifiers of the About box (dialog IDD_ABOUT_BOX).
#pragma once

#define IDC_ABOUT_LINK 3001
#define IDC_ABOUT_LZH_VERSION 3002
#define IDC_ABOUT_ZIP_VERSION 3003
#define IDC_ABOUT_CAB_VERSION 3004
