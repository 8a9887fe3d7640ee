#include "saver_window.h"

#include <cstdlib>

#include "base/handles.h"
#include "saver.h"
#include "saver_layout.h"
#include "saver_pixels.h"
#include "saver_resource.h"

namespace {

// Windows and the programs that run screen savers find our window by this.
constexpr wchar_t kSaverClass[] = L"WindowsScreenSaverClass";
constexpr UINT_PTR kFrameTimer = 1;
// Mouse jitter smaller than this does not end the full-screen run.
constexpr int kMouseSlack = 4;
// A stalled frame (a busy machine, a dragged window) does not make the
// picture jump.
constexpr double kLongestStep = 0.1;

// The one saver window of this process.
struct SaverWindowState {
    bool fullScreen = false;
    HWND parent = nullptr;  // preview only
    int setting = 0;
    POINT startCursor{};
    int width = 0, height = 0;  // the window's client area
    SaverLayout layout;         // the picture's size and its place on each monitor
    GdiObject backBuffer;       // a bitmap of the picture's size
    int bufferWidth = 0, bufferHeight = 0;
    LARGE_INTEGER frequency{}, lastFrame{};
    bool throughHost = false;  // preview drawn through the host's top-level window
};
SaverWindowState state;

struct MonitorList {
    RECT rects[kMaxSaverMonitors];
    int count = 0;
};

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM data) {
    auto* list = reinterpret_cast<MonitorList*>(data);
    if (list->count >= kMaxSaverMonitors) return FALSE;
    list->rects[list->count++] = *rect;
    return TRUE;
}

// Full screen, the picture is laid out on each monitor; a preview is one
// picture at the window's size. True when the picture's size changed.
bool LayOut(HWND window) {
    const SIZE before = state.layout.picture;
    const SIZE size{state.width, state.height};
    MonitorList monitors;
    POINT origin{0, 0};
    if (state.fullScreen) {
        EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
        ClientToScreen(window, &origin);
    }
    state.layout = LayOutSaver(monitors.rects, monitors.count, origin, size);
    return state.layout.picture.cx != before.cx || state.layout.picture.cy != before.cy;
}

void StartPicture() {
    ThisSaver.start(state.setting, state.layout.picture.cx, state.layout.picture.cy);
}

void OnCreate(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    state.width = r.right;
    state.height = r.bottom;
    LayOut(window);
    StartPicture();
    QueryPerformanceFrequency(&state.frequency);
    QueryPerformanceCounter(&state.lastFrame);
    if (state.fullScreen) GetCursorPos(&state.startCursor);
    SetTimer(window, kFrameTimer, ThisSaver.frameMs, nullptr);
}

void OnSize(HWND window, int width, int height) {
    if (width == state.width && height == state.height) return;
    state.width = width;
    state.height = height;
    if (LayOut(window)) StartPicture();
}

// Monitors added, removed or rearranged while the saver runs.
void OnDisplayChange(HWND window) {
    if (LayOut(window)) StartPicture();
    InvalidateRect(window, nullptr, FALSE);
}

// A preview follows its host window: it ends when the host has gone and
// takes the host's size when that changes.
bool FollowParent(HWND window) {
    if (!IsWindow(state.parent)) {
        DestroyWindow(window);
        return false;
    }
    RECT r;
    GetClientRect(state.parent, &r);
    if (r.right != state.width || r.bottom != state.height) MoveWindow(window, 0, 0, r.right, r.bottom, FALSE);
    return true;
}

void OnFrame(HWND window) {
    if (state.parent && !FollowParent(window)) return;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    double seconds = static_cast<double>(now.QuadPart - state.lastFrame.QuadPart) /
                     static_cast<double>(state.frequency.QuadPart);
    state.lastFrame = now;
    if (seconds < 0) seconds = 0;
    if (seconds > kLongestStep) seconds = kLongestStep;
    ThisSaver.step(seconds);
    InvalidateRect(window, nullptr, FALSE);
}

// Wine 8 gives a child window whose top-level window belongs to another
// process a DC that reaches no screen: a preview would stay blank. There the
// picture goes through a DC of that top-level window, clipped to our child.
bool ChildDrawingReachesNoScreen() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

void BlitThroughHost(HWND window, HDC picture) {
    HWND top = GetAncestor(window, GA_ROOT);
    POINT origin{0, 0};
    MapWindowPoints(window, top, &origin, 1);
    RECT parent;
    GetClientRect(state.parent, &parent);
    MapWindowPoints(state.parent, top, reinterpret_cast<POINT*>(&parent), 2);
    HDC dc = GetDCEx(top, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!dc) return;
    IntersectClipRect(dc, origin.x, origin.y, origin.x + state.width, origin.y + state.height);
    IntersectClipRect(dc, parent.left, parent.top, parent.right, parent.bottom);
    BitBlt(dc, origin.x, origin.y, state.width, state.height, picture, 0, 0, SRCCOPY);
    ReleaseDC(top, dc);
}

// The picture on each monitor: at its own size, or scaled down to fit a
// smaller monitor with black beside it.
void BlitToMonitors(HDC dc, HDC picture) {
    const SaverLayout& l = state.layout;
    for (int i = 0; i < l.count; ++i) {
        const RECT& p = l.place[i];
        const RECT& m = l.monitor[i];
        const int w = p.right - p.left, h = p.bottom - p.top;
        if (w == l.picture.cx && h == l.picture.cy) {
            BitBlt(dc, p.left, p.top, w, h, picture, 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(dc, HALFTONE);
            SetBrushOrgEx(dc, 0, 0, nullptr);
            StretchBlt(dc, p.left, p.top, w, h, picture, 0, 0, l.picture.cx, l.picture.cy, SRCCOPY);
        }
        const RECT bars[] = {{m.left, m.top, m.right, p.top},
                             {m.left, p.bottom, m.right, m.bottom},
                             {m.left, p.top, p.left, p.bottom},
                             {p.right, p.top, m.right, p.bottom}};
        for (const RECT& bar : bars)
            if (bar.right > bar.left && bar.bottom > bar.top)
                FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
}

// The picture is drawn whole into the back buffer and copied in one blit
// per monitor, so nothing half-drawn ever shows.
void OnPaint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    const int width = state.layout.picture.cx, height = state.layout.picture.cy;
    if (width > 0 && height > 0) {
        if (!state.backBuffer || state.bufferWidth != width || state.bufferHeight != height) {
            state.backBuffer.reset(CreateCompatibleBitmap(dc, width, height));
            state.bufferWidth = width;
            state.bufferHeight = height;
        }
        if (state.backBuffer) {
            MemoryDC memory(dc, state.backBuffer.get());
            ThisSaver.draw(memory.get(), width, height);
            if (state.throughHost) {
                BlitThroughHost(window, memory.get());
            } else {
                BlitToMonitors(dc, memory.get());
            }
        }
    }
    EndPaint(window, &ps);
}

void OnMouseMove(HWND window) {
    POINT p;
    GetCursorPos(&p);
    if (std::abs(p.x - state.startCursor.x) > kMouseSlack || std::abs(p.y - state.startCursor.y) > kMouseSlack) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
}

// Full screen, the user's return ends the run; a preview lives in another
// program's window and leaves input to it.
bool IsUserReturn(UINT message) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_SIZE:
        OnSize(window, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_DISPLAYCHANGE:
        if (state.fullScreen) OnDisplayChange(window);
        return 0;
    case WM_TIMER:
        if (wParam == kFrameTimer) OnFrame(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_SETCURSOR:
        if (!state.fullScreen) break;
        SetCursor(nullptr);
        return TRUE;
    case WM_MOUSEMOVE:
        if (state.fullScreen) OnMouseMove(window);
        return 0;
    case WM_SYSCOMMAND:
        // No second screen saver over this one.
        if (state.fullScreen && ((wParam & 0xFFF0) == SC_SCREENSAVE)) return 0;
        break;
    case WM_DESTROY:
        KillTimer(window, kFrameTimer);
        PostQuitMessage(0);
        return 0;
    default:
        if (state.fullScreen && IsUserReturn(message)) {
            PostMessageA(window, WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK SaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        DestroyWindow(window);
        return 0;
    }
}

bool RegisterSaverClass(HINSTANCE instance) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = SaverProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kSaverClass;
    return RegisterClassW(&wc) != 0;
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace

int RunFullScreen(HINSTANCE instance, int setting) {
    state.fullScreen = true;
    state.setting = setting;
    if (!RegisterSaverClass(instance)) return 1;
    wchar_t title[256];
    LoadText(IDS_DESCRIPTION, title, 256);
    // The whole virtual screen: every monitor is covered.
    HWND window = CreateWindowExW(WS_EX_TOPMOST, kSaverClass, title, WS_POPUP,
                                  GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                  GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                                  nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowCursor(FALSE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    UpdateWindow(window);
    return RunMessageLoop();
}

int RunPreview(HINSTANCE instance, HWND parent, int setting) {
    if (!IsWindow(parent)) return 1;
    state.parent = parent;
    state.setting = setting;
    state.throughHost = ChildDrawingReachesNoScreen();
    if (!RegisterSaverClass(instance)) return 1;
    wchar_t title[256];
    LoadText(IDS_DESCRIPTION, title, 256);
    RECT r;
    GetClientRect(parent, &r);
    HWND window = CreateWindowExW(0, kSaverClass, title, WS_CHILD | WS_VISIBLE, 0, 0, r.right, r.bottom, parent,
                                  nullptr, instance, nullptr);
    if (!window) return 1;
    return RunMessageLoop();
}
