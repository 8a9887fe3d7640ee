// saver_host.exe: shows one of our savers for a screenshot.
//   saver_host full SAVER.scr      runs it with /s
//   saver_host preview SAVER.scr   runs it with /p in a 400x300 window of ours
//   saver_host config SAVER.scr    runs it with /c:<our window>
// Once the saver has drawn for a while it prints "ready LEFT TOP WIDTH HEIGHT"
// (the screen area worth capturing) and waits for a line on its input, then
// closes the saver (Cancel for the dialog) and exits 0, or 1 when the saver
// did not show what was asked.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "process_watch.h"

namespace {

constexpr char kSaverClass[] = "WindowsScreenSaverClass";
constexpr DWORD kShowTimeoutMs = 15000;
constexpr DWORD kSettleMs = 1500;

// A 400x300 client area holding one child window, the play area the saver
// draws in, as a program's play window has.
HWND MakeHostWindow(bool visible, HWND* area) {
    // A Unicode window: its title reads the same on any language setting.
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"SaverHostWindow";
    RegisterClassW(&wc);
    RECT r{0, 0, 400, 300};
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    AdjustWindowRect(&r, style, FALSE);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"\u30d7\u30ec\u30d3\u30e5\u30fc" /* プレビュー */, style, 60,
                                  60, r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
    if (!window) return nullptr;
    *area = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400, 300,
                            window, nullptr, wc.hInstance, nullptr);
    if (visible) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    return *area ? window : nullptr;
}

// The whole line, or end of input, lets the host go on.
DWORD WINAPI WaitForInputLine(void* done) {
    char c;
    DWORD got;
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    while (ReadFile(in, &c, 1, &got, nullptr) && got == 1 && c != '\n') {
    }
    SetEvent(static_cast<HANDLE>(done));
    return 0;
}

void ReportAndWait(HWND shown) {
    PumpFor(kSettleMs);
    RECT r;
    GetWindowRect(shown, &r);
    std::printf("ready %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    std::fflush(stdout);
    Handle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    Handle reader(CreateThread(nullptr, 0, WaitForInputLine, done.get(), 0, nullptr));
    HANDLE event = done.get();
    while (MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) PumpFor(0);
}

int Fail(const char* what) {
    std::fprintf(stderr, "saver_host: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return Fail("usage: saver_host full|preview|config SAVER.scr");
    std::string mode = argv[1], path = argv[2];
    bool preview = mode == "preview";
    HWND area = nullptr;
    HWND host = MakeHostWindow(preview, &area);
    if (!host) return Fail("no host window");
    std::string arguments = mode == "full"      ? "/s"
                            : preview           ? "/p " + std::to_string(reinterpret_cast<UINT_PTR>(area))
                            : mode == "config"  ? "/c:" + std::to_string(reinterpret_cast<UINT_PTR>(host))
                                                : "";
    if (arguments.empty()) return Fail("unknown mode");
    StartedProcess saver;
    if (!StartProcess(SaverCommandLine(path, arguments), saver)) return Fail("the saver did not start");
    HWND shown = WaitForWindow(
        [&]() -> HWND {
            if (preview) return FindChildWindow(area, saver.id, kSaverClass);
            return FindTopLevelWindow(saver.id, mode == "full" ? kSaverClass : "#32770");
        },
        kShowTimeoutMs);
    if (!shown) {
        CloseAndWait(nullptr, saver, 0);
        return Fail("the saver showed no window");
    }
    ReportAndWait(preview ? host : shown);
    if (mode == "config") {
        PostMessageA(shown, WM_COMMAND, IDCANCEL, 0);
        return CloseAndWait(nullptr, saver, 5000) ? 0 : Fail("the dialog did not close");
    }
    return CloseAndWait(shown, saver, 5000) ? 0 : Fail("the saver did not end");
}
