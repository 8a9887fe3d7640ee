#include "app/startup.h"

#include <commctrl.h>

#include <string>

#include "app/commands.h"
#include "app/first_start.h"
#include "app/main_window.h"
#include "base/dpi.h"
#include "base/handles.h"
#include "base/text.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "system/screen_saver.h"

HFONT LinkFont;
HCURSOR LinkCursor;
HACCEL Accelerators;

namespace {
constexpr char kInstanceMutex[] = "ZelvistaV0200";

// A second start only brings the running program forward, out of the tray
// too: a user who starts it again wants to see its window.
bool BringRunningInstanceForward() {
    HWND running = FindWindowA(kMainWindowClass, nullptr);
    if (!running) return false;
    // The running program may take the foreground when it shows itself.
    DWORD runningProcess = 0;
    GetWindowThreadProcessId(running, &runningProcess);
    AllowSetForegroundWindow(runningProcess);
    if (!IsWindowVisible(running)) PostMessageA(running, WM_COMMAND, kCmdLeaveTray, 0);
    else if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    return true;
}
}  // namespace

void InitProgramControls() {
    // The common controls the program uses: list view, toolbar, status bar
    // and tooltips, tab control and up-down control.
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
}

void LoadProgramAccelerators() {
    Accelerators = LoadAcceleratorsA(AppInstance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
}

void ProcessMessage(MSG& msg) {
    if (Accelerators && TranslateAcceleratorW(MainWindow, Accelerators, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void MakeLinkCursor() {
    wchar_t windows[MAX_PATH];
    const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    LinkCursor = nullptr;
    if (n > 0 && n < MAX_PATH) {
        const std::wstring helpProgram = std::wstring(windows, n) + L"\\winhlp32.exe";
        ModuleHandle help(LoadLibraryExW(helpProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        if (help) {
            HCURSOR cursor = LoadCursorA(help.get(), MAKEINTRESOURCEA(106));
            if (cursor) LinkCursor = CopyCursor(cursor);
        }
    }
    if (!LinkCursor) LinkCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
}

void MakeLinkFont() {
    LOGFONTA font{};
    // 17 pixels at 96 DPI; the About box opens at the system DPI.
    font.lfHeight = ScaleForDpi(17, SystemDpi());
    font.lfWeight = FW_BOLD;
    font.lfUnderline = TRUE;
    font.lfCharSet = DEFAULT_CHARSET;
    CopyText(font.lfFaceName, sizeof font.lfFaceName, "Times New Roman");
    LinkFont = CreateFontIndirectA(&font);
}

int RunZelvista(HINSTANCE instance, int showCommand) {
    Handle mutex(CreateMutexA(nullptr, FALSE, kInstanceMutex));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        mutex.reset();
        BringRunningInstanceForward();
        return 0;
    }
    AppInstance = instance;
    MakeLinkCursor();
    MakeLinkFont();

    InitProgramControls();
    // Creating the window loads the settings.
    if (!RegisterMainWindowClass() || !CreateMainWindow()) return 0;

    StartupScreenSaverState = IsScreenSaverActive();
    ScreenSaverActive = StartupScreenSaverState;
    if (AppSettings.TskTray == 1) {
        SendMessageA(MainWindow, WM_COMMAND, kCmdEnterTray, 0);
    } else {
        ShowWindow(MainWindow, showCommand);
        UpdateWindow(MainWindow);
    }
    LoadProgramAccelerators();
    // Asked once the window shows, so the user sees what the list is for.
    OfferFirstList();

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) ProcessMessage(msg);
    if (LinkFont) DeleteObject(LinkFont);
    LinkFont = nullptr;
    // The mutex was created, never owned: its handle is closed on return,
    // which is all there is to give back.
    return static_cast<int>(msg.wParam);
}
