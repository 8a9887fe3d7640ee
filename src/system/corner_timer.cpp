#include "system/corner_timer.h"

#include "system/screen_saver.h"

namespace {

CornerOptions Options;

// The corner setting's values and the pixel each names.
struct Corner {
    int setting;
    bool right;
    bool bottom;
};
constexpr Corner kCorners[] = {
    {1, false, false},  // top left
    {2, true, false},   // top right
    {3, false, true},   // bottom left
    {4, true, true},    // bottom right
};

// Whether the cursor is the one corner pixel of the primary screen (w × h)
// that the corner setting names; other settings match nothing.
bool IsCursorInCorner(POINT cursor, int corner, int w, int h) {
    for (const Corner& c : kCorners) {
        if (c.setting != corner) continue;
        return cursor.x == (c.right ? w - 1 : 0) && cursor.y == (c.bottom ? h - 1 : 0);
    }
    return false;
}

}  // namespace

void SetCornerOptions(const CornerOptions& options) {
    Options = options;
}

void StartCornerTimer(HWND window) {
    if (Options.ScrSave == 1) SetTimer(window, kCornerTimerId, kCornerTimerPeriod, OnCornerTimer);
}

void StopCornerTimer(HWND window) {
    KillTimer(window, kCornerTimerId);
}

void CALLBACK OnCornerTimer(HWND window, UINT, UINT_PTR, DWORD) {
    StopCornerTimer(window);
    POINT cursor{-1, -1};  // no position read matches no corner
    GetCursorPos(&cursor);
    const int w = GetSystemMetrics(SM_CXSCREEN);
    const int h = GetSystemMetrics(SM_CYSCREEN);
    if (IsCursorInCorner(cursor, Options.SSPos, w, h) && IsScreenSaverActive() == 1) {
        // Out of the corner, so the next tick and the user's return do not
        // start it again at once.
        SetCursorPos(w / 2, h / 2);
        StartScreenSaverNow(window);
    }
    StartCornerTimer(window);
}
