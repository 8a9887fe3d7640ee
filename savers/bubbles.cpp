// Bubbles.scr: soap-like bubbles drifting up through deep water; the setting
// is how many.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/handles.h"
#include "saver.h"
#include "saver_pixels.h"

namespace {

constexpr int kMaxBubbles = 64;
constexpr int kCounts[] = {12, 24, 48};  // at 1024x768; scaled by the area
// One bubble picture per size, so a small bubble is not a shrunken big one.
constexpr int kSpriteSizes[] = {24, 64, 160};
constexpr int kSprites = 3;

struct Bubble {
    double x, y, radius, rise, sway, swayPhase, swaySpeed;
};

struct Water {
    Bubble bubbles[kMaxBubbles];
    int count = 0;
    int width = 0, height = 0;
    GdiObject sprites[kSprites];  // 32-bit premultiplied alpha pictures
};
Water water;

// A bubble: a thin bright rim with a faint play of colour, an almost clear
// body and a window-shaped highlight at the upper left.
void PaintSprite(BYTE* pixels, int size) {
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double dx = (x + 0.5) / size * 2 - 1, dy = (y + 0.5) / size * 2 - 1;
            double r = std::sqrt(dx * dx + dy * dy);
            BYTE* p = pixels + (static_cast<std::size_t>(y) * size + x) * 4;
            if (r >= 1) {
                p[0] = p[1] = p[2] = p[3] = 0;
                continue;
            }
            double edge = std::min(1.0, (1 - r) * size / 2);
            double body = 0.05 + 0.6 * std::pow(r, 10);
            double hue = 0.5 + 0.5 * std::sin(std::atan2(dy, dx) * 2 + r * 3);
            double red = 150 + 90 * hue, green = 215 - 20 * hue, blue = 255;
            double hx = dx + 0.38, hy = dy + 0.42;
            double spot = std::max(0.0, 1 - std::sqrt(hx * hx * 1.6 + hy * hy) / 0.24);
            spot = std::pow(spot, 1.4) * 0.95;
            double lx = dx - 0.42, ly = dy - 0.40;
            double glint = std::max(0.0, 1 - std::sqrt(lx * lx + ly * ly) / 0.12) * 0.35;
            double light = std::min(1.0, spot + glint);
            double alpha = (light + body * (1 - light)) * edge;
            auto channel = [&](double c) {
                return static_cast<BYTE>(std::lround(std::min(255.0, (255 * light + c * body * (1 - light)) * edge)));
            };
            p[0] = channel(blue);
            p[1] = channel(green);
            p[2] = channel(red);
            p[3] = static_cast<BYTE>(std::lround(255 * alpha));
        }
    }
}

void MakeSprites() {
    for (int i = 0; i < kSprites; ++i) {
        int size = kSpriteSizes[i];
        BYTE* bits = nullptr;
        water.sprites[i].reset(CreatePixelBitmap(size, size, &bits));
        if (bits) PaintSprite(bits, size);
    }
}

void NewBubble(Bubble& b, bool anywhere) {
    double base = std::min(water.width, water.height);
    double u = Random01();
    b.radius = base * (0.012 + 0.075 * u * u);
    b.rise = base * (0.05 + 1.4 * b.radius / base) * (0.8 + 0.4 * Random01());
    b.sway = b.radius * 0.4 + base * 0.01;
    b.swayPhase = Random01() * 2 * kPi;
    b.swaySpeed = (0.5 + Random01() * 0.8) * 2 * kPi / 4;
    b.x = Random01() * water.width;
    b.y = anywhere ? Random01() * (water.height + 2 * b.radius) : water.height + b.radius + Random01() * base * 0.2;
}

void Start(int setting, int width, int height) {
    std::srand(GetTickCount());
    water.width = width;
    water.height = height;
    double scale = static_cast<double>(width) * height / (1024.0 * 768.0);
    int count = static_cast<int>(kCounts[setting] * std::sqrt(scale) + 0.5);
    water.count = std::clamp(count, 6, kMaxBubbles);
    for (int i = 0; i < water.count; ++i) NewBubble(water.bubbles[i], true);
    // Small ones first: the larger, nearer bubbles are drawn over them.
    std::sort(water.bubbles, water.bubbles + water.count,
              [](const Bubble& a, const Bubble& b) { return a.radius < b.radius; });
    if (!water.sprites[0]) MakeSprites();
}

void Step(double seconds) {
    for (int i = 0; i < water.count; ++i) {
        Bubble& b = water.bubbles[i];
        b.y -= b.rise * seconds;
        b.swayPhase += b.swaySpeed * seconds;
        if (b.y < -b.radius * 2) NewBubble(b, false);
    }
}

// Deep water, lighter near the surface, with soft shafts of light slanting
// down from it.
void PaintBackground(BYTE* pixels, int width, int height) {
    for (int y = 0; y < height; ++y) {
        double depth = static_cast<double>(y) / height;
        double fade = (1 - depth) * (1 - depth);
        for (int x = 0; x < width; ++x) {
            double across = (x + y * 0.35) / width;
            double shafts = std::pow(0.5 + 0.5 * std::sin(across * 17.0), 6) * 0.6 +
                            std::pow(0.5 + 0.5 * std::sin(across * 7.3 + 1.7), 8) * 0.4;
            double light = shafts * fade * 0.22;
            BYTE* p = pixels + (static_cast<std::size_t>(y) * width + x) * 4;
            auto mix = [&](double top, double bottom) {
                double c = top + (bottom - top) * depth;
                return static_cast<BYTE>(std::lround(std::min(255.0, c + (255 - c) * light)));
            };
            p[0] = mix(0x88, 0x26);
            p[1] = mix(0x56, 0x0C);
            p[2] = mix(0x14, 0x01);
            p[3] = 0;
        }
    }
}

Backdrop background(PaintBackground);

void Draw(HDC dc, int width, int height) {
    background.Draw(dc, width, height);
    MemoryDC source(dc, water.sprites[0].get());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    for (int i = 0; i < water.count; ++i) {
        const Bubble& b = water.bubbles[i];
        int size = static_cast<int>(b.radius * 2);
        if (size < 2) continue;
        int sprite = 0;
        while (sprite < kSprites - 1 && kSpriteSizes[sprite] < size) ++sprite;
        source.Select(water.sprites[sprite].get());
        int x = static_cast<int>(b.x + b.sway * std::sin(b.swayPhase) - b.radius);
        int y = static_cast<int>(b.y - b.radius);
        AlphaBlend(dc, x, y, size, size, source.get(), 0, 0, kSpriteSizes[sprite], kSpriteSizes[sprite], blend);
    }
}

}  // namespace

const SaverDefinition ThisSaver{
    "Bubbles", 33, {"Count", 3, 1}, Start, Step, Draw,
};
