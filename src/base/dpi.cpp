#include "base/dpi.h"

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

// The per-monitor functions are looked up in user32 (always loaded), so the
// program still starts on Windows versions without them.
template <typename F>
F User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!user32) return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

GetDpiForWindowFn DpiForWindowFunction() {
    static const GetDpiForWindowFn function = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    return function;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    if (!screen) return kBaseDpi;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

}  // namespace

int SystemDpi() {
    // Fixed for the life of the process.
    static const int dpi = ScreenDpi();
    return dpi;
}

int WindowDpi(HWND window) {
    if (GetDpiForWindowFn function = DpiForWindowFunction(); function && window) {
        const UINT dpi = function(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int ScaleForDpi(int size96, int dpi) {
    return MulDiv(size96, dpi, kBaseDpi);
}

int RescaleForDpi(int size, int fromDpi, int toDpi) {
    if (fromDpi <= 0) return size;
    return MulDiv(size, toDpi, fromDpi);
}

int NearestImageSize(int size96, int dpi, const int* sizes, int count) {
    const int wanted = ScaleForDpi(size96, dpi);
    int best = count > 0 ? sizes[0] : size96;
    for (int i = 1; i < count; ++i) {
        const int gap = sizes[i] > wanted ? sizes[i] - wanted : wanted - sizes[i];
        const int bestGap = best > wanted ? best - wanted : wanted - best;
        if (gap <= bestGap) best = sizes[i];
    }
    return best;
}

int SystemMetricForDpi(int index, int dpi) {
    static const auto function = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (function) return function(index, static_cast<UINT>(dpi));
    return RescaleForDpi(GetSystemMetrics(index), SystemDpi(), dpi);
}

HICON LoadIconForDpi(HINSTANCE instance, int id, int metric, int dpi) {
    const int size = SystemMetricForDpi(metric, dpi);
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

HFONT CreateIconTitleFontForDpi(int dpi) {
    // The system's font is given at the system DPI; at another DPI its
    // height is scaled (SystemParametersInfoForDpi would give the same, but
    // only on Windows 10 1607 and later). Wide, so that a face named in
    // Japanese keeps its name whatever the process's code page.
    LOGFONTW font{};
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0)) return nullptr;
    font.lfHeight = RescaleForDpi(font.lfHeight, SystemDpi(), dpi);
    return CreateFontIndirectW(&font);
}
