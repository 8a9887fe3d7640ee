// A stand-in for a full-screen program: a popup window at the rectangle given
// on the command line (left top right bottom), brought to the foreground; with
// a fifth word "caption", a window with a caption and a frame of that size
// instead. It ends on WM_CLOSE, or by itself after a minute so that no test
// leaves it.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr UINT_PTR kLifeTimer = 1;
constexpr UINT kLifeMs = 60000;

LRESULT CALLBACK CoverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int main(int argc, char** argv) {
    long l = 0, t = 0, r = 0, b = 0;
    if (argc < 5 || argc > 6 || std::sscanf(argv[1], "%ld", &l) != 1 || std::sscanf(argv[2], "%ld", &t) != 1 ||
        std::sscanf(argv[3], "%ld", &r) != 1 || std::sscanf(argv[4], "%ld", &b) != 1)
        return 2;
    WNDCLASSA wc{};
    wc.lpfnWndProc = CoverProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "ZelvistaTestCover";
    if (!RegisterClassA(&wc)) return 1;
    const DWORD style = argc == 6 && std::strcmp(argv[5], "caption") == 0 ? WS_OVERLAPPEDWINDOW : WS_POPUP;
    HWND window = CreateWindowExA(0, wc.lpszClassName, "cover", style | WS_VISIBLE, l, t, r - l, b - t, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    if (!window) return 1;
    SetForegroundWindow(window);
    SetTimer(window, kLifeTimer, kLifeMs, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
