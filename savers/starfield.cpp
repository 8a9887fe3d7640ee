// Starfield.scr: flying through a field of stars; the setting is the speed.
#include <windows.h>

#include <cmath>
#include <cstdlib>

#include "app/handles.h"
#include "saver.h"

namespace {

constexpr int kMaxStars = 420;
constexpr double kSpeeds[] = {0.18, 0.35, 0.7};  // depth per second
constexpr double kNearest = 0.03;
// A streak shows where the star was this long ago.
constexpr double kStreakSeconds = 0.05;
constexpr int kWidths = 3, kTints = 3, kLevels = 16;

struct Star {
    double x, y, z;  // x, y in [-1, 1] scaled by the aspect ratio; z in (0, 1]
    int tint;
};

struct Starfield {
    Star stars[kMaxStars];
    int count = 0;
    double speed = kSpeeds[1];
    double aspect = 1;
    // Round-capped pens by width, tint and brightness, made once per start.
    GdiObject pens[kWidths][kTints][kLevels];
};
Starfield field;

double Random01() { return static_cast<double>(std::rand()) / RAND_MAX; }

void ResetStar(Star& s, double z) {
    s.x = (Random01() * 2 - 1) * field.aspect;
    s.y = Random01() * 2 - 1;
    s.z = z;
    int r = std::rand() % 10;
    s.tint = r < 2 ? 0 : r < 8 ? 1 : 2;  // mostly white, some blue, some warm
}

COLORREF TintColor(int tint, double brightness) {
    static const double tints[kTints][3] = {{0.70, 0.82, 1.0}, {1.0, 1.0, 1.0}, {1.0, 0.88, 0.70}};
    auto level = [&](double c) { return static_cast<BYTE>(std::lround(255 * c * brightness)); };
    return RGB(level(tints[tint][0]), level(tints[tint][1]), level(tints[tint][2]));
}

void MakePens() {
    for (int w = 0; w < kWidths; ++w)
        for (int t = 0; t < kTints; ++t)
            for (int l = 0; l < kLevels; ++l)
                field.pens[w][t][l].reset(CreatePen(PS_SOLID, w + 1, TintColor(t, (l + 1.0) / kLevels)));
}

void Start(int setting, int width, int height) {
    std::srand(GetTickCount());
    field.speed = kSpeeds[setting];
    field.aspect = height > 0 ? static_cast<double>(width) / height : 1;
    // About one star per 2,000 pixels: a small preview is not crowded.
    int wanted = width * height / 2000;
    field.count = wanted < 60 ? 60 : wanted > kMaxStars ? kMaxStars : wanted;
    for (int i = 0; i < field.count; ++i) ResetStar(field.stars[i], kNearest + Random01() * (1 - kNearest));
    if (!field.pens[0][0][0]) MakePens();
}

void Step(double seconds) {
    for (int i = 0; i < field.count; ++i) {
        Star& s = field.stars[i];
        s.z -= field.speed * seconds;
        if (s.z <= kNearest || std::fabs(s.x / s.z) > 1.5 * field.aspect || std::fabs(s.y / s.z) > 1.5) {
            ResetStar(s, 1.0);
        }
    }
}

void Draw(HDC dc, int width, int height) {
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    double cx = width / 2.0, cy = height / 2.0;
    double focal = height / 2.0;
    HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_PEN));
    for (int i = 0; i < field.count; ++i) {
        const Star& s = field.stars[i];
        double back = s.z + field.speed * kStreakSeconds;
        int x1 = static_cast<int>(cx + s.x / back * focal), y1 = static_cast<int>(cy + s.y / back * focal);
        int x2 = static_cast<int>(cx + s.x / s.z * focal), y2 = static_cast<int>(cy + s.y / s.z * focal);
        double brightness = (1.0 - s.z) * 1.15;
        int level = static_cast<int>(brightness * kLevels);
        if (level <= 0) continue;
        if (level > kLevels) level = kLevels;
        // Near stars are larger; a preview keeps them small.
        int w = s.z < 0.15 ? 2 : s.z < 0.4 ? 1 : 0;
        if (height < 400 && w > 0) --w;
        SelectObject(dc, field.pens[w][s.tint][level - 1].get());
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
        if (x1 == x2 && y1 == y2) SetPixel(dc, x2, y2, TintColor(s.tint, level / double(kLevels)));
    }
    SelectObject(dc, old);
}

}  // namespace

const SaverDefinition ThisSaver{
    "Starfield", 33, {"Speed", 3, 1}, Start, Step, Draw,
};
