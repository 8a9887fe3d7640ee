// Immediate start: a timer that starts the screen saver when the mouse
// cursor is pushed into the chosen corner of the screen.
#pragma once

constexpr unsigned kCornerTimerId = 9004;

void StartCornerTimer();
void StopCornerTimer();
