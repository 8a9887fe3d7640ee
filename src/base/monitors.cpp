#include "base/monitors.h"

#include <algorithm>
#include <climits>

namespace {

struct ReadState {
    MonitorRects* monitors;
    bool workAreas;
};

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT rect, LPARAM data) {
    auto* state = reinterpret_cast<ReadState*>(data);
    MonitorRects& m = *state->monitors;
    if (m.count >= kMaxMonitors) return FALSE;
    m.monitor[m.count] = *rect;
    m.work[m.count] = *rect;
    if (state->workAreas) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoA(handle, &info)) m.work[m.count] = info.rcWork;
    }
    ++m.count;
    return TRUE;
}

bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// Areas in 64 bits: a hand-edited rectangle may be as large as an int allows.
long long Area(const RECT& r) {
    const long long w = static_cast<long long>(r.right) - r.left;
    const long long h = static_cast<long long>(r.bottom) - r.top;
    return w > 0 && h > 0 ? w * h : 0;
}

long long OverlapArea(const RECT& a, const RECT& b) {
    RECT o{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return Area(o);
}

// The gap between two rectangles along one axis, 0 when they overlap on it.
long long Gap(long long aLow, long long aHigh, long long bLow, long long bHigh) {
    if (aHigh <= bLow) return bLow - aHigh;
    if (bHigh <= aLow) return aLow - bHigh;
    return 0;
}

// The area of r that lies on at least one monitor. Monitors may overlap (a
// mirrored display), so the rectangle is cut at every monitor edge inside it
// and each piece counts once.
long long AreaOnMonitors(const RECT& r, const MonitorRects& monitors) {
    LONG xs[2 * kMaxMonitors + 2], ys[2 * kMaxMonitors + 2];
    int nx = 0, ny = 0;
    xs[nx++] = r.left;
    xs[nx++] = r.right;
    ys[ny++] = r.top;
    ys[ny++] = r.bottom;
    for (int i = 0; i < monitors.count; ++i) {
        const RECT& m = monitors.monitor[i];
        for (LONG x : {m.left, m.right})
            if (x > r.left && x < r.right) xs[nx++] = x;
        for (LONG y : {m.top, m.bottom})
            if (y > r.top && y < r.bottom) ys[ny++] = y;
    }
    std::sort(xs, xs + nx);
    std::sort(ys, ys + ny);
    long long area = 0;
    for (int i = 0; i + 1 < nx; ++i) {
        for (int j = 0; j + 1 < ny; ++j) {
            const RECT piece{xs[i], ys[j], xs[i + 1], ys[j + 1]};
            if (piece.right <= piece.left || piece.bottom <= piece.top) continue;
            for (int k = 0; k < monitors.count; ++k) {
                if (OverlapArea(piece, monitors.monitor[k]) > 0) {
                    area += Area(piece);
                    break;
                }
            }
        }
    }
    return area;
}

// Moves [low, low + size) into [lowest, highest), shrinking it when it is longer.
void FitSpan(long long low, long long size, LONG lowest, LONG highest, LONG* outLow, LONG* outHigh) {
    const long long room = static_cast<long long>(highest) - lowest;
    if (size > room) size = room;
    if (low + size > highest) low = highest - size;
    if (low < lowest) low = lowest;
    *outLow = static_cast<LONG>(low);
    *outHigh = static_cast<LONG>(low + size);
}

// The index of the monitor that contains the point, -1 when none does.
int MonitorAt(POINT p, const MonitorRects& monitors) {
    for (int i = 0; i < monitors.count; ++i)
        if (Contains(monitors.monitor[i], p)) return i;
    return -1;
}

bool IsPointOnMonitors(POINT p, const MonitorRects& monitors) {
    return MonitorAt(p, monitors) >= 0;
}

// The index of the monitor nearest to the rectangle: the one it overlaps
// most, else the one with the smallest gap to it. -1 when there is none.
int NearestMonitor(const RECT& r, const MonitorRects& monitors) {
    int best = -1;
    long long bestOverlap = 0, bestGap = 0;
    for (int i = 0; i < monitors.count; ++i) {
        const RECT& m = monitors.monitor[i];
        const long long overlap = OverlapArea(r, m);
        const long long gx = Gap(r.left, r.right, m.left, m.right), gy = Gap(r.top, r.bottom, m.top, m.bottom);
        const long long gap = gx * gx + gy * gy;
        const bool better = best < 0 || overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && gap < bestGap);
        if (better) {
            best = i;
            bestOverlap = overlap;
            bestGap = gap;
        }
    }
    return best;
}

}  // namespace

void ReadMonitorRects(MonitorRects* monitors, bool workAreas) {
    monitors->count = 0;
    ReadState state{monitors, workAreas};
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&state));
}

int DeadEndCornerMonitor(POINT p, CornerKind kind, const MonitorRects& monitors) {
    for (int i = 0; i < monitors.count; ++i) {
        const RECT& r = monitors.monitor[i];
        if (r.right <= r.left || r.bottom <= r.top) continue;
        const POINT corner{kind.right ? r.right - 1 : r.left, kind.bottom ? r.bottom - 1 : r.top};
        if (p.x != corner.x || p.y != corner.y) continue;
        const LONG dx = kind.right ? 1 : -1, dy = kind.bottom ? 1 : -1;
        const POINT outward[] = {{corner.x + dx, corner.y}, {corner.x, corner.y + dy}, {corner.x + dx, corner.y + dy}};
        bool deadEnd = true;
        for (const POINT& o : outward) deadEnd = deadEnd && !IsPointOnMonitors(o, monitors);
        if (deadEnd) return i;
    }
    return -1;
}

bool PlaceStoredRect(const RECT& stored, const MonitorRects& monitors, RECT* placed) {
    const long long area = Area(stored);
    if (area == 0 || monitors.count == 0) return false;
    if (2 * AreaOnMonitors(stored, monitors) >= area) {
        *placed = stored;
        return true;
    }
    const int nearest = NearestMonitor(stored, monitors);
    const RECT& work = monitors.work[nearest];
    FitSpan(stored.left, static_cast<long long>(stored.right) - stored.left, work.left, work.right, &placed->left,
            &placed->right);
    FitSpan(stored.top, static_cast<long long>(stored.bottom) - stored.top, work.top, work.bottom, &placed->top,
            &placed->bottom);
    return true;
}

namespace {

// The work area's offset from its monitor's top left corner.
POINT WorkAreaOffset(const MonitorRects& monitors, int index) {
    return {monitors.work[index].left - monitors.monitor[index].left,
            monitors.work[index].top - monitors.monitor[index].top};
}

// The rectangle moved by (dx, dy); unchanged when a side would leave the
// range of an int (only a hand-edited rectangle comes near it).
RECT Moved(const RECT& r, long long dx, long long dy) {
    const long long sides[4] = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    for (long long side : sides)
        if (side < INT_MIN || side > INT_MAX) return r;
    return RECT{static_cast<LONG>(sides[0]), static_cast<LONG>(sides[1]), static_cast<LONG>(sides[2]),
                static_cast<LONG>(sides[3])};
}

}  // namespace

RECT ScreenToWorkspace(const RECT& screen, const MonitorRects& monitors) {
    const int i = NearestMonitor(screen, monitors);
    if (i < 0) return screen;
    const POINT offset = WorkAreaOffset(monitors, i);
    return Moved(screen, -static_cast<long long>(offset.x), -static_cast<long long>(offset.y));
}

RECT WorkspaceToScreen(const RECT& workspace, const MonitorRects& monitors) {
    const int guess = NearestMonitor(workspace, monitors);
    if (guess < 0) return workspace;
    // The monitor nearest to the rectangle as given is tried first; another
    // one counts only when its offset moves the rectangle onto it.
    for (int k = -1; k < monitors.count; ++k) {
        const int i = k < 0 ? guess : k;
        if (k >= 0 && i == guess) continue;
        const POINT offset = WorkAreaOffset(monitors, i);
        const RECT screen = Moved(workspace, offset.x, offset.y);
        if (NearestMonitor(screen, monitors) == i) return screen;
    }
    const POINT offset = WorkAreaOffset(monitors, guess);
    return Moved(workspace, offset.x, offset.y);
}

bool CoversMonitor(const RECT& window, const RECT& monitor) {
    return window.left <= monitor.left && window.top <= monitor.top && window.right >= monitor.right &&
           window.bottom >= monitor.bottom;
}

bool CoversItsMonitor(HWND window, const RECT& rect) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    return GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info) &&
           CoversMonitor(rect, info.rcMonitor);
}
