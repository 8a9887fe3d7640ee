// The floor of the start-up benchmark: the least a Win32 program with a list
// does before its window is on screen. One window with one empty report list
// view of five columns, the program's manifest (common controls 6), nothing
// else; it ends when its window is closed.
//   bench_bare_listview.exe [ROWS]   ROWS: the benchmark's sample rows put
//                                    into the list view directly, as a second floor
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "sample_rows.h"

namespace {

HWND list;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (list) MoveWindow(list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void InsertSampleRows(int count) {
    const char loose[] = "ｽｸﾘｰﾝｾｰﾊﾞｰ";  // the type texts the program shows
    const char archive[] = "書庫(LZH)";
    unsigned seed = kSampleSeed;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < count; ++i) {
        SampleRow r = MakeSampleRow(seed);
        const char* texts[5] = {r.name, r.seconds, r.folder, r.archived ? archive : loose, r.archive};
        InsertRowTexts(list, i, texts);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "Bare List Class";
    RegisterClassExA(&wc);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "Bare list", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                  static_cast<int>((work.right - work.left) / 1.7), (work.bottom - work.top) / 2,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 0, 0, window,
                           nullptr, instance, nullptr);
    const char* headers[] = {"1", "2", "3", "4", "5"};
    for (int i = 0; i < 5; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 100;
        column.pszText = const_cast<char*>(headers[i]);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    if (commandLine && *commandLine) InsertSampleRows(std::atoi(commandLine));
    RECT client{};
    GetClientRect(window, &client);
    MoveWindow(list, 0, 0, client.right, client.bottom, FALSE);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
