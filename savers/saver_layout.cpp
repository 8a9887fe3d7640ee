#include "saver_layout.h"

RECT FitPicture(SIZE picture, const RECT& monitor) {
    const long long mw = monitor.right - monitor.left, mh = monitor.bottom - monitor.top;
    if (picture.cx <= 0 || picture.cy <= 0 || mw <= 0 || mh <= 0) return monitor;
    long long w = picture.cx, h = picture.cy;
    if (w > mw || h > mh) {
        // The smaller of the two scales, in integers: w/h keeps the picture's shape.
        if (mw * picture.cy <= mh * picture.cx) {
            w = mw;
            h = mw * picture.cy / picture.cx;
        } else {
            h = mh;
            w = mh * picture.cx / picture.cy;
        }
    }
    const LONG left = static_cast<LONG>(monitor.left + (mw - w) / 2);
    const LONG top = static_cast<LONG>(monitor.top + (mh - h) / 2);
    return RECT{left, top, static_cast<LONG>(left + w), static_cast<LONG>(top + h)};
}

SaverLayout LayOutSaver(const RECT* monitors, int count, POINT origin, SIZE window) {
    SaverLayout layout;
    long long largest = -1;
    for (int i = 0; i < count && layout.count < kMaxSaverMonitors; ++i) {
        const RECT& m = monitors[i];
        if (m.right <= m.left || m.bottom <= m.top) continue;
        RECT& local = layout.monitor[layout.count++];
        local = RECT{m.left - origin.x, m.top - origin.y, m.right - origin.x, m.bottom - origin.y};
        const long long area = static_cast<long long>(m.right - m.left) * (m.bottom - m.top);
        if (area > largest) {
            largest = area;
            layout.picture = SIZE{m.right - m.left, m.bottom - m.top};
        }
    }
    if (layout.count == 0) {
        layout.monitor[0] = RECT{0, 0, window.cx, window.cy};
        layout.picture = window;
        layout.count = 1;
    }
    for (int i = 0; i < layout.count; ++i) layout.place[i] = FitPicture(layout.picture, layout.monitor[i]);
    return layout;
}
