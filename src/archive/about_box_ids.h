// Resource and control identifiers of the About box.
#pragma once

#define IDD_ABOUT_BOX 4301
#define IDC_ABOUT_LINK 3001
#define IDC_ABOUT_LZH_VERSION 3002
#define IDC_ABOUT_ZIP_VERSION 3003
#define IDC_ABOUT_CAB_VERSION 3004
#define IDI_ZELVISTA_ICON 4401
