// Hiding into the task tray, coming back, and the tray menu.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/tray.h"
#include "support/fixture.h"
#include "support/input.h"
#include "system/screen_saver.h"

namespace {

class TrayTest : public MainWindowTest {
protected:
    void TearDown() override {
        if (MainWindow && TrayIconShown) Command(kCmdLeaveTray);
        MainWindowTest::TearDown();
    }
    static void IconMouse(UINT mouseMessage) { SendMessageA(MainWindow, kTrayMessage, kTrayIconId, mouseMessage); }
};

void ExpectInTray() {
    EXPECT_FALSE(IsWindowVisible(MainWindow));
    EXPECT_EQ(TrayIconShown, 1);
    EXPECT_TRUE(TrayIconPresent(MainWindow));
}

void ExpectShown() {
    EXPECT_TRUE(IsWindowVisible(MainWindow));
    EXPECT_FALSE(IsIconic(MainWindow));
    EXPECT_EQ(TrayIconShown, 0);
    EXPECT_FALSE(TrayIconPresent(MainWindow));
}

struct Route {
    const char* name;
    std::function<void()> go;
};

TEST_F(TrayTest, EveryWayInAndEveryWayOut) {
    const Route in[] = {
        {"menu command", [] { Command(kCmdEnterTray); }},
        {"minimize", [] { ShowWindow(MainWindow, SW_MINIMIZE); }},
    };
    const Route out[] = {
        {"double click on the icon", [] { IconMouse(WM_LBUTTONDBLCLK); }},
        {"tray menu item", [] {
             OnNextPopupMenu(nullptr, 'd');  // "プレイヤーの表示(&D)"
             IconMouse(WM_RBUTTONDOWN);
             PumpMessages();
             EXPECT_TRUE(PopupMenuSeen());
         }},
    };
    for (const Route& i : in) {
        for (const Route& o : out) {
            SCOPED_TRACE(std::string(i.name) + " / " + o.name);
            i.go();
            ExpectInTray();
            // Other mouse messages over the icon change nothing.
            IconMouse(WM_MOUSEMOVE);
            IconMouse(WM_LBUTTONUP);
            ExpectInTray();
            o.go();
            ExpectShown();
        }
    }
}

// The program itself, started with the tray option or minimized.
TEST_F(TrayTest, ProgramStartsIntoTheTray) {
    struct Case {
        const char* name;
        int trayOption;
        WORD show;
    } cases[] = {{"tray option", 1, SW_SHOWNORMAL}, {"started minimized", 0, SW_SHOWMINNOACTIVE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteSettingInt("TskTray", c.trayOption);
        ProgramProcess program = StartZelvista(c.show);
        ASSERT_TRUE(program.process);
        HWND window = FindProcessMainWindow(program.id, false);
        ASSERT_NE(window, nullptr);
        for (int i = 0; i < 200 && !TrayIconPresent(window); ++i) Sleep(50);
        EXPECT_TRUE(TrayIconPresent(window));
        EXPECT_FALSE(IsWindowVisible(window));
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForSingleObject(program.process.get(), 20000), WAIT_OBJECT_0);
    }
}

// Check marks of the tray menu's items while it is shown.
std::vector<int> CheckedItems(HMENU menu) {
    std::vector<int> checked;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            for (int id : CheckedItems(sub)) checked.push_back(id);
        } else if (GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED) {
            checked.push_back(static_cast<int>(GetMenuItemID(menu, i)));
        }
    }
    return checked;
}

TEST_F(TrayTest, MenuMarksFollowTheProgramsFlag) {
    struct Case {
        std::vector<int> commands;
        int othersSetting;  // the system setting changed elsewhere afterwards, -1 for not
        int marked;
    } cases[] = {
        {{kCmdSaverOff}, -1, kCmdSaverOff},
        {{kCmdSaverOn}, -1, kCmdSaverOn},
        {{kCmdSaverOn, kCmdWait5}, -1, kCmdSaverOn},
        {{kCmdSaverOff, kCmdWait10}, -1, kCmdSaverOff},
        {{kCmdSaverOff}, 1, kCmdSaverOff},
        {{kCmdSaverOn}, 0, kCmdSaverOn},
    };
    Command(kCmdEnterTray);
    for (const Case& c : cases) {
        for (int id : c.commands) Command(id);
        if (c.othersSetting >= 0) SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, c.othersSetting, nullptr, 0);
        std::vector<int> checked;
        int waitItems = 0;
        OnNextPopupMenu([&](HMENU menu) {
            checked = CheckedItems(menu);
            waitItems = GetMenuItemCount(GetSubMenu(menu, 3));
        });
        IconMouse(WM_RBUTTONDOWN);
        EXPECT_TRUE(PopupMenuSeen());
        EXPECT_EQ(checked, std::vector<int>{c.marked}) << c.commands.front();
        EXPECT_EQ(waitItems, 8);
    }
}

TEST_F(TrayTest, TrayMenuItemsSendTheirCommands) {
    struct Case {
        char key;
        int command;
    } cases[] = {{'r', kCmdDisplayProperties}, {'f', kCmdPlayFullScreen}, {'w', kCmdPlayWindow},
                 {'a', kCmdAbout},             {'s', kCmdSettings},       {'x', kCmdExit}};
    Command(kCmdEnterTray);
    for (const Case& c : cases) {
        MessageRecorder recorder(true);
        OnNextPopupMenu(nullptr, c.key);
        IconMouse(WM_RBUTTONDOWN);
        PumpMessages();
        EXPECT_EQ(recorder.commands, std::vector<int>{c.command}) << c.key;
    }
    EXPECT_FALSE(IsWindowVisible(MainWindow));
}

// Whether the icon was still there when the window was being destroyed (a
// destroyed window's icon goes away by itself, so look just before).
WNDPROC programProc;
int iconAtDestroy = -1;
LRESULT CALLBACK WatchDestroy(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_DESTROY) iconAtDestroy = TrayIconPresent(w) ? 1 : 0;
    return CallWindowProcA(programProc, w, m, wp, lp);
}

TEST_F(TrayTest, ExitFromTheTrayClosesAndRemovesTheIcon) {
    HWND window = MainWindow;
    Command(kCmdEnterTray);
    programProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchDestroy)));
    iconAtDestroy = -1;
    OnNextPopupMenu(nullptr, 'x');
    IconMouse(WM_RBUTTONDOWN);
    PumpMessages();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(iconAtDestroy, 0);
    TrayIconShown = 0;
    DestroyTestMainWindow();
    ASSERT_NE(CreateTestMainWindow(), nullptr);
}

TEST_F(TrayTest, IconComesBackWhenTheTaskbarIsMadeAgain) {
    UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    // Shown: nothing to add.
    SendMessageA(MainWindow, taskbarCreated, 0, 0);
    EXPECT_FALSE(TrayIconPresent(MainWindow));
    // In the tray, with the icon lost by a restarted taskbar.
    Command(kCmdEnterTray);
    RemoveTrayIcon();
    ASSERT_FALSE(TrayIconPresent(MainWindow));
    SendMessageA(MainWindow, taskbarCreated, 0, 0);
    ExpectInTray();
}

}  // namespace
