// The toolbar's layout, customisation and texts, and the status bar.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <iterator>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/toolbar.h"
#include "support/controls.h"
#include "support/fixture.h"
#include "support/input.h"

namespace {

using ToolbarTest = MainWindowTest;

// The common customisation dialog of this system, its lists and buttons.
constexpr char kCustomizeCaption[] = "ツール バーのカスタマイズ";
constexpr int kToolbarList = 203;
constexpr int kResetButton = 202;
constexpr int kRemoveButton = 204;

HWND Toolbar() {
    return GetDlgItem(MainWindow, kToolbarId);
}

// Commands in toolbar order, 0 for a separator.
std::vector<int> Layout() {
    std::vector<int> ids;
    int count = static_cast<int>(SendMessageA(Toolbar(), TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON b{};
        SendMessageA(Toolbar(), TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
        ids.push_back(b.fsStyle & TBSTYLE_SEP ? 0 : b.idCommand);
    }
    return ids;
}

const std::vector<int> kDefaultLayout = {
    6007, 6006, 6001, 6002, 6003, 6005, 0, 6101, 6102, 0, 6103, 6104, 6105, 0, 6106,
    6107, 0,    6108, 6109, 6110, 6303, 0, 6111, 0,    6201, 6202, 0,  6302, 6301, 6401};

// Opens the customisation dialog with command 6304 and lets `act` work in it.
void Customize(std::function<void(HWND)> act) {
    DialogDriver driver;
    driver.On(kCustomizeCaption, [act](HWND dialog) {
        act(dialog);
        ClickButton(dialog, IDCANCEL);  // "閉じる"
    });
    SendMessageA(MainWindow, WM_COMMAND, kCmdCustomizeToolbar, 0);
    EXPECT_TRUE(driver.allHandled());
}

void RemoveAt(HWND dialog, int position) {
    SendDlgItemMessageA(dialog, kToolbarList, LB_SETCURSEL, position, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kRemoveButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, kRemoveButton)));
}

TEST_F(ToolbarTest, FirstStartShowsTheDefaultLayoutWithItsImages) {
    EXPECT_EQ(Layout(), kDefaultLayout);
    int image = 0;
    for (int i = 0; i < static_cast<int>(kDefaultLayout.size()); ++i) {
        TBBUTTON b{};
        SendMessageA(Toolbar(), TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
        if (b.fsStyle & TBSTYLE_SEP) continue;
        EXPECT_EQ(b.iBitmap, image) << i;
        EXPECT_EQ(b.fsState, TBSTATE_ENABLED) << i;
        EXPECT_EQ(b.idCommand, ToolbarButtonCommand(image)) << i;
        ++image;
    }
    EXPECT_EQ(image, kToolbarButtonCount);
    LONG_PTR style = GetWindowLongPtrA(Toolbar(), GWL_STYLE);
    EXPECT_TRUE((style & CCS_ADJUSTABLE) && (style & TBSTYLE_TOOLTIPS));
    EXPECT_EQ(SendMessageA(Toolbar(), TB_GETIMAGELIST, 0, 0) != 0, true);
}

TEST_F(ToolbarTest, CustomisedLayoutIsKeptAcrossStartsAndResetBringsTheDefaultBack) {
    Customize([](HWND dialog) {
        RemoveAt(dialog, 0);  // 6007
        RemoveAt(dialog, 5);  // the first separator
        RemoveAt(dialog, 5);  // 6101
    });
    std::vector<int> customised = kDefaultLayout;
    customised.erase(customised.begin() + 7);
    customised.erase(customised.begin() + 6);
    customised.erase(customised.begin());
    EXPECT_EQ(Layout(), customised);
    Restart();
    EXPECT_EQ(Layout(), customised);

    Customize([](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kResetButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, kResetButton)));
    });
    EXPECT_EQ(Layout(), kDefaultLayout);
    Restart();
    EXPECT_EQ(Layout(), kDefaultLayout);
}

TEST_F(ToolbarTest, UnreadableStoredLayoutKeepsTheDefault) {
    WriteSettingRaw("Setting", REG_SZ, "garbage", 8);
    Restart();
    EXPECT_EQ(Layout(), kDefaultLayout);
}

struct TextCase {
    int command;
    const char* tooltip;
    const char* buttonText;
};

TEST_F(ToolbarTest, TooltipsAndButtonNames) {
    const TextCase cases[] = {
        {6007, "ｱﾌﾟﾘｹｰｼｮﾝの終了", "ｱﾌﾟﾘｹｰｼｮﾝの終了"},
        {6102, "指定したフォルダーからスクリーンセーバーを検索してリストに追加", "フォルダーを追加"},
        {6104, "重複したスクリーンセーバーを削除", "重複削除"},
        {6303, "標準のｽｸﾘｰﾝｾｰﾊﾞｰに設定する", "標準のｽｸﾘｰﾝｾｰﾊﾞｰに設定する"},
        {6201, "フルスクリーンで再生", "リスト再生"},
        {6202, "再生ウィンドウ内で再生", "再生ウィンドウ表示"},
        {6401, "ヘルプ", "ヘルプ"},
    };
    HWND tips = reinterpret_cast<HWND>(SendMessageA(Toolbar(), TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tips, nullptr);
    for (const TextCase& c : cases) {
        // The tooltip control asks for its text the way it does when the mouse rests on a button.
        // Read as UTF-16: the main window is a Unicode window, so its
        // controls ask it in UTF-16 whatever the process's code page.
        wchar_t tip[256] = L"";
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = Toolbar();
        tool.uId = static_cast<UINT_PTR>(c.command);
        tool.lpszText = tip;
        SendMessageW(tips, TTM_GETTEXTW, std::size(tip), reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(Text932(tip), c.tooltip) << c.command;

        int index = 0;
        while (ToolbarButtonCommand(index) != c.command) ++index;
        NMTOOLBARW ask{};
        ask.hdr = {Toolbar(), static_cast<UINT_PTR>(kToolbarId), static_cast<UINT>(TBN_GETBUTTONINFOW)};
        ask.iItem = index;
        EXPECT_EQ(SendMessageW(MainWindow, WM_NOTIFY, kToolbarId, reinterpret_cast<LPARAM>(&ask)), 1);
        EXPECT_EQ(ask.tbButton.idCommand, c.command);
        EXPECT_EQ(ask.tbButton.iBitmap, index);
        ASSERT_NE(ask.pszText, nullptr);
        EXPECT_EQ(Text932(ask.pszText), c.buttonText);
    }
    NMTOOLBARW past{};
    past.hdr = {Toolbar(), static_cast<UINT_PTR>(kToolbarId), static_cast<UINT>(TBN_GETBUTTONINFOW)};
    past.iItem = kToolbarButtonCount;
    EXPECT_EQ(SendMessageW(MainWindow, WM_NOTIFY, kToolbarId, reinterpret_cast<LPARAM>(&past)), 0);

    // A request for a command without a button is left unanswered.
    NMTTDISPINFOW other{};
    other.hdr = {tips, static_cast<UINT_PTR>(kCmdSaveListAs), static_cast<UINT>(TTN_NEEDTEXTW)};
    SendMessageA(MainWindow, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&other));
    EXPECT_EQ(other.lpszText, nullptr);
    EXPECT_EQ(other.hinst, nullptr);
}

TEST_F(ToolbarTest, StatusBarIsEmptyWithASizeGrip) {
    HWND status = GetDlgItem(MainWindow, kStatusBarId);
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(GetWindowLongPtrA(status, GWL_STYLE) & SBARS_SIZEGRIP);
    EXPECT_EQ(LOWORD(SendMessageA(status, SB_GETTEXTLENGTHA, 0, 0)), 0);
    EXPECT_EQ(GetWindowTextLengthA(status), 0);
    // The grip sizes the main window.
    RECT r;
    GetClientRect(status, &r);
    POINT grip{r.right - 2, r.bottom - 2};
    ClientToScreen(status, &grip);
    EXPECT_EQ(SendMessageA(status, WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y)), HTBOTTOMRIGHT);
}

}  // namespace
