#include "play/play_window.h"

#include "base/dpi.h"
#include "base/handles.h"
#include "base/long_operation.h"
#include "base/wide.h"
#include "play/list_playback.h"
#include "play/play_connections.h"
#include "play/play_window_ids.h"
#include "play/playback_state.h"
#include "res/resource.h"

namespace {

// The row of buttons above the play area and where the text goes in the
// play area, in pixels at 96 DPI.
constexpr int kButtonRowHeight = 28;
constexpr int kTextLeft = 10;
constexpr int kTextTop = 15;
constexpr COLORREF kTextColour = RGB(255, 255, 0);
constexpr COLORREF kTextBackground = RGB(0, 0, 0);

WNDPROC playAreaProc;
// The key last pressed while the window had no focus; only its release ends
// a screen saver, never the release of the key that opened the window.
WPARAM keyPressedHere;

void DrawPlayAreaText(HWND area) {
    RECT client{};
    GetClientRect(area, &client);
    HDC dc = GetDC(area);
    if (!dc) return;
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_MENUTEXT + 1));
    SetTextColor(dc, kTextColour);
    SetBkColor(dc, kTextBackground);
    // The system font, as the device context has it, but asking for the
    // Japanese character set: on a Japanese system that is the same font,
    // elsewhere the system font has no Japanese letters.
    static GdiObject font;
    if (!font) {
        LOGFONTW system{};
        if (GetObjectW(GetStockObject(SYSTEM_FONT), sizeof system, &system)) {
            system.lfCharSet = SHIFTJIS_CHARSET;
            font.reset(CreateFontIndirectW(&system));
        }
    }
    const HGDIOBJ oldFont = font ? SelectObject(dc, font.get()) : nullptr;
    const int dpi = WindowDpi(area);
    // Drawn in UTF-16: GDI's byte-string calls read the system's code page,
    // not the program's.
    const Wide text(Playback.playAreaText);
    TextOutW(dc, ScaleForDpi(kTextLeft, dpi), ScaleForDpi(kTextTop, dpi), text, static_cast<int>(text.size()));
    if (oldFont) SelectObject(dc, oldFont);
    ReleaseDC(area, dc);
}

// The play area paints itself black; its text is drawn again on top, so it
// stays after the window was covered or resized.
LRESULT CALLBACK PlayAreaProc(HWND area, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallWindowProcW(playAreaProc, area, message, wParam, lParam);
    if (message == WM_PAINT && !Playback.playAreaText.empty() && !GetWindow(area, GW_CHILD))
        DrawPlayAreaText(area);
    return result;
}

void Enable(int control, bool on) {
    EnableWindow(GetDlgItem(Playback.playWindow, control), on ? TRUE : FALSE);
}

void StartWindowPlayback(HWND dialog) {
    if (IsListPlaying()) return;
    {
        // Claimed only while the list plays: the open, idle window leaves the
        // changer and the defragmenter free.
        LongOperationScope operation(LongOperation::Playback, RequestPlaybackStop);
        if (!operation.claimed()) {
            MessageBeep(MB_ICONWARNING);
            return;
        }
        Playback.inWindow = 1;
        PlayList();
    }
    if (Playback.stopRequested) EndDialog(dialog, 1);
}

void OnSize(HWND dialog) {
    RECT client{};
    GetClientRect(dialog, &client);
    const int row = ScaleForDpi(kButtonRowHeight, WindowDpi(dialog));
    const int height = client.bottom > row ? client.bottom - row : 0;
    MoveWindow(Playback.playArea, 0, row, client.right, height, TRUE);
    // The screen saver inside follows; asynchronously, so a hung one cannot hold the window.
    if (HWND saver = GetWindow(Playback.playArea, GW_CHILD))
        SetWindowPos(saver, nullptr, 0, 0, client.right, height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

INT_PTR OnInitDialog(HWND dialog) {
    Playback.playWindow = dialog;
    Playback.playArea = GetDlgItem(dialog, IDC_PLAY_AREA);
    Playback.playAreaText.clear();
    Playback.playStarted = 0;
    keyPressedHere = 0;
    playAreaProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Playback.playArea, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PlayAreaProc)));
    // The play area starts where every later size puts it.
    OnSize(dialog);
    if (Play.restorePlayWindowRect) Play.restorePlayWindowRect(dialog);
    const int zOrder = Play.playbackOptions ? Play.playbackOptions().ZOrder : 0;
    SetWindowPos(dialog, zOrder != 0 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    return FALSE;
}

void OnPaint(HWND dialog) {
    PAINTSTRUCT ps;
    BeginPaint(dialog, &ps);
    EndPaint(dialog, &ps);
    if (Playback.playStarted) return;
    Playback.playStarted = 1;
    StartWindowPlayback(dialog);
}

INT_PTR OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_PLAY_CLOSE:
        // Disabled while the list plays; the Enter key must not close it then either.
        if (!IsListPlaying()) EndDialog(dialog, 1);
        return TRUE;
    case IDC_PLAY_START:
        StartWindowPlayback(dialog);
        return TRUE;
    case IDC_PLAY_STOP:
        StopPlayingSaver();
        Playback.abort = 1;
        return TRUE;
    case IDCANCEL:
        // Esc, as the key itself does while the list plays.
        if (IsListPlaying()) Playback.abort = 1;
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK PlayWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    try {
        switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(dialog);
        case WM_PAINT:
            OnPaint(dialog);
            return TRUE;
        case WM_SIZE:
            OnSize(dialog);
            return TRUE;
        case WM_COMMAND:
            return OnCommand(dialog, LOWORD(wParam));
        case WM_SYSKEYDOWN:
            keyPressedHere = wParam;
            return FALSE;
        case WM_SYSKEYUP:
            // A key pressed and released with no focus (the buttons are
            // disabled while the list plays): the current screen saver ends,
            // the next one plays.
            if (wParam == keyPressedHere) StopPlayingSaver();
            keyPressedHere = 0;
            return TRUE;
        case WM_DESTROY:
            // Cleared first: the window is gone for the program whatever storing its place does.
            Playback.playWindow = nullptr;
            Playback.playArea = nullptr;
            if (Play.storePlayWindowRect) Play.storePlayWindowRect(dialog);
            return FALSE;
        default:
            return FALSE;
        }
    } catch (...) {
        // Nothing may unwind into the dialog manager.
        Playback.abort = 1;
        return TRUE;
    }
}

}  // namespace

void SetPlayButtons(bool playing) {
    if (!Playback.playWindow) return;
    Enable(IDC_PLAY_STOP, playing);
    Enable(IDC_PLAY_CLOSE, !playing);
    Enable(IDC_PLAY_START, !playing);
}

void ShowPlayWindow() {
    // Only one play window, and none while the list plays or a long
    // operation runs; the window claims the list each time it plays it.
    if (RunningLongOperation() != LongOperation::None || Playback.playing || Playback.playWindow) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    Playback.stopRequested = false;
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PLAY_WINDOW), Play.owner, PlayWindowProc, 0);
    Playback.inWindow = 0;
}

void ShowPlayAreaText(const char* text, std::size_t byteCount) {
    Playback.playAreaText.assign(text, byteCount);
    if (Playback.playArea) DrawPlayAreaText(Playback.playArea);
}

HWND PlayWindow() {
    return Playback.playWindow;
}

HWND PlayArea() {
    return Playback.playArea;
}
