#include "system/corner_timer.h"

// The corner watch itself arrives with the immediate start option; until
// then there is no timer to start.
void StartCornerTimer(HWND) {}

void StopCornerTimer(HWND window) {
    KillTimer(window, kCornerTimerId);
}
