// Pictures computed pixel by pixel: a top-down 32-bit DIB section whose
// bytes (blue, green, red, alpha per pixel, rows of width * 4) the caller
// fills. Null, with *bits null, when it cannot be made.
#pragma once
#include <windows.h>

HBITMAP CreatePixelBitmap(int width, int height, BYTE** bits);
