// The corner timer's tick: what one tick costs with the monitors the display
// has, against a floor that makes the calls a one-monitor corner look needs
// anyway (the cursor, the screen size, the timer killed and set again).
// bench/corner.sh runs it on one and on three monitors.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/timing.h"
#include "system/corner_timer.h"

namespace {

constexpr UINT_PTR kFloorTimer = 1;

void CALLBACK NoTick(HWND, UINT, UINT_PTR, DWORD) {}

// What the tick did when only the primary screen's corner counted.
void FloorTick(HWND window) {
    KillTimer(window, kFloorTimer);
    POINT cursor{};
    GetCursorPos(&cursor);
    volatile int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    (void)w;
    (void)h;
    SetTimer(window, kFloorTimer, kCornerTimerPeriod, NoTick);
}

// Microseconds per call of fn over count calls.
template <class Fn>
double MicrosecondsPerCall(int count, Fn fn) {
    const LONGLONG start = Clock::now();
    for (int i = 0; i < count; ++i) fn();
    return Seconds(start, Clock::now()) * 1e6 / count;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    constexpr int kTicks = 2000;
    HWND window = CreateWindowExA(0, "STATIC", "corner bench", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                  nullptr);
    if (!window) return 1;
    // A cursor in the middle of the primary monitor: the tick every second
    // of the day, when nobody pushes it into a corner.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
    SetCornerOptions({1, 4, 1});
    MonitorRects monitors;
    ReadMonitorRects(&monitors, false);
    // Interleaved, so that both see the same machine.
    std::vector<double> ticks, floors;
    for (int r = 0; r < rounds; ++r) {
        ticks.push_back(MicrosecondsPerCall(kTicks, [&] { OnCornerTimer(window, WM_TIMER, kCornerTimerId, 0); }));
        floors.push_back(MicrosecondsPerCall(kTicks, [&] { FloorTick(window); }));
    }
    StopCornerTimer(window);
    KillTimer(window, kFloorTimer);
    const double tick = Fastest(ticks), floor = Fastest(floors);
    std::printf("monitors %d: corner tick %.2f us, floor %.2f us, ratio %.2f\n", monitors.count, tick, floor,
                floor > 0 ? tick / floor : 0);
    DestroyWindow(window);
    return 0;
}
