// Starfield.scr: a small screen saver for the demo list and the tests.
//   /s          full screen until the mouse moves or a key is pressed
//   /p HWND     inside the given window until it goes away
//   /c or none  a settings message (there is nothing to set)
// When ZELVISTA_SAVER_LOG names a file, each start appends its command line
// there, so tests can see how it was started.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kStars = 160;
constexpr UINT_PTR kTimer = 1;

struct Star {
    float x, y, z;
};
Star stars[kStars];
bool fullScreen;
POINT startCursor;
bool cursorKnown;

float Random01() {
    return static_cast<float>(std::rand()) / static_cast<float>(RAND_MAX);
}

void ResetStar(Star& s) {
    s.x = Random01() * 2 - 1;
    s.y = Random01() * 2 - 1;
    s.z = 0.1f + Random01();
}

void Paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, r.right, r.bottom);
    HGDIOBJ old = SelectObject(mem, bmp);
    FillRect(mem, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    int cx = r.right / 2, cy = r.bottom / 2;
    for (Star& s : stars) {
        int x = cx + static_cast<int>(s.x / s.z * cx);
        int y = cy + static_cast<int>(s.y / s.z * cy);
        int size = s.z < 0.3f ? 2 : 1;
        BYTE level = static_cast<BYTE>(255 * (1.1f - s.z) > 255 ? 255 : 255 * (1.1f - s.z));
        RECT dot{x, y, x + size, y + size};
        HBRUSH b = CreateSolidBrush(RGB(level, level, 255));
        FillRect(mem, &dot, b);
        DeleteObject(b);
    }
    BitBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    EndPaint(window, &ps);
}

void Step(HWND window) {
    for (Star& s : stars) {
        s.z -= 0.01f;
        if (s.z <= 0.05f) ResetStar(s);
    }
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK SaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        SetTimer(window, kTimer, 30, nullptr);
        return 0;
    case WM_TIMER:
        Step(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_MOUSEMOVE:
        if (fullScreen) {
            POINT p;
            GetCursorPos(&p);
            if (!cursorKnown) {
                startCursor = p;
                cursorKnown = true;
            } else if (std::abs(p.x - startCursor.x) > 4 || std::abs(p.y - startCursor.y) > 4) {
                PostMessageA(window, WM_CLOSE, 0, 0);
            }
        }
        return 0;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (fullScreen) PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_DESTROY:
        KillTimer(window, kTimer);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void LogStart(const char* commandLine) {
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("ZELVISTA_SAVER_LOG", path, sizeof path);
    if (n == 0 || n >= sizeof path) return;
    HANDLE f = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD wrote;
    WriteFile(f, commandLine, static_cast<DWORD>(std::strlen(commandLine)), &wrote, nullptr);
    WriteFile(f, "\r\n", 2, &wrote, nullptr);
    CloseHandle(f);
}

// The switch after the program name: its letter and what follows it.
char ParseSwitch(const char* args, const char** rest) {
    const char* p = args;
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == '/' || *p == '-') ++p;
    char c = static_cast<char>(*p ? (*p | 0x20) : 0);
    if (*p) ++p;
    while (*p == ' ' || *p == ':' || *p == '\t') ++p;
    *rest = p;
    return c;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) {
    LogStart(GetCommandLineA());
    const char* rest = nullptr;
    char mode = ParseSwitch(args, &rest);
    if (mode != 's' && mode != 'p') {
        MessageBoxA(nullptr, "このスクリーンセーバーには設定項目がありません。", "Starfield", MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    std::srand(GetTickCount());
    for (Star& s : stars) ResetStar(s);

    WNDCLASSA wc{};
    wc.lpfnWndProc = SaverProc;
    wc.hInstance = instance;
    wc.hCursor = nullptr;
    wc.lpszClassName = "StarfieldSaver";
    RegisterClassA(&wc);

    HWND window;
    if (mode == 'p') {
        HWND parent = reinterpret_cast<HWND>(static_cast<INT_PTR>(_strtoi64(rest, nullptr, 10)));
        if (!IsWindow(parent)) return 1;
        RECT r;
        GetClientRect(parent, &r);
        window = CreateWindowExA(0, wc.lpszClassName, "Starfield", WS_CHILD | WS_VISIBLE, 0, 0, r.right, r.bottom,
                                 parent, nullptr, instance, nullptr);
    } else {
        fullScreen = true;
        window = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Starfield", WS_POPUP | WS_VISIBLE, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                 instance, nullptr);
        ShowCursor(FALSE);
    }
    if (!window) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
