#include "system/corner_timer.h"

#include <shellapi.h>

#include <cstring>

#include "base/saver_window_class.h"
#include "system/screen_saver.h"

namespace {

CornerOptions Options;

// The corner setting's values and the corner each names.
struct Corner {
    int setting;
    CornerKind kind;
};
constexpr Corner kCorners[] = {
    {1, {false, false}},  // top left
    {2, {true, false}},   // top right
    {3, {false, true}},   // bottom left
    {4, {true, true}},    // bottom right
};

// Window classes that cover a monitor without being a program in use: a
// screen saver, and the shell's desktop (a click on the desktop can bring
// its icon layer, a WorkerW window, to the foreground).
constexpr const char* kExemptClasses[] = {kSaverWindowClass, "Progman", "WorkerW"};

// A window that may cover its monitor without being a program the user is
// busy with: the desktop, the shell, a screen saver, our own windows.
bool IsExemptWindow(HWND window) {
    if (window == GetDesktopWindow() || window == GetShellWindow()) return true;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) return true;
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    for (const char* exempt : kExemptClasses)
        if (std::strcmp(name, exempt) == 0) return true;
    return false;
}

// The client area counts, not the frame: a maximized window hangs its
// borders over the monitor's edges (and, with a task bar that hides itself,
// fills the monitor) but keeps its caption; a full-screen program shows
// nothing but its own content.
bool ForegroundCoversItsMonitor() {
    HWND window = GetForegroundWindow();
    if (!window || !IsWindowVisible(window) || IsIconic(window) || IsExemptWindow(window)) return false;
    RECT r;
    if (!GetClientRect(window, &r)) return false;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return CoversItsMonitor(window, r);
}

bool SystemReportsFullScreen() {
    QUERY_USER_NOTIFICATION_STATE state{};
    if (FAILED(SHQueryUserNotificationState(&state))) return false;
    return state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE;
}

// Whether a full-screen program is in use: the foreground window's client
// area covers its whole monitor and the window is neither the desktop, the
// shell's window, a screen saver nor a window of this process; or the system
// reports a busy full-screen state (busy, a Direct3D program full screen,
// presentation mode).
bool IsFullScreenProgramInUse() {
    return ForegroundCoversItsMonitor() || SystemReportsFullScreen();
}

}  // namespace

int CornerMonitorAt(POINT cursor, int setting, const MonitorRects& monitors) {
    for (const Corner& c : kCorners)
        if (c.setting == setting) return DeadEndCornerMonitor(cursor, c.kind, monitors);
    return -1;
}

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
    POINT cursor{};
    MonitorRects monitors;
    // No position read matches no corner.
    if (GetCursorPos(&cursor)) ReadMonitorRects(&monitors, false);
    const int monitor = CornerMonitorAt(cursor, Options.SSPos, monitors);
    // The cheap tests first: the full-screen look is made only in a corner.
    if (monitor >= 0 && IsScreenSaverActive() == 1 && !(Options.FulScr != 0 && IsFullScreenProgramInUse())) {
        // Out of the corner, to the middle of the cursor's monitor, so the
        // next tick and the user's return do not start it again at once.
        const RECT& m = monitors.monitor[monitor];
        SetCursorPos(m.left + (m.right - m.left) / 2, m.top + (m.bottom - m.top) / 2);
        StartScreenSaverNow(window);
    }
    StartCornerTimer(window);
}
