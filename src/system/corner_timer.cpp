#include "system/corner_timer.h"

#include <windows.h>

#include "app/main_window.h"

// The corner watch itself arrives with the immediate start option; until
// then there is no timer to start.
void StartCornerTimer() {}

void StopCornerTimer() {
    KillTimer(MainWindow, kCornerTimerId);
}
