#include "system/screen_saver.h"

#include <windows.h>

int ScreenSaverActive;

int IsScreenSaverActive() {
    BOOL active = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    return active ? 1 : 0;
}
