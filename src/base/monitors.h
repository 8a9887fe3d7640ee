// The monitors of the desktop and the geometry the program does over them:
// which corners of the desktop are dead ends for the cursor, where a stored
// window rectangle goes when its monitor is gone, whether a window covers its
// monitor. The geometry is pure (rectangles in, answer out); one procedure
// reads the monitors Windows reports.
#pragma once
#include <windows.h>

// More monitors than this are not looked at (a desktop with more is rare,
// and the reads stay bounded).
constexpr int kMaxMonitors = 16;

struct MonitorRects {
    RECT monitor[kMaxMonitors];  // the monitor in virtual-screen pixels
    RECT work[kMaxMonitors];     // its work area (without the task bar)
    int count = 0;
};

// Fills the monitors of the desktop, in the order Windows enumerates them.
// With workAreas false only the monitor rectangles are read (cheaper).
void ReadMonitorRects(MonitorRects* monitors, bool workAreas);

// The corner kinds: which corner of a monitor is meant.
struct CornerKind {
    bool right;
    bool bottom;
};

// The index of the monitor whose corner pixel of the given kind the point is,
// when that corner is a dead end: the pixels one step outward horizontally,
// vertically and diagonally lie on no monitor. An inner corner, where another
// monitor goes on, is no dead end. -1 when the point is no such corner.
int DeadEndCornerMonitor(POINT p, CornerKind kind, const MonitorRects& monitors);

// Where a stored window rectangle goes: unchanged when at least half of its
// area lies on the monitors; otherwise moved (and, when larger, shrunk) into
// the work area of the monitor nearest to it. False when there is no monitor
// or the rectangle is empty.
bool PlaceStoredRect(const RECT& stored, const MonitorRects& monitors, RECT* placed);

// Window placements (GetWindowPlacement, SetWindowPlacement) give a top-level
// window's rectangle in workspace coordinates: screen coordinates less the
// offset of the work area from the top left corner of the monitor the
// rectangle is on. The two differ where a task bar sits at the top or the
// left. The monitor is the nearest to the rectangle; from workspace
// coordinates it is one whose offset puts the rectangle back on it.
RECT ScreenToWorkspace(const RECT& screen, const MonitorRects& monitors);
RECT WorkspaceToScreen(const RECT& workspace, const MonitorRects& monitors);

// Whether a window rectangle covers the whole monitor rectangle.
bool CoversMonitor(const RECT& window, const RECT& monitor);
// Whether rect (part of the window, in screen coordinates) covers the whole
// monitor the window is on.
bool CoversItsMonitor(HWND window, const RECT& rect);
