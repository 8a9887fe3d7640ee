// The settings dialog, used as a user uses it: its pages, the boxes that
// enable others, the standard switch seconds, OK and Cancel.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/tray.h"
#include "settings/settings.h"
#include "settings/settings_dialog.h"
#include "settings/settings_dialog_ids.h"
#include "support/controls.h"
#include "support/fixture.h"
#include "support/input.h"
#include "system/changer.h"
#include "system/corner_timer.h"

namespace {

const std::string kCaption = "Zelvistaの設定";
const std::string kErrorCaption = "標準切替秒数エラー";
const std::string kErrorText = "1～999の値を入力して下さい。";

// The option controls of each page.
const std::set<int> kPages[] = {
    {IDC_SET_END_SAVE, IDC_SET_TRAY_AT_START},
    {IDC_SET_SECONDS_LABEL, IDC_SET_SECONDS, IDC_SET_SECONDS_SPIN, IDC_SET_ON_TOP, IDC_SET_LOOP},
    {IDC_SET_CORNER_START, IDC_SET_CORNER_GROUP, IDC_SET_TOP_LEFT, IDC_SET_TOP_RIGHT, IDC_SET_BOTTOM_LEFT,
     IDC_SET_BOTTOM_RIGHT, IDC_SET_FULL_SCREEN},
    {IDC_SET_RANDOM_STANDARD, IDC_SET_CHANGER, IDC_SET_ORDER_GROUP, IDC_SET_IN_ORDER, IDC_SET_AT_RANDOM},
};
const char* const kPageTitles[] = {"起動", "再生", "即時起動", "チェンジャー"};
// Every check box and radio button.
const int kTickables[] = {IDC_SET_END_SAVE, IDC_SET_TRAY_AT_START, IDC_SET_ON_TOP, IDC_SET_LOOP,
                          IDC_SET_CORNER_START, IDC_SET_TOP_LEFT, IDC_SET_TOP_RIGHT, IDC_SET_BOTTOM_LEFT,
                          IDC_SET_BOTTOM_RIGHT, IDC_SET_FULL_SCREEN, IDC_SET_RANDOM_STANDARD, IDC_SET_CHANGER,
                          IDC_SET_IN_ORDER, IDC_SET_AT_RANDOM};

const char* const kOptionNames[] = {kEndSave, kZOrder, kLopPlay, kChgTime, kTskTray,
                                    kScrSave, kSSPos,  kSscBgn,  kSscTim,  kTimPtn, kFulScr};
using Stored = std::map<std::string, int>;

// The option values in the registry; absent ones are left out.
Stored StoredOptions() {
    Stored stored;
    for (const char* name : kOptionNames) {
        int value = 0;
        if (ReadSettingInt(name, &value)) stored[name] = value;
    }
    return stored;
}

void Store(const Stored& values) {
    for (const auto& [name, value] : values) WriteSettingInt(name.c_str(), value);
}

// The timer calls the dialog makes, each with the settings record as it was then.
struct TimerCall {
    std::string name;
    HWND owner;
    int ChgTime, ScrSave, SscTim;
};
std::vector<TimerCall> timerCalls;
void RecordCall(const char* name, HWND owner) {
    timerCalls.push_back({name, owner, AppSettings.ChgTime, AppSettings.ScrSave, AppSettings.SscTim});
}
const OptionTimers kRecordingTimers{
    [](HWND owner) { RecordCall("start corner", owner); },
    [](HWND owner) { RecordCall("stop corner", owner); },
    [](HWND owner) { RecordCall("start changer", owner); },
    [](HWND owner) { RecordCall("stop changer", owner); },
};

HWND Tabs(HWND dialog) {
    return GetDlgItem(dialog, IDC_SETTINGS_TABS);
}
HWND SecondsField(HWND dialog) {
    return GetDlgItem(dialog, IDC_SET_SECONDS);
}
bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}
int SelectedPage(HWND dialog) {
    return static_cast<int>(SendMessageA(Tabs(dialog), TCM_GETCURSEL, 0, 0));
}
std::set<int> VisibleOptionControls(HWND dialog) {
    std::set<int> visible;
    for (const std::set<int>& page : kPages)
        for (int id : page)
            if (IsWindowVisible(GetDlgItem(dialog, id))) visible.insert(id);
    return visible;
}
void ExpectPageShown(HWND dialog, int page) {
    EXPECT_EQ(SelectedPage(dialog), page);
    EXPECT_EQ(VisibleOptionControls(dialog), kPages[page]) << "page " << page;
    for (int id : {IDOK, IDCANCEL, IDC_SETTINGS_TABS}) EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, id))) << id;
}
void ExpectEnabledRange(HWND dialog, int first, int last, bool enabled) {
    for (int id = first; id <= last; ++id) EXPECT_EQ(ControlEnabled(dialog, id), enabled) << id;
}

class SettingsDialogTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        timerCalls.clear();
    }
    // Opens the dialog as the menu does; returns when it has closed.
    static void OpenFromMenu() { SendMessageA(MainWindow, WM_COMMAND, kCmdSettings, 0); }
    static void OpenWithRecordingTimers() { ShowSettingsDialog(MainWindow, kRecordingTimers); }
    // Opens the dialog from the menu for `use`, which ends by leaving it.
    static void UseDialog(std::function<void(HWND)> use) {
        DialogDriver driver;
        driver.On(kCaption, std::move(use));
        OpenFromMenu();
        EXPECT_TRUE(driver.allHandled());
    }
    // The record as the program holds it after loading the given values.
    static void StartWith(const Stored& values) {
        DeleteSettingsKey();
        Store(values);
        LoadSettings();
    }
};

TEST_F(SettingsDialogTest, OpensOnTheFirstPageShowingTheRecord) {
    struct Case {
        const char* name;
        Stored stored;
        std::set<int> ticked;
        const char* seconds;
    } cases[] = {
        // Settings stored before the full-screen option existed mean it is on.
        {"first start", {}, {IDC_SET_BOTTOM_RIGHT, IDC_SET_FULL_SCREEN, IDC_SET_IN_ORDER}, "30"},
        {"everything on",
         {{kEndSave, 1}, {kZOrder, 1}, {kLopPlay, 1}, {kTskTray, 1}, {kScrSave, 1}, {kSSPos, 2}, {kSscBgn, 1},
          {kSscTim, 1}, {kTimPtn, 2}, {kChgTime, 45}, {kFulScr, 1}},
         {IDC_SET_END_SAVE, IDC_SET_TRAY_AT_START, IDC_SET_ON_TOP, IDC_SET_LOOP, IDC_SET_CORNER_START,
          IDC_SET_TOP_RIGHT, IDC_SET_FULL_SCREEN, IDC_SET_RANDOM_STANDARD, IDC_SET_CHANGER, IDC_SET_AT_RANDOM},
         "45"},
        // Each box shows what the program makes of the value: some options
        // are on only at 1, others at anything but 0.
        {"hand-edited values",
         {{kEndSave, 2}, {kZOrder, 2}, {kLopPlay, 2}, {kTskTray, 2}, {kScrSave, 2}, {kSSPos, 5}, {kSscBgn, 5},
          {kSscTim, 2}, {kTimPtn, 3}, {kChgTime, 999}, {kFulScr, 0}},
         {IDC_SET_ON_TOP, IDC_SET_RANDOM_STANDARD},
         "999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartWith(c.stored);
        UseDialog([&c](HWND d) {
            for (int id : kTickables) EXPECT_EQ(Checked(d, id), c.ticked.count(id) == 1) << id;
            EXPECT_EQ(ControlText(d, IDC_SET_SECONDS), c.seconds);
            EXPECT_EQ(SendDlgItemMessageA(d, IDC_SET_SECONDS_SPIN, UDM_GETPOS32, 0, 0), std::atoi(c.seconds));
            ExpectPageShown(d, 0);
            ASSERT_EQ(SendMessageA(Tabs(d), TCM_GETITEMCOUNT, 0, 0), 4);
            for (int page = 0; page < 4; ++page) {
                wchar_t title[32] = L"";
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = title;
                item.cchTextMax = 32;
                SendMessageW(Tabs(d), TCM_GETITEMW, page, reinterpret_cast<LPARAM>(&item));
                EXPECT_EQ(Text932(title), kPageTitles[page]);
            }
            ExpectEnabledRange(d, IDC_SET_CORNER_GROUP, IDC_SET_FULL_SCREEN,
                               c.ticked.count(IDC_SET_CORNER_START) == 1);
            ExpectEnabledRange(d, IDC_SET_ORDER_GROUP, IDC_SET_AT_RANDOM, c.ticked.count(IDC_SET_CHANGER) == 1);
            EXPECT_TRUE(ControlEnabled(d, IDC_SET_RANDOM_STANDARD));
            ClickButton(d, IDCANCEL);
        });
        // Like every command, it gives the focus back to the list.
        EXPECT_EQ(GetFocus(), MainChildren.listView);
    }
}

TEST_F(SettingsDialogTest, EachPageShowsOnlyItsOwnControls) {
    UseDialog([](HWND d) {
        for (int page : {1, 2, 3, 0, 2}) {
            ClickTab(Tabs(d), page);
            ExpectPageShown(d, page);
        }
        // The arrow keys on the tabs turn the pages too.
        SendMessageA(Tabs(d), WM_KEYDOWN, VK_RIGHT, 0);
        ExpectPageShown(d, 3);
        SendMessageA(Tabs(d), WM_KEYDOWN, VK_LEFT, 0);
        ExpectPageShown(d, 2);
        ClickButton(d, IDCANCEL);
    });
}

TEST_F(SettingsDialogTest, MasterBoxesEnableTheirControlsAtOnce) {
    UseDialog([](HWND d) {
        ClickTab(Tabs(d), 2);
        for (bool on : {true, false, true}) {
            ClickControl(d, IDC_SET_CORNER_START);
            ExpectEnabledRange(d, IDC_SET_CORNER_GROUP, IDC_SET_FULL_SCREEN, on);
        }
        ClickTab(Tabs(d), 3);
        for (bool on : {true, false}) {
            ClickControl(d, IDC_SET_CHANGER);
            ExpectEnabledRange(d, IDC_SET_ORDER_GROUP, IDC_SET_AT_RANDOM, on);
            // The random standard screen saver does not depend on the changer.
            EXPECT_TRUE(ControlEnabled(d, IDC_SET_RANDOM_STANDARD));
        }
        ClickControl(d, IDC_SET_RANDOM_STANDARD);
        ExpectEnabledRange(d, IDC_SET_ORDER_GROUP, IDC_SET_AT_RANDOM, false);
        ClickButton(d, IDCANCEL);
    });
}

TEST_F(SettingsDialogTest, UpDownStepsTheSecondsAndWrapsAtBothEnds) {
    struct Step {
        const char* typed;
        const char* how;
        std::function<void(HWND)> step;
        const char* shown;
    };
    auto key = [](WORD vk) { return [vk](HWND d) { SendMessageA(SecondsField(d), WM_KEYDOWN, vk, 0); }; };
    auto arrow = [](bool up) {
        return [up](HWND d) { ClickUpDown(GetDlgItem(d, IDC_SET_SECONDS_SPIN), up); };
    };
    const Step steps[] = {
        {"45", "up key", key(VK_UP), "46"},           {"45", "down key", key(VK_DOWN), "44"},
        {"999", "up key", key(VK_UP), "1"},           {"1", "down key", key(VK_DOWN), "999"},
        {"998", "upper arrow", arrow(true), "999"},   {"999", "upper arrow", arrow(true), "1"},
        {"1", "lower arrow", arrow(false), "999"},    {"2", "lower arrow", arrow(false), "1"},
    };
    UseDialog([&steps](HWND d) {
        ClickTab(Tabs(d), 1);
        for (const Step& s : steps) {
            TypeText(SecondsField(d), s.typed);
            s.step(d);
            EXPECT_EQ(ControlText(d, IDC_SET_SECONDS), s.shown) << s.typed << ", " << s.how;
        }
        // The field takes three digits at most.
        TypeText(SecondsField(d), "1234");
        EXPECT_EQ(ControlText(d, IDC_SET_SECONDS), "123");
        ClickButton(d, IDCANCEL);
    });
}

// Nothing is stored until the field holds 1 to 999; the message says so and
// the field comes back into view with the focus.
TEST_F(SettingsDialogTest, ZeroOrEmptySecondsAreRefusedUntilCorrected) {
    struct Case {
        const char* typed;
        bool leavePage;  // the user goes to the first page before OK
    } cases[] = {{"0", false}, {"", false}, {"000", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
        StartWith({});
        HWND dialog = nullptr;
        DialogDriver driver;
        driver.On(kCaption, [&](HWND d) {
            dialog = d;
            ClickTab(Tabs(d), 1);
            TypeText(SecondsField(d), c.typed);
            if (c.leavePage) ClickTab(Tabs(d), 0);
            ClickButton(d, IDOK);
        });
        driver.On(kErrorCaption, [&](HWND box) {
            EXPECT_EQ(GetWindow(box, GW_OWNER), dialog);
            ClickButton(box, IDOK);
        });
        driver.On(kCaption, [](HWND d) {
            EXPECT_TRUE(StoredOptions().empty());
            ExpectPageShown(d, 1);
            EXPECT_EQ(GetFocus(), SecondsField(d));
            TypeText(SecondsField(d), "45");
            ClickButton(d, IDOK);
        });
        OpenWithRecordingTimers();
        ASSERT_TRUE(driver.allHandled());
        ASSERT_EQ(driver.seen().size(), 3u);
        EXPECT_EQ(driver.seen()[1].text, kErrorText);
        EXPECT_EQ(StoredOptions()[kChgTime], 45);
        EXPECT_EQ(AppSettings.ChgTime, 45);
    }
}

// The whole way as a user goes it: every option changed on its page, OK,
// and the corner and changer timers follow the new options at once.
TEST_F(SettingsDialogTest, OkStoresEveryOptionAndBothTimersFollow) {
    POINT savedCursor{};
    GetCursorPos(&savedCursor);
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, 1, nullptr, 0);

    UseDialog([](HWND d) {
        for (int id : {IDC_SET_END_SAVE, IDC_SET_TRAY_AT_START}) ClickControl(d, id);
        ClickTab(Tabs(d), 1);
        TypeText(SecondsField(d), "45");
        for (int id : {IDC_SET_ON_TOP, IDC_SET_LOOP}) ClickControl(d, id);
        ClickTab(Tabs(d), 2);
        for (int id : {IDC_SET_CORNER_START, IDC_SET_TOP_LEFT}) ClickControl(d, id);
        ClickTab(Tabs(d), 3);
        for (int id : {IDC_SET_RANDOM_STANDARD, IDC_SET_CHANGER, IDC_SET_AT_RANDOM}) ClickControl(d, id);
        ClickButton(d, IDOK);
    });
    const Stored allOn{{kEndSave, 1}, {kZOrder, 1}, {kLopPlay, 1}, {kChgTime, 45}, {kTskTray, 1}, {kScrSave, 1},
                       {kSSPos, 1},   {kSscBgn, 1}, {kSscTim, 1},  {kTimPtn, 2},   {kFulScr, 1}};
    EXPECT_EQ(StoredOptions(), allOn);
    const Settings& s = AppSettings;
    EXPECT_EQ((std::vector<int>{s.EndSave, s.ZOrder, s.LopPlay, s.ChgTime, s.TskTray, s.ScrSave, s.SSPos, s.SscBgn,
                                s.SscTim, s.TimPtn}),
              (std::vector<int>{1, 1, 1, 45, 1, 1, 1, 1, 1, 2}));

    // The changer's timer runs with the new period of 45 seconds.
    EXPECT_EQ(Changer.options.SscTim, 1);
    EXPECT_EQ(Changer.options.ChgTime, 45);
    EXPECT_TRUE(KillTimer(MainWindow, kChangerTimerId));
    StartChangerTimer(MainWindow);
    // The corner timer runs, watching the newly chosen top left corner.
    MessageRecorder recorder(false, true);
    SetCursorPos(0, 0);
    EXPECT_TRUE(PumpMessagesUntil([&] { return !recorder.systemCommands.empty(); }, 3000));
    EXPECT_EQ(recorder.systemCommands, std::vector<WPARAM>{SC_SCREENSAVE});

    // Everything off again: both timers stop; the radio choices stay.
    UseDialog([](HWND d) {
        for (int id : {IDC_SET_END_SAVE, IDC_SET_TRAY_AT_START}) ClickControl(d, id);
        ClickTab(Tabs(d), 1);
        TypeText(SecondsField(d), "7");
        for (int id : {IDC_SET_ON_TOP, IDC_SET_LOOP}) ClickControl(d, id);
        ClickTab(Tabs(d), 2);
        for (int id : {IDC_SET_FULL_SCREEN, IDC_SET_CORNER_START}) ClickControl(d, id);
        ClickTab(Tabs(d), 3);
        for (int id : {IDC_SET_RANDOM_STANDARD, IDC_SET_CHANGER}) ClickControl(d, id);
        ClickButton(d, IDOK);
    });
    const Stored allOff{{kEndSave, 0}, {kZOrder, 0}, {kLopPlay, 0}, {kChgTime, 7}, {kTskTray, 0}, {kScrSave, 0},
                        {kSSPos, 1},   {kSscBgn, 0}, {kSscTim, 0}, {kTimPtn, 2}, {kFulScr, 0}};
    EXPECT_EQ(StoredOptions(), allOff);
    EXPECT_EQ(AppSettings.ChgTime, 7);
    EXPECT_FALSE(KillTimer(MainWindow, kCornerTimerId));
    EXPECT_FALSE(KillTimer(MainWindow, kChangerTimerId));

    SetCursorPos(savedCursor.x, savedCursor.y);
}

// Both timers are set again after the record has been reloaded, so the
// changer's period is the new one; a timer whose option is off is stopped.
TEST_F(SettingsDialogTest, OkSetsBothTimersAgainWithTheNewSettings) {
    struct Case {
        bool corner, changer;
    } cases[] = {{true, true}, {false, false}, {true, false}, {false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("corner ") + (c.corner ? "on" : "off") + ", changer " + (c.changer ? "on" : "off"));
        StartWith({{kScrSave, c.corner ? 0 : 1}, {kSscTim, c.changer ? 0 : 1}});
        timerCalls.clear();
        DialogDriver driver;
        driver.On(kCaption, [](HWND d) {
            ClickTab(Tabs(d), 1);
            TypeText(SecondsField(d), "45");
            ClickTab(Tabs(d), 2);
            ClickControl(d, IDC_SET_CORNER_START);
            ClickTab(Tabs(d), 3);
            ClickControl(d, IDC_SET_CHANGER);
            ClickButton(d, IDOK);
        });
        OpenWithRecordingTimers();
        ASSERT_TRUE(driver.allHandled());
        std::vector<std::string> expected{"start corner", "start changer"};
        if (!c.corner) expected.push_back("stop corner");
        if (!c.changer) expected.push_back("stop changer");
        std::vector<std::string> names;
        for (const TimerCall& call : timerCalls) {
            names.push_back(call.name);
            EXPECT_EQ(call.owner, MainWindow);
            EXPECT_EQ(call.ChgTime, 45);
            EXPECT_EQ(call.ScrSave, c.corner ? 1 : 0);
            EXPECT_EQ(call.SscTim, c.changer ? 1 : 0);
        }
        EXPECT_EQ(names, expected);
    }
}

// However the dialog is left without OK, the registry, the record and the
// timers stay as they were, whatever was changed in it.
TEST_F(SettingsDialogTest, CancelKeepsRegistryRecordAndTimers) {
    struct Way {
        const char* name;
        std::function<void(HWND)> leave;
    } ways[] = {
        {"Cancel button", [](HWND d) { ClickButton(d, IDCANCEL); }},
        {"Esc key", [](HWND) { SendKeyPress({}, VK_ESCAPE); }},
        {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    const Stored stored{{kEndSave, 1}, {kZOrder, 1}, {kLopPlay, 1}, {kChgTime, 45}, {kTskTray, 1},
                        {kScrSave, 1}, {kSSPos, 2},  {kSscBgn, 1},  {kSscTim, 1},   {kTimPtn, 2}};
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        StartWith(stored);
        const Settings before = AppSettings;
        timerCalls.clear();
        DialogDriver driver;
        driver.On(kCaption, [&way](HWND d) {
            for (int id : {IDC_SET_END_SAVE, IDC_SET_TRAY_AT_START}) ClickControl(d, id);
            ClickTab(Tabs(d), 1);
            TypeText(SecondsField(d), "7");
            for (int id : {IDC_SET_ON_TOP, IDC_SET_LOOP}) ClickControl(d, id);
            ClickTab(Tabs(d), 2);
            for (int id : {IDC_SET_BOTTOM_LEFT, IDC_SET_FULL_SCREEN, IDC_SET_CORNER_START}) ClickControl(d, id);
            ClickTab(Tabs(d), 3);
            for (int id : {IDC_SET_IN_ORDER, IDC_SET_RANDOM_STANDARD, IDC_SET_CHANGER}) ClickControl(d, id);
            way.leave(d);
        });
        OpenWithRecordingTimers();
        EXPECT_TRUE(driver.allHandled());
        EXPECT_EQ(StoredOptions(), stored);
        EXPECT_EQ(std::memcmp(&AppSettings, &before, sizeof before), 0);
        EXPECT_TRUE(timerCalls.empty());
    }
}

TEST_F(SettingsDialogTest, OpensFromTheMainMenuAndTheTrayMenu) {
    DialogDriver driver;
    auto cancel = [](HWND d) { ClickButton(d, IDCANCEL); };
    // "ｵﾌﾟｼｮﾝ(&O)", then "設定(&S)".
    driver.On(kCaption, cancel);
    OnNextPopupMenu(nullptr, 's');
    SendKeyPress({VK_MENU}, 'O');
    EXPECT_TRUE(PumpMessagesUntil([&driver] { return driver.allHandled(); }, 5000));
    EXPECT_TRUE(PopupMenuSeen());
    // From the tray: "プレイヤーの設定(&S)".
    SendMessageA(MainWindow, WM_COMMAND, kCmdEnterTray, 0);
    driver.On(kCaption, cancel);
    OnNextPopupMenu(nullptr, 's');
    SendMessageA(MainWindow, kTrayMessage, kTrayIconId, WM_RBUTTONDOWN);
    PumpMessages();
    EXPECT_TRUE(PopupMenuSeen());
    EXPECT_TRUE(driver.allHandled());
    SendMessageA(MainWindow, WM_COMMAND, kCmdLeaveTray, 0);
}

// The tray menu stays reachable while the dialog is open; choosing the
// settings there again brings no second dialog.
TEST_F(SettingsDialogTest, OnlyOneDialogAtATime) {
    SendMessageA(MainWindow, WM_COMMAND, kCmdEnterTray, 0);
    DialogDriver driver;
    driver.On(kCaption, [&driver](HWND) {
        OnNextPopupMenu(nullptr, 's');
        SendMessageA(MainWindow, kTrayMessage, kTrayIconId, WM_RBUTTONDOWN);
        EXPECT_TRUE(PopupMenuSeen());
        // Looked at once the chosen command has been carried out.
        driver.On(kCaption, [](HWND d) {
            int open = 0;
            EnumThreadWindows(
                GetCurrentThreadId(),
                [](HWND w, LPARAM count) -> BOOL {
                    if (IsWindowVisible(w) && WindowText932(w) == kCaption) ++*reinterpret_cast<int*>(count);
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&open));
            EXPECT_EQ(open, 1);
            ClickButton(d, IDCANCEL);
        });
    });
    OpenFromMenu();
    EXPECT_TRUE(driver.allHandled());
    SendMessageA(MainWindow, WM_COMMAND, kCmdLeaveTray, 0);
}

}  // namespace
