// Pictures computed pixel by pixel.
#pragma once
#include <windows.h>

#include "base/handles.h"

// A top-down 32-bit DIB section whose bytes (blue, green, red, alpha per
// pixel, rows of width * 4) the caller fills. Null, with *bits null, when it
// cannot be made.
HBITMAP CreatePixelBitmap(int width, int height, BYTE** bits);

// A memory DC with one bitmap selected for as long as it lives.
class MemoryDC {
public:
    MemoryDC(HDC like, HGDIOBJ bitmap) : dc_(CreateCompatibleDC(like)), old_(SelectObject(dc_, bitmap)) {}
    ~MemoryDC() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }
    void Select(HGDIOBJ bitmap) { SelectObject(dc_, bitmap); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A still picture behind the moving one. It is smooth, so it is computed on
// a grid a quarter of the size and stretched; it is made again only when the
// size changes, so a frame costs one blit.
class Backdrop {
public:
    // Fills width x height pixels as CreatePixelBitmap describes them.
    using Painter = void (*)(BYTE* pixels, int width, int height);
    explicit Backdrop(Painter paint) : paint_(paint) {}
    void Draw(HDC dc, int width, int height);

private:
    void Make(HDC dc, int width, int height);
    Painter paint_;
    GdiObject picture_;
    int width_ = 0, height_ = 0;
};
