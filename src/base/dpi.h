// Sizes on screens of every DPI. Each pixel size of the program is given for
// 96 DPI (100 %) and scaled here for the DPI of the window that shows it; no
// window computes a scaled size of its own.
#pragma once
#include <windows.h>

constexpr int kBaseDpi = 96;

// The DPI of the monitor the window is on: GetDpiForWindow where Windows has
// it (10, 1607 and later), else the screen's LOGPIXELSY (the system DPI).
int WindowDpi(HWND window);
// The DPI the system was started with (its fonts and metrics are made for it).
int SystemDpi();
// A 96-DPI size at dpi, rounded to the nearest pixel.
int ScaleForDpi(int size96, int dpi);
// A size at one DPI at another (a column the user widened keeps its share).
int RescaleForDpi(int size, int fromDpi, int toDpi);
// Of the image sizes drawn (ascending, each a separate picture), the one
// nearest to size96 at dpi; a tie goes to the larger one.
int NearestImageSize(int size96, int dpi, const int* sizes, int count);
// A system metric at dpi: GetSystemMetricsForDpi where Windows has it, else
// the system DPI's metric scaled.
int SystemMetricForDpi(int index, int dpi);
// The icon resource id of instance drawn at the size of the system metric
// (SM_CXICON, SM_CXSMICON) at dpi, not another size scaled; the caller
// destroys it. Null when it cannot be loaded.
HICON LoadIconForDpi(HINSTANCE instance, int id, int metric, int dpi);
// The icon title font (the one list views use by default) at dpi; the caller
// deletes it. Null when the system cannot say.
HFONT CreateIconTitleFontForDpi(int dpi);
