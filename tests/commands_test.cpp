// The command dispatcher, the keyboard accelerators and the list popup menu.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "app/tray.h"
#include "list/entry_list.h"
#include "base/strings.h"
#include "list/list_file.h"
#include "res/resource.h"
#include "support/fixture.h"
#include "support/input.h"
#include "system/screen_saver.h"

namespace {

class CommandTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        LoadProgramAccelerators();
    }
    HWND Child(int id) { return GetDlgItem(MainWindow, id); }
};

struct DispatchCase {
    const char* name;
    std::vector<int> commands;
    std::function<void()> setup;
    std::function<void()> check;
};

TEST_F(CommandTest, CommandsReachTheirOperationsAndFocusReturnsToTheList) {
    const DispatchCase cases[] = {
        {"new list empties the rows", {kCmdNewList},
         [] { AddRow({"a.scr", "0", "C:\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""}); CurrentList.Modified = 0; },
         [] { EXPECT_EQ(GetEntryRowCount(), 0); }},
        {"into the tray", {kCmdEnterTray}, nullptr,
         [] {
             EXPECT_FALSE(IsWindowVisible(MainWindow));
             EXPECT_EQ(TrayIconShown, 1);
             EXPECT_TRUE(TrayIconPresent(MainWindow));
         }},
        {"out of the tray", {kCmdEnterTray, kCmdLeaveTray}, nullptr,
         [] {
             EXPECT_TRUE(IsWindowVisible(MainWindow));
             EXPECT_EQ(TrayIconShown, 0);
             EXPECT_FALSE(TrayIconPresent(MainWindow));
         }},
        {"screen saver off", {kCmdSaverOn, kCmdSaverOff}, nullptr,
         [] {
             EXPECT_EQ(ScreenSaverActive, 0);
             EXPECT_EQ(IsScreenSaverActive(), 0);
         }},
        {"screen saver on", {kCmdSaverOff, kCmdSaverOn}, nullptr,
         [] {
             EXPECT_EQ(ScreenSaverActive, 1);
             EXPECT_EQ(IsScreenSaverActive(), 1);
         }},
        // Operations that arrive with later work, editing with no row to
        // act on, and identifiers of nobody.
        {"not yet carried out or nothing to do", {kCmdDeleteEntry, kCmdMoveUp, kCmdSwitchSeconds, kCmdPreview,
                                                  kCmdSetStandard}, nullptr, [] {}},
        {"unknown identifiers", {0, 1, 6000, 6501, 6502, 6999, 9001, 0xFFFF},
         [] { AddRow({"a.scr", "0", "C:\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""}); CurrentList.Modified = 1; },
         [] {
             EXPECT_EQ(GetEntryRowCount(), 1);
             EXPECT_EQ(CurrentList.Modified, 1);
             EXPECT_TRUE(IsWindowVisible(MainWindow));
         }},
    };
    for (const DispatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        NewList();
        if (c.setup) c.setup();
        for (int id : c.commands) {
            SetFocus(Child(kToolbarId));
            Command(id);
            EXPECT_EQ(GetFocus(), EntryListView) << id;
        }
        c.check();
        if (TrayIconShown) Command(kCmdLeaveTray);
    }
}

// Commands that open a modal window: it shows, and focus is back on the list after it.
TEST_F(CommandTest, ModalCommandsOpenTheirDialogs) {
    struct Case {
        int command;
        const char* caption;
        int button;  // the one that closes it
    } cases[] = {
        {kCmdOpenList, "リストファイルの読み込み", IDCANCEL},
        {kCmdSaveListAs, "名前を付けてリストファイルを保存", IDCANCEL},
        {kCmdCustomizeToolbar, "ツール バーのカスタマイズ", IDCANCEL},
        {kCmdAbout, "バージョン情報", IDOK},
        {kCmdAddFile, "スクリーンセーバーの読み込み", IDCANCEL},
        {kCmdFolderSearch, "スクリーンセーバーの検索", IDOK},
        {kCmdSwitchSeconds, "個別切替時間の設定", IDCANCEL},
        // Its one row names no file: playback has ended when Close is clicked.
        {kCmdPlayWindow, "再生ウィンドウ", IDOK},
    };
    AddRow({"a.scr", "0", "C:\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""});
    SelectListRow(0);
    for (const Case& c : cases) {
        DialogDriver driver;
        int button = c.button;
        driver.On(c.caption, [button](HWND dialog) { ClickButton(dialog, button); });
        SetFocus(Child(kToolbarId));
        Command(c.command);
        EXPECT_TRUE(driver.allHandled()) << c.caption;
        EXPECT_EQ(GetFocus(), EntryListView) << c.caption;
    }
}

TEST_F(CommandTest, ExitClosesTheWindow) {
    HWND window = MainWindow;
    Command(kCmdExit);
    EXPECT_FALSE(IsWindow(window));
    DestroyTestMainWindow();
    ASSERT_NE(CreateTestMainWindow(), nullptr);
}

TEST_F(CommandTest, SelectedRowIsRefreshedBeforeEveryCommand) {
    for (const char* name : {"a.scr", "b.scr", "c.scr"}) AddRow({name, "0", "C:\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""});
    for (int row : {1, 2, -1, 0}) {
        SelectListRow(row);
        SelectedEntryRow = 42;
        Command(6999);
        EXPECT_EQ(SelectedEntryRow, row);
    }
}

struct KeyCase {
    std::vector<WORD> modifiers;
    WORD key;
    int command;  // 0: nothing reaches the main window
};

TEST_F(CommandTest, AcceleratorsSendTheirCommandsWithExactModifiers) {
    const KeyCase cases[] = {
        {{VK_CONTROL}, 'D', kCmdMoveDown},       {{VK_CONTROL}, 'N', kCmdNewList},
        {{VK_CONTROL}, 'O', kCmdOpenList},       {{VK_CONTROL}, 'S', kCmdSaveList},
        {{VK_CONTROL}, 'U', kCmdMoveUp},         {{}, VK_DELETE, kCmdDeleteEntry},
        {{VK_CONTROL}, VK_DELETE, kCmdRemoveMissing}, {{}, VK_F1, kCmdHelp},
        {{VK_SHIFT}, VK_DELETE, 0},              {{VK_CONTROL, VK_SHIFT}, 'N', 0},
        {{VK_SHIFT}, 'D', 0},                    {{}, 'N', 0},
        {{VK_MENU}, VK_DELETE, 0},
    };
    SetForegroundWindow(MainWindow);
    for (HWND focus : {EntryListView, Child(kToolbarId)}) {
        for (const KeyCase& c : cases) {
            SetFocus(focus);
            MessageRecorder recorder(true);
            PressKey(c.modifiers, c.key);
            std::vector<int> expected;
            if (c.command) expected.push_back(c.command);
            EXPECT_EQ(recorder.commands, expected) << "key " << c.key << " with " << c.modifiers.size()
                                                   << " modifiers, focus on " << (focus == EntryListView);
        }
    }
}

TEST_F(CommandTest, RightClickOnEveryChildShowsTheListMenu) {
    struct Click {
        const char* name;
        std::function<void()> click;
    };
    const Click clicks[] = {
        {"list view", [] {
             NMHDR header{EntryListView, static_cast<UINT_PTR>(kEntryListViewId), static_cast<UINT>(NM_RCLICK)};
             SendMessageA(MainWindow, WM_NOTIFY, kEntryListViewId, reinterpret_cast<LPARAM>(&header));
         }},
        {"toolbar", [this] { SendMessageA(Child(kToolbarId), WM_RBUTTONUP, 0, MAKELPARAM(2, 2)); }},
        {"status bar", [this] { SendMessageA(Child(kStatusBarId), WM_RBUTTONUP, 0, MAKELPARAM(5, 5)); }},
    };
    for (const Click& c : clicks) {
        SCOPED_TRACE(c.name);
        std::vector<int> ids;
        OnNextPopupMenu(
            [&ids](HMENU menu) {
                for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(static_cast<int>(GetMenuItemID(menu, i)));
            },
            'u');
        MessageRecorder recorder(true);
        c.click();
        PumpProgramMessages();
        EXPECT_TRUE(PopupMenuSeen());
        const std::vector<int> expected = {6101, 6102, 0, 6103, 6104, 6105, 0, 6106, 6107, 0,
                                           6108, 6109, 6110, 6303, 0, 6111};
        EXPECT_EQ(ids, expected);
        EXPECT_EQ(recorder.commands, std::vector<int>{kCmdOpenArchive});
    }
}

TEST_F(CommandTest, DoubleClickOnToolbarOrStatusBarActsOnTheSelectedRow) {
    AddRow({"a.scr", "0", "C:\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""});
    AddRow({"b.scr", "0", "C:\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""});
    SelectListRow(1);
    for (int child : {kToolbarId, kStatusBarId}) {
        SelectedEntryRow = -1;
        HWND from = Child(child);
        SetFocus(from);
        // The selected row's file is not there: its preview says so, by name.
        DialogDriver driver;
        driver.On(LoadText(IDS_APP_TITLE), [](HWND box) { ClickButton(box, IDOK); });
        if (child == kStatusBarId) {
            SendMessageA(from, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
        } else {
            NMHDR header{from, static_cast<UINT_PTR>(child), static_cast<UINT>(NM_DBLCLK)};
            SendMessageA(MainWindow, WM_NOTIFY, child, reinterpret_cast<LPARAM>(&header));
        }
        EXPECT_EQ(SelectedEntryRow, 1) << child;
        ASSERT_EQ(driver.seen().size(), 1u) << child;
        EXPECT_EQ(driver.seen()[0].text.rfind(FormatText(IDS_CANNOT_PREVIEW, "b.scr", ""), 0), 0u) << child;
        EXPECT_NE(GetFocus(), EntryListView) << child;
    }
}

// Each menu and its items: identifiers top to bottom (0 for separators and
// submenus) and the texts that matter for the tests of other behaviours.
TEST_F(CommandTest, MenusCarryEveryCommand) {
    HMENU bar = GetMenu(MainWindow);
    ASSERT_EQ(GetMenuItemCount(bar), 5);
    std::vector<int> all;
    for (int p = 0; p < 5; ++p) {
        HMENU popup = GetSubMenu(bar, p);
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            int id = static_cast<int>(GetMenuItemID(popup, i));
            if (id > 0) all.push_back(id);
        }
    }
    const std::vector<int> expected = {6001, 6002, 6003, 6004, 6005, 6006, 6007, 6101, 6102, 6103, 6104,
                                       6105, 6106, 6107, 6108, 6109, 6110, 6111, 6201, 6202, 6301, 6302,
                                       6303, 6304, 6401, 6402};
    EXPECT_EQ(all, expected);
    char text[128] = "";
    GetMenuStringA(bar, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "ﾘｽﾄ一覧(&L)");
    GetMenuStringA(bar, kCmdRemoveDuplicates, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "重複したﾌｧｲﾙを削除\tShiftl+DEL");
    GetMenuStringA(bar, kCmdHelp, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "ﾍﾙﾌﾟの表示(&H)\tF1");
}

}  // namespace
