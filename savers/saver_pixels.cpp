#include "saver_pixels.h"

namespace {

constexpr int kBackdropScale = 4;

}  // namespace

HBITMAP CreatePixelBitmap(int width, int height, BYTE** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    *bits = bitmap ? static_cast<BYTE*>(memory) : nullptr;
    return bitmap;
}

void Backdrop::Make(HDC dc, int width, int height) {
    width_ = width;
    height_ = height;
    int gridWidth = width / kBackdropScale + 1, gridHeight = height / kBackdropScale + 1;
    BYTE* bits = nullptr;
    GdiObject grid(CreatePixelBitmap(gridWidth, gridHeight, &bits));
    picture_.reset(CreateCompatibleBitmap(dc, width, height));
    if (!bits || !picture_) return;
    paint_(bits, gridWidth, gridHeight);
    MemoryDC from(dc, grid.get()), to(dc, picture_.get());
    SetStretchBltMode(to.get(), HALFTONE);
    SetBrushOrgEx(to.get(), 0, 0, nullptr);
    StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, gridWidth, gridHeight, SRCCOPY);
}

void Backdrop::Draw(HDC dc, int width, int height) {
    if (!picture_ || width != width_ || height != height_) Make(dc, width, height);
    if (!picture_) {
        PatBlt(dc, 0, 0, width, height, BLACKNESS);
        return;
    }
    MemoryDC from(dc, picture_.get());
    BitBlt(dc, 0, 0, width, height, from.get(), 0, 0, SRCCOPY);
}
