// The layout at the display's DPI and after WM_DPICHANGED. ctest runs these
// tests again with the display at 144 and 192 DPI (tests/run_at_dpi.sh), so
// every case below holds at 96, 144 and 192 DPI.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/main_window.h"
#include "base/dpi.h"
#include "base/handles.h"
#include "list/folder_search.h"
#include "list/folder_search_ids.h"
#include "play/play_window.h"
#include "play/play_window_ids.h"
#include "support/fixture.h"

namespace {

using DpiLayoutTest = MainWindowTest;

// Widths of the five columns at 96 DPI, and what the toolbar draws with.
constexpr int kColumnWidths96[] = {150, 70, 80, 90, 100};
constexpr int kImageSizes[] = {16, 24, 32};
// The header control leaves 3 × SM_CXEDGE (6 pixels at 96 DPI) on each side of a column's text.
constexpr int kHeaderTextMargin96 = 6;

// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE TextSize(HWND window, HFONT font, const std::string& text) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size;
}

std::string WindowText(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

HWND Toolbar() {
    return GetDlgItem(MainWindow, kToolbarId);
}

int ToolbarImageSize() {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageA(Toolbar(), TB_GETIMAGELIST, 0, 0)), &cx, &cy);
    EXPECT_EQ(cx, cy);
    return cy;
}

std::vector<int> ColumnWidths() {
    std::vector<int> widths;
    for (int i = 0; i < 5; ++i)
        widths.push_back(static_cast<int>(SendMessageA(MainChildren.listView, LVM_GETCOLUMNWIDTH, i, 0)));
    return widths;
}

std::vector<int> ToolbarCommands() {
    std::vector<int> ids;
    const int count = static_cast<int>(SendMessageA(Toolbar(), TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON b{};
        SendMessageA(Toolbar(), TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
        ids.push_back(b.fsStyle & TBSTYLE_SEP ? 0 : b.idCommand);
    }
    return ids;
}

int FontHeight(HWND control) {
    auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA lf{};
    GetObjectA(font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    return lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
}

// The width of the window's icon of that kind (ICON_SMALL, ICON_BIG); 0 for none of its own.
int WindowIconSize(int kind) {
    auto icon = reinterpret_cast<HICON>(SendMessageA(MainWindow, WM_GETICON, kind, 0));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// Toolbar above, list between, status bar below: none covers another, and
// the toolbar's images are the set drawn for this DPI.
void ExpectMainLayout(int dpi) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
    SendMessageA(MainWindow, WM_SIZE, SIZE_RESTORED, 0);  // the toolbar and status bar size themselves
    LayoutEntryListView();
    RECT client{};
    GetClientRect(MainWindow, &client);
    const RECT toolbar = ChildRect(Toolbar());
    const RECT list = ChildRect(MainChildren.listView);
    const RECT status = ChildRect(MainChildren.statusBar);
    EXPECT_EQ(list.top, ScaleForDpi(28, dpi));
    EXPECT_LE(toolbar.bottom, list.top);
    EXPECT_LE(list.bottom, status.top);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(list.right, client.right);

    const int image = ToolbarImageSize();
    EXPECT_EQ(image, NearestImageSize(16, dpi, kImageSizes, 3));
    const LRESULT button = SendMessageA(Toolbar(), TB_GETBUTTONSIZE, 0, 0);
    EXPECT_GE(HIWORD(button), image);
    EXPECT_GE(LOWORD(button), image);
    if (dpi >= 144) {
        EXPECT_GE(HIWORD(button), 24);
    }
    EXPECT_LE(HIWORD(button), toolbar.bottom - toolbar.top);
}

// The display runs at the DPI that tests/run_at_dpi.sh asked for (96 in the
// whole suite's run), so the cases below are not all tried at 96.
TEST_F(DpiLayoutTest, DisplayIsAtTheDpiAskedFor) {
    char wanted[16] = "96";
    GetEnvironmentVariableA("ZELVISTA_TEST_DPI", wanted, sizeof wanted);
    EXPECT_EQ(SystemDpi(), std::atoi(wanted));
    EXPECT_EQ(WindowDpi(MainWindow), SystemDpi());
}

TEST_F(DpiLayoutTest, EveryColumnHeaderFitsItsColumnAtItsDefaultWidth) {
    const int dpi = SystemDpi();
    EXPECT_EQ(MainWindowDpi, dpi);
    HWND header = ListView_GetHeader(MainChildren.listView);
    auto font = reinterpret_cast<HFONT>(SendMessageA(header, WM_GETFONT, 0, 0));
    for (int i = 0; i < 5; ++i) {
        char text[64] = "";
        HDITEMA item{};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ASSERT_TRUE(SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item)));
        EXPECT_EQ(item.cxy, ScaleForDpi(kColumnWidths96[i], dpi)) << i;
        const int needed = TextSize(header, font, text).cx + 2 * ScaleForDpi(kHeaderTextMargin96, dpi);
        EXPECT_LE(needed, item.cxy) << text << " at " << dpi << " DPI";
    }
}

TEST_F(DpiLayoutTest, ToolbarListAndStatusBarDoNotCoverEachOther) {
    ExpectMainLayout(SystemDpi());
}

TEST_F(DpiLayoutTest, NothingIsCutInThePlayWindow) {
    const int dpi = SystemDpi();
    bool checked = false;
    DialogDriver driver;
    driver.On("再生ウィンドウ", [&](HWND dialog) {
        checked = true;
        RECT client{};
        GetClientRect(dialog, &client);
        const RECT area = ChildRect(GetDlgItem(dialog, IDC_PLAY_AREA));
        EXPECT_EQ(area.top, ScaleForDpi(28, dpi));
        EXPECT_EQ(area.bottom, client.bottom);
        EXPECT_EQ(area.right, client.right);
        for (int id : {IDC_PLAY_CLOSE, IDC_PLAY_START, IDC_PLAY_STOP}) {
            HWND button = GetDlgItem(dialog, id);
            const RECT r = ChildRect(button);
            EXPECT_GE(r.top, 0) << id;
            EXPECT_LE(r.bottom, area.top) << id;  // the play area covers no button
            EXPECT_LE(r.right, client.right) << id;
            auto font = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0));
            const SIZE text = TextSize(button, font, WindowText(button));
            EXPECT_LE(text.cx, r.right - r.left) << id;
            EXPECT_LE(text.cy, r.bottom - r.top) << id;
        }
        ClickButton(dialog, IDC_PLAY_CLOSE);
    });
    // An empty list: playback ends at once and the window waits for Close.
    Command(kCmdPlayWindow);
    EXPECT_TRUE(checked);
    EXPECT_EQ(PlayWindow(), nullptr);
}

// Every text of the About box shows whole beside the next control on its
// line: the library names and their versions share one line each.
TEST_F(DpiLayoutTest, NothingIsCutInTheAboutBox) {
    bool checked = false;
    DialogDriver driver;
    driver.On("バージョン情報", [&](HWND dialog) {
        checked = true;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char className[32] = "";
            GetClassNameA(child, className, sizeof className);
            const std::string text = WindowText(child);
            // The link's path is shortened in its middle by design when long.
            const LONG style = GetWindowLongA(child, GWL_STYLE);
            if (lstrcmpiA(className, "Static") != 0 || text.empty() || (style & SS_ICON) ||
                (style & SS_ELLIPSISMASK) == SS_PATHELLIPSIS)
                continue;
            const RECT r = ChildRect(child);
            auto font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
            const SIZE size = TextSize(child, font, text);
            EXPECT_LE(size.cx, r.right - r.left) << text;
            EXPECT_LE(size.cy, r.bottom - r.top) << text;
        }
        ClickButton(dialog, IDOK);
    });
    Command(kCmdAbout);
    EXPECT_TRUE(checked);
}

// The folder search's longest result (rows added, names that cannot be used,
// files refused and archives left in the cloud, each with four digits) fits
// its status line.
TEST_F(DpiLayoutTest, TheLongestSearchResultFitsTheStatusLine) {
    bool checked = false;
    DialogDriver driver;
    driver.On("スクリーンセーバーの検索", [&](HWND dialog) {
        checked = true;
        HWND status = GetDlgItem(dialog, IDC_SEARCH_STATUS);
        const std::string text = FolderSearchResultText(9999, 9999, 9999, 9999);
        RECT r{};
        GetClientRect(status, &r);
        RECT needed{0, 0, r.right, 0};
        HDC dc = GetDC(status);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(status, WM_GETFONT, 0, 0)));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
        ReleaseDC(status, dc);
        EXPECT_LE(needed.bottom, r.bottom) << text;
        ClickButton(dialog, IDOK);
    });
    Command(kCmdFolderSearch);
    EXPECT_TRUE(checked);
}

// WM_DPICHANGED, as Windows sends it when the window moves to a monitor of
// another DPI: the window takes the suggested rectangle, and its toolbar,
// columns, font and list follow the new DPI; back again, all is as before.
TEST_F(DpiLayoutTest, DpiChangeLaysTheMainWindowOutAgain) {
    const int dpi = SystemDpi();
    const int other = dpi >= 192 ? 96 : 192;
    RECT start{};
    GetWindowRect(MainWindow, &start);
    const std::vector<int> widths = ColumnWidths();
    const std::vector<int> commands = ToolbarCommands();
    const int fontHeight = FontHeight(MainChildren.listView);

    // On the screen of these tests: a rectangle scaled with the DPI might not fit.
    const RECT suggested{start.left + 10, start.top + 20, start.left + 710, start.top + 520};
    SendMessageA(MainWindow, WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
    RECT now{};
    GetWindowRect(MainWindow, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    EXPECT_EQ(MainWindowDpi, other);
    ExpectMainLayout(other);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ColumnWidths()[i], RescaleForDpi(widths[i], dpi, other)) << i;
    EXPECT_EQ(ToolbarCommands(), commands);
    EXPECT_NEAR(FontHeight(MainChildren.listView), RescaleForDpi(fontHeight, dpi, other), 1);
    EXPECT_EQ(FontHeight(MainChildren.statusBar), FontHeight(MainChildren.listView));
    EXPECT_EQ(WindowIconSize(ICON_SMALL), SystemMetricForDpi(SM_CXSMICON, other));
    EXPECT_EQ(WindowIconSize(ICON_BIG), SystemMetricForDpi(SM_CXICON, other));

    SendMessageA(MainWindow, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&start));
    GetWindowRect(MainWindow, &now);
    EXPECT_TRUE(EqualRect(&now, &start));
    ExpectMainLayout(dpi);
    EXPECT_EQ(ColumnWidths(), widths);
    EXPECT_EQ(ToolbarCommands(), commands);
    EXPECT_EQ(FontHeight(MainChildren.listView), fontHeight);
    EXPECT_EQ(WindowIconSize(ICON_SMALL), 0);  // the class's icons again
}

}  // namespace
