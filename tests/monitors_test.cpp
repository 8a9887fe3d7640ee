// The geometry over several monitors: which corners are dead ends for the
// cursor, and where a stored window rectangle goes when its monitor is gone.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "base/monitors.h"
#include "system/corner_timer.h"

namespace {

MonitorRects Layout(std::initializer_list<RECT> monitors, std::initializer_list<RECT> work = {}) {
    MonitorRects m;
    for (const RECT& r : monitors) {
        m.monitor[m.count] = r;
        m.work[m.count] = work.size() ? work.begin()[m.count] : r;
        ++m.count;
    }
    return m;
}

// The layouts of the multi-monitor runs: the primary monitor first.
const MonitorRects kSide = Layout({{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}});
const MonitorRects kStack = Layout({{0, 0, 1920, 1080}, {320, -1024, 1600, 0}});
const MonitorRects kThree = Layout({{0, 0, 1920, 1080}, {-1280, 0, 0, 1024}, {1920, 0, 2944, 768}});
// Two monitors that touch only at one corner pixel.
const MonitorRects kDiagonal = Layout({{0, 0, 1920, 1080}, {1920, 1080, 3200, 2104}});

std::string Text(POINT p) {
    char text[32];
    std::snprintf(text, sizeof text, "(%ld, %ld)", p.x, p.y);
    return text;
}

// The corner setting (1 top left .. 4 bottom right) counts on the monitor
// whose corner pixel of that kind the cursor is, when nothing lies beyond it.
TEST(MonitorGeometryTest, OnlyDeadEndCornersCount) {
    struct Case {
        const char* layout;
        const MonitorRects& monitors;
        POINT cursor;
        int setting;
        int monitor;  // the monitor whose corner starts the screen saver, -1 for none
    } cases[] = {
        // Side by side, the second one lower.
        {"side", kSide, {0, 0}, 1, 0},
        {"side", kSide, {1920, 0}, 1, -1},  // inner: the primary goes on to the left
        {"side", kSide, {1, 0}, 1, -1},
        {"side", kSide, {0, 1}, 1, -1},
        {"side", kSide, {3199, 0}, 2, 1},
        {"side", kSide, {1919, 0}, 2, -1},  // inner
        {"side", kSide, {3198, 0}, 2, -1},
        {"side", kSide, {0, 1079}, 3, 0},
        {"side", kSide, {1920, 1023}, 3, -1},  // inner: the taller primary goes on
        {"side", kSide, {3199, 1023}, 4, 1},
        {"side", kSide, {1919, 1079}, 4, 0},  // the second one ends higher up
        {"side", kSide, {3199, 1022}, 4, -1},
        {"side", kSide, {0, 0}, 5, -1},  // a setting that names no corner
        // One above the primary, offset.
        {"stack", kStack, {0, 0}, 1, 0},
        {"stack", kStack, {320, -1024}, 1, 1},
        {"stack", kStack, {1919, 0}, 2, 0},
        {"stack", kStack, {1599, -1024}, 2, 1},
        {"stack", kStack, {320, -1}, 3, -1},  // inner: the primary lies below
        {"stack", kStack, {0, 1079}, 3, 0},
        {"stack", kStack, {1599, -1}, 4, -1},  // inner
        {"stack", kStack, {1919, 1079}, 4, 0},
        {"stack", kStack, {1600, -1}, 4, -1},  // one step beside the monitor
        // One left at negative x, one right.
        {"three", kThree, {-1280, 0}, 1, 1},
        {"three", kThree, {0, 0}, 1, -1},
        {"three", kThree, {-1279, 0}, 1, -1},
        {"three", kThree, {-1280, 1}, 1, -1},
        {"three", kThree, {2943, 0}, 2, 2},
        {"three", kThree, {1919, 0}, 2, -1},
        {"three", kThree, {-1, 0}, 2, -1},
        {"three", kThree, {-1280, 1023}, 3, 1},
        {"three", kThree, {0, 1079}, 3, 0},  // the left one ends higher up
        {"three", kThree, {1920, 767}, 3, -1},
        {"three", kThree, {2943, 767}, 4, 2},
        {"three", kThree, {1919, 1079}, 4, 0},
        {"three", kThree, {-1, 1023}, 4, -1},
        {"three", kThree, {2942, 767}, 4, -1},
        {"three", kThree, {2943, 768}, 4, -1},
        // Touching diagonally: the step outward diagonally lies on a monitor.
        {"diagonal", kDiagonal, {1919, 1079}, 4, -1},
        {"diagonal", kDiagonal, {1920, 1080}, 1, -1},
        {"diagonal", kDiagonal, {0, 0}, 1, 0},
        {"diagonal", kDiagonal, {3199, 2103}, 4, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CornerMonitorAt(c.cursor, c.setting, c.monitors), c.monitor)
            << c.layout << " at " << Text(c.cursor) << ", setting " << c.setting;
    }
    // On one monitor every corner is a dead end, as it always was.
    const MonitorRects one = Layout({{0, 0, 1024, 768}});
    const POINT corners[] = {{0, 0}, {1023, 0}, {0, 767}, {1023, 767}};
    for (int setting = 1; setting <= 4; ++setting) {
        for (int i = 0; i < 4; ++i) EXPECT_EQ(CornerMonitorAt(corners[i], setting, one), i + 1 == setting ? 0 : -1);
    }
    EXPECT_EQ(CornerMonitorAt({0, 0}, 1, Layout({})), -1);
}

// A rectangle mostly on the monitors stays; one whose monitor is gone comes
// back inside the work area of the monitor nearest to it, as large as it was
// when that fits.
TEST(MonitorGeometryTest, StoredRectanglesComeBackOnAPresentMonitor) {
    // The primary has a task bar of 40 pixels at the bottom.
    const MonitorRects three = Layout({{0, 0, 1920, 1080}, {-1280, 0, 0, 1024}, {1920, 0, 2944, 768}},
                                      {{0, 0, 1920, 1040}, {-1280, 0, 0, 1024}, {1920, 0, 2944, 768}});
    struct Case {
        const char* name;
        RECT stored;
        RECT placed;
    } cases[] = {
        {"on the left monitor", {-1000, 100, -400, 500}, {-1000, 100, -400, 500}},
        {"across two monitors", {-300, 100, 300, 500}, {-300, 100, 300, 500}},
        {"half on a monitor", {2644, 100, 3244, 500}, {2644, 100, 3244, 500}},
        {"on the gap below the right one", {2000, 700, 2600, 1100}, {2000, 368, 2600, 768}},
        {"right of every monitor", {3500, 100, 4100, 500}, {2344, 100, 2944, 500}},
        {"below the primary", {100, 1500, 700, 1900}, {100, 640, 700, 1040}},
        {"above and left", {-3000, -2000, -2500, -1600}, {-1280, 0, -780, 400}},
        {"larger than its new monitor", {5000, 0, 7000, 1500}, {1920, 0, 2944, 768}},
    };
    for (const Case& c : cases) {
        RECT placed{};
        ASSERT_TRUE(PlaceStoredRect(c.stored, three, &placed)) << c.name;
        EXPECT_TRUE(EqualRect(&placed, &c.placed)) << c.name << ": " << placed.left << "," << placed.top << ","
                                                   << placed.right << "," << placed.bottom;
    }
    // A mirrored display: two monitors on the same pixels count once.
    const MonitorRects mirrored = Layout({{0, 0, 1024, 768}, {0, 0, 1024, 768}});
    RECT placed{};
    ASSERT_TRUE(PlaceStoredRect({824, 100, 1324, 500}, mirrored, &placed));  // 40 % on them
    const RECT inside{524, 100, 1024, 500};
    EXPECT_TRUE(EqualRect(&placed, &inside));
    EXPECT_FALSE(PlaceStoredRect({100, 100, 100, 300}, three, &placed)) << "empty";
    EXPECT_FALSE(PlaceStoredRect({100, 100, 400, 300}, Layout({}), &placed)) << "no monitor";
}

// Window placements are in workspace coordinates: screen coordinates less
// the offset of the work area of the rectangle's monitor (a task bar at the
// top or the left). Both ways, over one and two monitors.
TEST(MonitorGeometryTest, WorkspaceAndScreenCoordinates) {
    const MonitorRects bottomBar = Layout({{0, 0, 1024, 768}}, {{0, 0, 1024, 728}});
    const MonitorRects topBar = Layout({{0, 0, 1024, 768}}, {{0, 40, 1024, 768}});
    const MonitorRects leftBar = Layout({{0, 0, 1024, 768}}, {{60, 0, 1024, 768}});
    // The primary's bar on top, the secondary's (on the left of it) on its left.
    const MonitorRects two = Layout({{0, 0, 1920, 1080}, {-1280, 0, 0, 1024}}, {{0, 48, 1920, 1080}, {-1220, 0, 0, 1024}});
    const struct {
        const char* name;
        const MonitorRects* monitors;
        RECT screen;
        RECT workspace;
    } cases[] = {
        {"bar at the bottom: the same", &bottomBar, {100, 100, 500, 400}, {100, 100, 500, 400}},
        {"bar on top", &topBar, {100, 100, 500, 400}, {100, 60, 500, 360}},
        {"bar on top, window at the work area's top", &topBar, {0, 40, 400, 340}, {0, 0, 400, 300}},
        {"bar on the left", &leftBar, {100, 100, 500, 400}, {40, 100, 440, 400}},
        {"two monitors, on the primary", &two, {200, 300, 800, 700}, {200, 252, 800, 652}},
        {"two monitors, on the secondary", &two, {-1000, 100, -400, 500}, {-1060, 100, -460, 500}},
        {"no monitor: unchanged", nullptr, {100, 100, 500, 400}, {100, 100, 500, 400}},
    };
    const MonitorRects none = Layout({});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MonitorRects& m = c.monitors ? *c.monitors : none;
        const RECT workspace = ScreenToWorkspace(c.screen, m);
        const RECT screen = WorkspaceToScreen(c.workspace, m);
        EXPECT_TRUE(EqualRect(&workspace, &c.workspace));
        EXPECT_TRUE(EqualRect(&screen, &c.screen));
    }
    // A hand-edited rectangle at the edge of an int is not moved past it.
    const RECT edge{INT_MAX - 100, 0, INT_MAX, 300};
    const RECT back = WorkspaceToScreen(edge, leftBar);
    EXPECT_TRUE(EqualRect(&back, &edge));
}

TEST(MonitorGeometryTest, CoveringAMonitor) {
    const RECT monitor{-1280, 0, 0, 1024};
    EXPECT_TRUE(CoversMonitor(monitor, monitor));
    EXPECT_TRUE(CoversMonitor({-1290, -10, 10, 1034}, monitor));
    EXPECT_FALSE(CoversMonitor({-1280, 0, 0, 1023}, monitor));
    EXPECT_FALSE(CoversMonitor({-1279, 0, 0, 1024}, monitor));
}

}  // namespace
