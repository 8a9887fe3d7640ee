// Our savers full screen over several monitors: one picture, shown whole on
// every monitor, scaled down to fit a smaller one and centred.
#include <gtest/gtest.h>
#include <windows.h>

#include "saver_layout.h"

namespace {

TEST(SaverLayoutTest, ThePictureFitsEachMonitor) {
    struct Case {
        const char* name;
        SIZE picture;
        RECT monitor;
        RECT place;
    } cases[] = {
        {"as large", {1920, 1080}, {0, 0, 1920, 1080}, {0, 0, 1920, 1080}},
        {"narrower and taller", {1920, 1080}, {-1280, 0, 0, 1024}, {-1280, 152, 0, 872}},
        {"smaller, same shape", {1920, 1080}, {1920, 0, 2944, 768}, {1920, 96, 2944, 672}},
        {"wider but lower", {1920, 1080}, {0, -600, 2560, 0}, {747, -600, 1813, 0}},
        {"larger: not scaled up", {1280, 1024}, {0, 0, 1920, 1080}, {320, 28, 1600, 1052}},
    };
    for (const Case& c : cases) {
        const RECT p = FitPicture(c.picture, c.monitor);
        EXPECT_TRUE(EqualRect(&p, &c.place)) << c.name << ": " << p.left << "," << p.top << "," << p.right << ","
                                             << p.bottom;
    }
}

TEST(SaverLayoutTest, ThreeMonitorsGetThePictureOfTheLargest) {
    const RECT monitors[] = {{0, 0, 1920, 1080}, {-1280, 0, 0, 1024}, {1920, 0, 2944, 768}};
    const SaverLayout l = LayOutSaver(monitors, 3, POINT{-1280, 0}, SIZE{4224, 1080});
    ASSERT_EQ(l.count, 3);
    EXPECT_EQ(l.picture.cx, 1920);
    EXPECT_EQ(l.picture.cy, 1080);
    const RECT places[] = {{1280, 0, 3200, 1080}, {0, 152, 1280, 872}, {3200, 96, 4224, 672}};
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(EqualRect(&l.place[i], &places[i])) << i;
    // No monitor reported: the window is the one picture.
    const SaverLayout none = LayOutSaver(nullptr, 0, POINT{0, 0}, SIZE{400, 300});
    ASSERT_EQ(none.count, 1);
    const RECT whole{0, 0, 400, 300};
    EXPECT_TRUE(EqualRect(&none.place[0], &whole));
    EXPECT_EQ(none.picture.cx, 400);
}

}  // namespace
