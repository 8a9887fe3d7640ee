// The floor for a saver's start: a program that only makes a window like a
// full-screen saver's (topmost, covering the virtual screen), shows it and
// waits for WM_CLOSE.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "BenchBareWindow";
    if (!RegisterClassA(&wc)) return 1;
    HWND window = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP, GetSystemMetrics(SM_XVIRTUALSCREEN),
                                  GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                  GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOW);
    MSG msg;
    while (IsWindow(window) && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
