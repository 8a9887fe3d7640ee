// Where the picture goes on each monitor: a full-screen saver draws one
// picture at the size of the largest monitor and shows it whole on every
// monitor, scaled down to fit a smaller one and centred, never stretched
// across the gap between monitors.
#pragma once
#include <windows.h>

constexpr int kMaxSaverMonitors = 16;

struct SaverLayout {
    SIZE picture{};                       // the picture is drawn at this size
    RECT place[kMaxSaverMonitors]{};      // where it goes, in window coordinates
    RECT monitor[kMaxSaverMonitors]{};    // each monitor, in window coordinates
    int count = 0;
};

// The layout over monitors given in screen coordinates, for a window whose
// top left corner is at origin. With no monitor the whole window is one.
SaverLayout LayOutSaver(const RECT* monitors, int count, POINT origin, SIZE window);

// The picture scaled to fit the monitor, aspect kept, centred; at its own
// size when the monitor is as large.
RECT FitPicture(SIZE picture, const RECT& monitor);
