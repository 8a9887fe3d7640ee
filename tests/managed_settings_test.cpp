// What the administrator's policy fixes of the system's screen saver: the
// commands that change it are disabled in the menus, the tray menu and the
// toolbar with the reason said, refused with a message when they come all
// the same, the settings that depend on it say why; "make standard" and the
// random start-up choice extract nothing; the changer knows the policy's
// screen saver. Wine enforces no policy: the tests write its values and look
// at what the program makes of them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/managed_settings.h"
#include "app/tray.h"
#include "base/program_paths.h"
#include "base/strings.h"
#include "launch_support.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "settings/settings_dialog_ids.h"
#include "support/controls.h"
#include "support/input.h"
#include "support/system_settings.h"
#include "system/changer.h"
#include "system/screen_saver.h"
#include "system/screen_saver_policy.h"

namespace {

using PolicyList = std::vector<std::pair<std::string, std::string>>;

const int kWaits[] = {kCmdWait1, kCmdWait2, kCmdWait3, kCmdWait4, kCmdWait5, kCmdWait10, kCmdWait15, kCmdWait20};

ScreenSaverPolicy PolicyOf(const PolicyList& values) {
    ScreenSaverPolicyValues written(values);
    return ReadScreenSaverPolicy();
}

// Each policy value × each command → enabled, or disabled with which reason.
TEST(ManagedSettings, EachPolicyValueDisablesTheCommandsThatChangeIt) {
    struct Case {
        const char* name;
        PolicyList policy;
        unsigned onOff, waits, standard;  // the reasons, 0 for enabled
    } cases[] = {
        {"no policy", {}, 0, 0, 0},
        {"kept on", {{"ScreenSaveActive", "1"}}, IDS_POLICY_ACTIVE, 0, 0},
        {"kept off", {{"ScreenSaveActive", "0"}}, IDS_POLICY_ACTIVE, 0, 0},
        {"waiting time", {{"ScreenSaveTimeOut", "600"}}, 0, IDS_POLICY_TIMEOUT, 0},
        {"standard screen saver", {{"SCRNSAVE.EXE", "C:\\Windows\\system32\\scrnsave.scr"}}, 0, 0, IDS_POLICY_STANDARD},
        {"no screen saver named", {{"SCRNSAVE.EXE", ""}}, 0, 0, 0},
        {"password only", {{"ScreenSaverIsSecure", "1"}}, 0, 0, 0},
        {"all",
         {{"ScreenSaveActive", "1"}, {"ScreenSaveTimeOut", "300"}, {"ScreenSaverIsSecure", "1"},
          {"SCRNSAVE.EXE", "C:\\a.scr"}},
         IDS_POLICY_ACTIVE, IDS_POLICY_TIMEOUT, IDS_POLICY_STANDARD},
    };
    // Commands no policy of the screen saver touches.
    const int kFree[] = {kCmdSaverNow, kCmdDefrag, kCmdPreview, kCmdConfigure, kCmdSettings, kCmdPlayFullScreen,
                         kCmdPlayWindow, kCmdDisplayProperties, kCmdExit};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScreenSaverPolicy policy = PolicyOf(c.policy);
        EXPECT_EQ(PolicyReasonForCommand(kCmdSaverOff, policy), c.onOff);
        EXPECT_EQ(PolicyReasonForCommand(kCmdSaverOn, policy), c.onOff);
        for (int wait : kWaits) EXPECT_EQ(PolicyReasonForCommand(wait, policy), c.waits) << wait;
        EXPECT_EQ(PolicyReasonForCommand(kCmdSetStandard, policy), c.standard);
        for (int command : kFree) EXPECT_EQ(PolicyReasonForCommand(command, policy), 0u) << command;
    }
}

// The values as the policy editor and other tools store them.
TEST(ManagedSettings, PolicyValuesAreReadAsStored) {
    ScreenSaverPolicyValues none({});
    auto write = [](const char* name, DWORD type, const void* data, DWORD size) {
        RegSetKeyValueA(HKEY_CURRENT_USER, kScreenSaverPolicyKey, name, type, data, size);
    };
    // A number, an expandable path, a path longer than the program takes.
    const DWORD one = 1;
    write("ScreenSaveActive", REG_DWORD, &one, sizeof one);
    const char expandable[] = "%SystemRoot%\\system32\\Mystify.scr";
    write("SCRNSAVE.EXE", REG_EXPAND_SZ, expandable, sizeof expandable);
    ScreenSaverPolicy policy = ReadScreenSaverPolicy();
    EXPECT_TRUE(policy.activeFixed);
    EXPECT_TRUE(policy.active);
    EXPECT_TRUE(policy.standardSaverFixed);
    char windows[MAX_PATH] = "";
    GetEnvironmentVariableA("SystemRoot", windows, sizeof windows);
    EXPECT_STREQ(policy.standardSaver, (std::string(windows) + "\\system32\\Mystify.scr").c_str());
    char path[MAX_PATH] = "";
    EXPECT_TRUE(ReadStandardScreenSaverInEffect(path, sizeof path));
    EXPECT_STREQ(path, policy.standardSaver);

    const std::string tooLong = "C:\\" + std::string(300, 'x') + ".scr";
    write("SCRNSAVE.EXE", REG_SZ, tooLong.c_str(), static_cast<DWORD>(tooLong.size() + 1));
    const BYTE binary[] = {1, 0, 0, 0};
    write("ScreenSaveTimeOut", REG_BINARY, binary, sizeof binary);
    policy = ReadScreenSaverPolicy();
    EXPECT_TRUE(policy.standardSaverFixed) << "fixed, though its name is not taken";
    EXPECT_STREQ(policy.standardSaver, "");
    EXPECT_FALSE(ReadStandardScreenSaverInEffect(path, sizeof path)) << "never cut to fit";
    EXPECT_FALSE(policy.timeoutFixed) << "a value of another kind fixes nothing";
}

// The state of a menu item by command, anywhere in the menu.
struct ItemState {
    bool found = false, grayed = false;
    std::string text;
};
ItemState FindItem(HMENU menu, int command) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            ItemState inner = FindItem(sub, command);
            if (inner.found) return inner;
            continue;
        }
        if (static_cast<int>(GetMenuItemID(menu, i)) != command) continue;
        ItemState state;
        state.found = true;
        state.grayed = (GetMenuState(menu, i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) != 0;
        char text[256] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        state.text = text;
        return state;
    }
    return {};
}

class ManagedSettingsTest : public SaverRunTest {
protected:
    static void IconMouse(UINT mouseMessage) { SendMessageA(MainWindow, kTrayMessage, kTrayIconId, mouseMessage); }
    // Read in UTF-16, as the bar and the tooltip hold them on any code page.
    static std::string StatusText() {
        wchar_t text[512] = L"";
        if (LOWORD(SendMessageW(MainChildren.statusBar, SB_GETTEXTLENGTHW, 0, 0)) >= std::size(text)) return "?";
        SendMessageW(MainChildren.statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return Text932(text);
    }
    static std::string Tooltip(int command) {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = MainChildren.toolbar;
        info.hdr.idFrom = static_cast<UINT_PTR>(command);
        info.hdr.code = TTN_NEEDTEXTW;
        SendMessageW(MainWindow, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        if (info.hinst) return LoadText(static_cast<unsigned>(reinterpret_cast<UINT_PTR>(info.lpszText)));
        return info.lpszText ? Text932(info.lpszText) : "";
    }
    // The menu as it shows, its items by command.
    static std::map<int, ItemState> ShownMenu(const std::function<void()>& open, const std::vector<int>& commands) {
        std::map<int, ItemState> items;
        OnNextPopupMenu([&](HMENU menu) {
            for (int command : commands) items[command] = FindItem(menu, command);
        });
        open();
        // What the closed menu left in the queue runs before the next one opens.
        PumpMessages();
        EXPECT_TRUE(PopupMenuSeen());
        return items;
    }
};

// Each policy value, read when it matters: the menus show what it fixes
// greyed with the mark, the toolbar's button too with the reason as its tip,
// and the status bar says that the administrator's policy sets something.
// Taken away, everything is back as it was.
TEST_F(ManagedSettingsTest, MenusToolbarAndStatusBarFollowThePolicy) {
    struct Case {
        const char* name;
        PolicyList policy;
        bool onOff, waits, standard;  // disabled
    } cases[] = {
        {"no policy", {}, false, false, false},
        {"kept on", {{"ScreenSaveActive", "1"}}, true, false, false},
        {"waiting time", {{"ScreenSaveTimeOut", "900"}}, false, true, false},
        {"standard screen saver", {{"SCRNSAVE.EXE", "C:\\corp.scr"}}, false, false, true},
        {"password only", {{"ScreenSaverIsSecure", "1"}}, false, false, false},
        {"all", {{"ScreenSaveActive", "0"}, {"ScreenSaveTimeOut", "60"}, {"SCRNSAVE.EXE", "C:\\corp.scr"}}, true, true,
         true},
        {"taken away again", {}, false, false, false},
    };
    const std::string mark = "（管理者のポリシー）";
    const std::map<int, std::string> texts = {{kCmdSaverOff, "ｽｸﾘｰﾝｾｰﾊﾞｰを無効にする"},
                                              {kCmdSaverOn, "ｽｸﾘｰﾝｾｰﾊﾞｰを有効にする"},
                                              {kCmdWait5, "５分"},
                                              {kCmdSetStandard, "標準のｽｸﾘｰﾝｾｰﾊﾞｰに設定する(&D)"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Written while the program runs: nothing is kept from before.
        ScreenSaverPolicyValues policy(c.policy);
        auto expectItem = [&](const std::map<int, ItemState>& items, int command, bool disabled, const std::string& own) {
            const ItemState& item = items.at(command);
            ASSERT_TRUE(item.found) << command;
            EXPECT_EQ(item.grayed, disabled) << command;
            EXPECT_EQ(item.text, disabled ? own + mark : own) << command;
        };

        // The tray menu, and its submenu of waiting times.
        Command(kCmdEnterTray);
        std::map<int, ItemState> tray = ShownMenu([] { IconMouse(WM_RBUTTONDOWN); },
                                                  {kCmdSaverOff, kCmdSaverOn, kCmdWait5, kCmdSaverNow, kCmdDefrag});
        Command(kCmdLeaveTray);
        expectItem(tray, kCmdSaverOff, c.onOff, texts.at(kCmdSaverOff));
        expectItem(tray, kCmdSaverOn, c.onOff, texts.at(kCmdSaverOn));
        expectItem(tray, kCmdWait5, c.waits, texts.at(kCmdWait5));
        EXPECT_FALSE(tray.at(kCmdSaverNow).grayed);
        EXPECT_FALSE(tray.at(kCmdDefrag).grayed);

        // The main menu's option menu, opened from the keyboard.
        std::map<int, ItemState> options =
            ShownMenu([] { SendMessageA(MainWindow, WM_SYSCOMMAND, SC_KEYMENU, 'o'); }, {kCmdSetStandard, kCmdSettings});
        expectItem(options, kCmdSetStandard, c.standard, texts.at(kCmdSetStandard));
        EXPECT_FALSE(options.at(kCmdSettings).grayed);

        // The list's menu.
        std::map<int, ItemState> list = ShownMenu([] { ShowListPopupMenu(); }, {kCmdSetStandard, kCmdPreview});
        expectItem(list, kCmdSetStandard, c.standard, "標準のｽｸﾘｰﾝｾｰﾊﾞｰに設定する(&S)");
        EXPECT_FALSE(list.at(kCmdPreview).grayed);

        // The toolbar follows when the policy is applied (the system says so).
        SendMessageA(MainWindow, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"));
        EXPECT_EQ(SendMessageA(MainChildren.toolbar, TB_ISBUTTONENABLED, kCmdSetStandard, 0) != 0, !c.standard);
        EXPECT_EQ(Tooltip(kCmdSetStandard), c.standard ? LoadText(IDS_POLICY_STANDARD) : LoadText(IDS_TIP_SET_STANDARD));
        EXPECT_EQ(Tooltip(kCmdPreview), LoadText(IDS_TIP_PREVIEW));
        const bool any = c.onOff || c.waits || c.standard;
        EXPECT_EQ(StatusText(), any ? "スクリーンセーバーの設定の一部は管理者のポリシーで決められています" : "");
        // Over a disabled item the status bar says why.
        SendMessageA(MainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(GetMenu(MainWindow), 3)), 3);
        SendMessageA(MainWindow, WM_MENUSELECT, MAKEWPARAM(kCmdSetStandard, MF_STRING), 0);
        if (c.standard) {
            EXPECT_EQ(StatusText(), LoadText(IDS_POLICY_STANDARD));
        }
        SendMessageA(MainWindow, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    }
}

// A command that arrives all the same (a posted message, a toolbar not yet
// refreshed) is refused with the reason and changes nothing; "make
// standard" extracts nothing.
TEST_F(ManagedSettingsTest, FixedSettingsAreNotChangedByTheirCommands) {
    ScreenSaverPolicyValues policy({{"ScreenSaveActive", "1"}, {"ScreenSaveTimeOut", "600"}, {"SCRNSAVE.EXE", "C:\\corp.scr"}});
    AddRow(ArchivedProbe("lzh", "ArcProbe.scr"));
    SelectListRow(0);
    WriteStandardSaverEverywhere("C:\\BEFORE.SCR");
    StartWithActive(1);
    SystemParametersInfoA(SPI_SETSCREENSAVETIMEOUT, 120, nullptr, 0);
    struct Case {
        int command;
        unsigned reason;
    } cases[] = {{kCmdSaverOff, IDS_POLICY_ACTIVE}, {kCmdWait20, IDS_POLICY_TIMEOUT}, {kCmdSetStandard, IDS_POLICY_STANDARD}};
    for (const Case& c : cases) {
        DialogDriver driver;
        driver.On("Zelvista", [](HWND box) { ClickButton(box, IDOK); });
        Command(c.command);
        ASSERT_TRUE(driver.allHandled()) << c.command;
        EXPECT_EQ(driver.seen()[0].text, LoadText(c.reason));
    }
    EXPECT_EQ(IsScreenSaverActive(), 1);
    EXPECT_EQ(ScreenSaverActive, 1);
    int timeout = 0;
    SystemParametersInfoA(SPI_GETSCREENSAVETIMEOUT, 0, &timeout, 0);
    EXPECT_EQ(timeout, 120);
    EXPECT_EQ(DesktopStandardSaver(), "C:\\BEFORE.SCR");
    EXPECT_EQ(IniStandardSaver(), "C:\\BEFORE.SCR");
    EXPECT_TRUE(FolderEntries(AppPaths.SaverStoreFolder).empty()) << "nothing extracted";
    EXPECT_TRUE(WorkFolderFiles().empty());
}

// The random standard screen saver at start-up chooses and extracts nothing
// while the policy names the standard screen saver.
TEST_F(ManagedSettingsTest, NoRandomStandardScreenSaverUnderAPolicy) {
    for (bool fixed : {true, false}) {
        SCOPED_TRACE(fixed ? "policy" : "no policy");
        ScreenSaverPolicyValues policy(fixed ? PolicyList{{"SCRNSAVE.EXE", "C:\\corp.scr"}} : PolicyList{});
        DeleteAllEntryRows();
        AddRow(ArchivedProbe("lzh", "ArcProbe.scr"));
        ASSERT_EQ(SaveListFile(standardList().c_str()), SaveOutcome::Saved);
        EmptyFolder(AppPaths.SaverStoreFolder);
        WriteStandardSaverEverywhere("C:\\BEFORE.SCR");
        RestartWith({{"SscBgn", 1}});
        EXPECT_EQ(FolderEntries(AppPaths.SaverStoreFolder).empty(), fixed);
        EXPECT_EQ(DesktopStandardSaver() == "C:\\BEFORE.SCR", fixed);
    }
}

// The settings dialog: the random choice is disabled while the policy names
// the standard screen saver, and the pages say why in plain words, also
// what a policy that keeps the screen saver off means for immediate start
// and the changer.
TEST_F(ManagedSettingsTest, TheSettingsDialogSaysWhatThePolicyFixes) {
    struct Case {
        const char* name;
        PolicyList policy;
        bool randomEnabled;
        std::string cornerNote, changerNote;
    } cases[] = {
        {"no policy", {}, true, "", ""},
        {"standard screen saver", {{"SCRNSAVE.EXE", "C:\\corp.scr"}}, false, "", LoadText(IDS_POLICY_STANDARD_NOTE)},
        {"kept off", {{"ScreenSaveActive", "0"}}, true, LoadText(IDS_POLICY_CORNER_OFF), LoadText(IDS_POLICY_CHANGER_OFF)},
        {"kept on", {{"ScreenSaveActive", "1"}}, true, "", ""},
        {"both",
         {{"ScreenSaveActive", "0"}, {"SCRNSAVE.EXE", "C:\\corp.scr"}},
         false,
         LoadText(IDS_POLICY_CORNER_OFF),
         LoadText(IDS_POLICY_STANDARD_NOTE) + "\n" + LoadText(IDS_POLICY_CHANGER_OFF)},
    };
    WriteSettingInt(kSscBgn, 1);
    LoadSettings();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScreenSaverPolicyValues policy(c.policy);
        DialogDriver driver;
        driver.On("Zelvistaの設定", [&c](HWND d) {
            HWND tabs = GetDlgItem(d, IDC_SETTINGS_TABS);
            auto note = [d]() -> std::string {
                return IsWindowVisible(GetDlgItem(d, IDC_SET_POLICY_NOTE)) ? ControlText(d, IDC_SET_POLICY_NOTE) : "";
            };
            EXPECT_EQ(note(), "");
            ClickTab(tabs, 2);
            EXPECT_EQ(note(), c.cornerNote);
            EXPECT_TRUE(ControlEnabled(d, IDC_SET_CORNER_START));
            ClickTab(tabs, 3);
            EXPECT_EQ(note(), c.changerNote);
            EXPECT_EQ(ControlEnabled(d, IDC_SET_RANDOM_STANDARD), c.randomEnabled);
            EXPECT_TRUE(ControlEnabled(d, IDC_SET_CHANGER));
            // A disabled box keeps what the user chose: OK stores it as it was.
            EXPECT_EQ(IsDlgButtonChecked(d, IDC_SET_RANDOM_STANDARD), BST_CHECKED);
            ClickButton(d, IDOK);
        });
        Command(kCmdSettings);
        EXPECT_TRUE(driver.allHandled());
        int stored = 0;
        EXPECT_TRUE(ReadSettingInt(kSscBgn, &stored));
        EXPECT_EQ(stored, 1);
    }
}

// The changer knows the system's screen saver by the file the policy names,
// also when it has a window class of its own and the user's setting names
// another file.
TEST_F(ManagedSettingsTest, TheChangerKnowsThePolicysScreenSaver) {
    for (bool named : {true, false}) {
        SCOPED_TRACE(named ? "named by the policy" : "named by nobody");
        const std::string system = scratch_.path() + "Corp-ownclass.scr";
        ASSERT_TRUE(InstallProbe(system));
        ScreenSaverPolicyValues policy(named ? PolicyList{{"SCRNSAVE.EXE", ShortPathOf(system)}} : PolicyList{});
        WriteStandardSaverEverywhere("C:\\OTHER.SCR");
        RestartWith({{"SscTim", 1}, {"ChgTime", 1}, {"TimPtn", 1}});
        AddProbes({{"A-end500.scr", "5"}, {"B.scr", "5"}});
        StartWithActive(1);
        log_.Clear();
        const ProbeRun saver = StartSystemSaver("Corp-ownclass.scr");
        PumpMessagesUntil([] { return false; }, 3000);
        std::vector<std::string> expected{"Corp-ownclass.scr"};
        if (named) expected.push_back("A-end500.scr");
        EXPECT_EQ(RunNames(log_.Runs()), expected);
        EXPECT_EQ(ProcessEnded(saver.pid), named);
        EndSystemSaver(saver);
        DeleteAllEntryRows();
    }
}

}  // namespace
