// Rainbow.scr: slow waves of colour that keep flowing and changing hue (a
// plasma with a cycling palette); the setting is the speed.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "base/handles.h"
#include "saver.h"
#include "saver_pixels.h"

namespace {

constexpr double kSpeeds[] = {0.45, 1.0, 2.0};
// The waves are computed on a grid at most this wide and stretched smoothly
// to the window: the work per frame stays small on any screen.
constexpr int kMaxGridWidth = 512;
constexpr int kLutSize = 1024;

struct Plasma {
    double speed = 1.0;
    double time = 0;
    int width = 0, height = 0;  // the grid
    GdiObject grid;             // width x height pixels
    BYTE* pixels = nullptr;
    std::vector<float> across, down, diagonal;
    float sine[kLutSize];
    COLORREF palette[256];
};
Plasma plasma;

// Hues go round once over the palette; the light rises and falls four times,
// so the waves show as glowing bands with dark seams between them.
void MakePalette() {
    for (int i = 0; i < 256; ++i) {
        double t = i / 256.0;
        double light = 0.25 + 0.75 * std::pow(0.5 + 0.5 * std::cos(2 * kPi * t * 4), 0.7);
        auto channel = [&](double phase) {
            return static_cast<BYTE>(std::lround(255 * light * (0.55 + 0.45 * std::cos(2 * kPi * (t + phase)))));
        };
        // Stored in the DIB's byte order (blue, green, red), which RGB() writes backwards.
        plasma.palette[i] = RGB(channel(0.55), channel(0.3), channel(0.0));
    }
    for (int i = 0; i < kLutSize; ++i) plasma.sine[i] = static_cast<float>(std::sin(2 * kPi * i / kLutSize));
}

void Start(int setting, int width, int height) {
    plasma.speed = kSpeeds[setting];
    plasma.time = (GetTickCount() % 100000) / 1000.0;
    int scale = std::max(1, (width + kMaxGridWidth - 1) / kMaxGridWidth);
    scale = std::max(scale, 2);
    plasma.width = std::max(1, width / scale);
    plasma.height = std::max(1, height / scale);
    plasma.grid.reset(CreatePixelBitmap(plasma.width, plasma.height, &plasma.pixels));
    plasma.across.assign(plasma.width, 0);
    plasma.down.assign(plasma.height, 0);
    plasma.diagonal.assign(plasma.width + plasma.height, 0);
    MakePalette();
}

void Step(double seconds) { plasma.time += seconds * plasma.speed; }

float Sine(double turns) {
    double f = turns - std::floor(turns);
    return plasma.sine[static_cast<int>(f * kLutSize) & (kLutSize - 1)];
}

// Four waves: across, down, diagonal and rings around a wandering centre;
// their sum picks a palette entry that itself moves on with time.
void Compute() {
    int w = plasma.width, h = plasma.height;
    double t = plasma.time, unit = std::max(w, h);
    for (int x = 0; x < w; ++x) plasma.across[x] = Sine(x / unit * 2.3 + t * 0.09);
    for (int y = 0; y < h; ++y) plasma.down[y] = Sine(y / unit * 2.7 - t * 0.07);
    for (int d = 0; d < w + h; ++d) plasma.diagonal[d] = Sine(d / unit * 1.6 + t * 0.05);
    double cx = w * (0.5 + 0.35 * std::sin(t * 0.21)), cy = h * (0.5 + 0.35 * std::cos(t * 0.17));
    double shift = t * 24;
    for (int y = 0; y < h; ++y) {
        DWORD* row = reinterpret_cast<DWORD*>(plasma.pixels) + static_cast<std::size_t>(y) * w;
        double ry = (y - cy) * (y - cy);
        for (int x = 0; x < w; ++x) {
            double r = std::sqrt((x - cx) * (x - cx) + ry) / unit;
            double v = plasma.across[x] + plasma.down[y] + plasma.diagonal[x + y] + Sine(r * 3.6 - t * 0.12);
            int index = static_cast<int>(v * 40 + shift) & 255;
            row[x] = plasma.palette[index];
        }
    }
}

void Draw(HDC dc, int width, int height) {
    if (!plasma.pixels) return;
    GdiFlush();
    Compute();
    MemoryDC source(dc, plasma.grid.get());
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, width, height, source.get(), 0, 0, plasma.width, plasma.height, SRCCOPY);
}

}  // namespace

const SaverDefinition ThisSaver{
    "Rainbow", 40, {"Speed", 3, 1}, Start, Step, Draw,
};
