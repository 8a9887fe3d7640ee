// Starfield.scr: flying through a field of stars; the setting is the speed.
#include <windows.h>

#include <cmath>
#include <cstdlib>

#include "base/handles.h"
#include "saver.h"
#include "saver_pixels.h"

namespace {

constexpr int kMaxStars = 600;
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
    // About one star per 1,500 pixels: a small preview is not crowded.
    int wanted = width * height / 1500;
    field.count = wanted < 80 ? 80 : wanted > kMaxStars ? kMaxStars : wanted;
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

// A few soft clouds of colour, barely brighter than black, far behind the stars.
void PaintSky(BYTE* bits, int width, int height) {
    struct Cloud {
        double x, y, size, blue, green, red;
    };
    const Cloud clouds[] = {{0.25, 0.30, 0.35, 38, 10, 30}, {0.75, 0.65, 0.40, 42, 22, 8}, {0.60, 0.20, 0.22, 30, 8, 28}};
    double unit = width > height ? width : height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double blue = 0, green = 0, red = 0;
            for (const Cloud& c : clouds) {
                double dx = (x - c.x * width) / unit, dy = (y - c.y * height) / unit;
                double f = std::exp(-(dx * dx + dy * dy) / (c.size * c.size));
                blue += c.blue * f;
                green += c.green * f;
                red += c.red * f;
            }
            BYTE* p = bits + (static_cast<std::size_t>(y) * width + x) * 4;
            p[0] = static_cast<BYTE>(blue);
            p[1] = static_cast<BYTE>(green);
            p[2] = static_cast<BYTE>(red);
            p[3] = 0;
        }
    }
}
Backdrop sky(PaintSky);

void Draw(HDC dc, int width, int height) {
    sky.Draw(dc, width, height);
    double cx = width / 2.0, cy = height / 2.0;
    double focal = height / 2.0;
    HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_PEN));
    for (int i = 0; i < field.count; ++i) {
        const Star& s = field.stars[i];
        double back = s.z + field.speed * kStreakSeconds;
        int x1 = static_cast<int>(cx + s.x / back * focal), y1 = static_cast<int>(cy + s.y / back * focal);
        int x2 = static_cast<int>(cx + s.x / s.z * focal), y2 = static_cast<int>(cy + s.y / s.z * focal);
        double brightness = std::pow(1.0 - s.z, 0.6) * 1.1;
        int level = static_cast<int>(brightness * kLevels);
        if (level <= 0) continue;
        if (level > kLevels) level = kLevels;
        // Near stars are larger; a preview keeps them small.
        int w = s.z < 0.12 ? 2 : s.z < 0.35 ? 1 : 0;
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
