// The editing commands of the list menu as one table of list states before
// and after (rows, selection, modified flag), and the switch seconds dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "adding_support.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "archive_support.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "list/switch_seconds_ids.h"
#include "support/fixture.h"
#include "support/input.h"
#include "support/ui.h"

namespace {

const char kLoose[] = "ｽｸﾘｰﾝｾｰﾊﾞｰ";

Row Loose(const std::string& name, const std::string& seconds = "0", const std::string& folder = "C:\\S\\") {
    return {name, seconds, folder, kLoose, ""};
}

class ListEditingTest : public MainWindowTest {
protected:
    void Start(const std::vector<Row>& rows, int selected) {
        NewList();
        for (const Row& row : rows) AddRow(row);
        SelectListRow(selected);
        CurrentList.Modified = 0;
    }
    ScratchFolder scratch_;
};

TEST_F(ListEditingTest, CommandsChangeTheListAsTheTableSays) {
    const Row a = Loose("a.scr"), b = Loose("b.scr"), c = Loose("c.scr");
    const Row a30 = Loose("a.scr", "30"), upperA = Loose("A.scr");
    const Row member = {"a.scr", "0", "C:\\S\\", "書庫(LZH)", "p.lzh"};
    const struct {
        const char* name;
        std::vector<Row> before;
        int selected;
        int command;
        std::vector<Row> after;
        int selectedAfter;
        int modified;
    } cases[] = {
        {"delete a middle row", {a, b, c}, 1, kCmdDeleteEntry, {a, c}, 1, 1},
        {"delete the last row", {a, b, c}, 2, kCmdDeleteEntry, {a, b}, 1, 1},
        {"delete the only row", {a}, 0, kCmdDeleteEntry, {}, -1, 1},
        {"delete with nothing selected", {a, b}, -1, kCmdDeleteEntry, {a, b}, -1, 0},
        {"duplicates: the top-most stays, seconds not compared", {a, b, a30, c, a}, 1, kCmdRemoveDuplicates,
         {a, b, c}, 1, 1},
        {"duplicates: the selected duplicate goes", {b, a, a30}, 2, kCmdRemoveDuplicates, {b, a}, -1, 1},
        {"duplicates: case, type and archive count", {a, upperA, member}, 0, kCmdRemoveDuplicates,
         {a, upperA, member}, 0, 0},
        {"duplicates: one row", {a}, 0, kCmdRemoveDuplicates, {a}, 0, 0},
        {"up from the middle", {a, b, c}, 1, kCmdMoveUp, {b, a, c}, 0, 1},
        {"up from the bottom keeps the row's own fields", {a, b, a30}, 2, kCmdMoveUp, {a, a30, b}, 1, 1},
        {"up from the top", {a, b, c}, 0, kCmdMoveUp, {a, b, c}, 0, 0},
        {"up with nothing selected", {a, b}, -1, kCmdMoveUp, {a, b}, -1, 0},
        {"down from the top", {a30, b, c}, 0, kCmdMoveDown, {b, a30, c}, 1, 1},
        {"down from the bottom", {a, b, c}, 2, kCmdMoveDown, {a, b, c}, 2, 0},
        {"down with nothing selected", {a, b}, -1, kCmdMoveDown, {a, b}, -1, 0},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        Start(t.before, t.selected);
        Command(t.command);
        EXPECT_EQ(ReadAllRows(), t.after);
        EXPECT_EQ(GetSelectedEntryRow(), t.selectedAfter);
        EXPECT_EQ(CurrentList.Modified, t.modified);
    }
}

// A row stays while its file, or its archive's file, exists; a folder of the
// same name counts; an archive that no longer holds the member still counts.
TEST_F(ListEditingTest, RemovingMissingFiles) {
    const std::string f = scratch_.path();
    MakeFile(f + "here.scr", "x");
    MakeFolder(f + "folder.scr");
    CopyArchiveFixture("lzh_noscr.lzh", f + "pack.lzh");
    const Row here = Loose("here.scr", "5", f), gone = Loose("gone.scr", "0", f), folder = Loose("folder.scr", "0", f);
    const Row member = {"old.scr", "0", f, "書庫(LZH)", "pack.lzh"};
    const Row lost = {"x.scr", "0", f, "書庫(ZIP)", "lost.zip"};
    const Row wild = Loose("*.scr", "0", f);
    const Row tooLong = Loose(std::string(250, 'n') + ".scr", "0", f);
    const struct {
        const char* name;
        std::vector<Row> before;
        std::vector<Row> after;
        int modified;
    } cases[] = {
        {"all exist", {here, folder, member}, {here, folder, member}, 0},
        {"missing ones go, the rest keep their order", {gone, here, lost, gone, member, wild, folder, tooLong},
         {here, member, folder}, 1},
        {"none exist", {gone, lost}, {}, 1},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        Start(t.before, -1);
        Command(kCmdRemoveMissing);
        EXPECT_EQ(ReadAllRows(), t.after);
        EXPECT_EQ(CurrentList.Modified, t.modified);
    }
}

// Dialog 4303 through command 6110: what it shows, what OK stores, Cancel,
// and the arrows wrapping at both ends.
TEST_F(ListEditingTest, SwitchSecondsDialog) {
    const struct {
        const char* name;
        std::string seconds;  // in the row before
        std::string shown;
        std::function<void(HWND edit)> act;  // then OK, unless `cancel`
        bool cancel;
        std::string stored;
    } cases[] = {
        {"unchanged", "30", "30", nullptr, false, "30"},
        {"zero shows zero", "0", "0", nullptr, false, "0"},
        {"an empty edit stores 0", "30", "30", [](HWND e) { SetWindowTextA(e, ""); }, false, "0"},
        {"007 stores 7", "30", "30", [](HWND e) { SetWindowTextA(e, "007"); }, false, "7"},
        {"Cancel after typing", "30", "30", [](HWND e) { SetWindowTextA(e, "45"); }, true, "30"},
        {"more than three characters: the first three", "12345", "123", nullptr, true, "12345"},
        {"OK stores what shows", "12345", "123", nullptr, false, "123"},
        {"no leading digits", "abc", "0", nullptr, false, "0"},
        {"a leading blank", " 30", "30", nullptr, false, "30"},
        {"a plus sign", "+7", "7", nullptr, false, "7"},
        {"a minus sign is the standard time", "-5", "0", nullptr, false, "0"},
        {"typed with a leading blank", "30", "30", [](HWND e) { SetWindowTextA(e, " 45"); }, false, "45"},
        {"typed with a sign", "30", "30", [](HWND e) { SetWindowTextA(e, "+8"); }, false, "8"},
        {"up from 999 wraps to 1", "999", "999", [](HWND e) { SendMessageA(e, WM_KEYDOWN, VK_UP, 0); }, false, "1"},
        {"down from 1 wraps to 999", "1", "1", [](HWND e) { SendMessageA(e, WM_KEYDOWN, VK_DOWN, 0); }, false, "999"},
        {"up from 41", "41", "41", [](HWND e) { SendMessageA(e, WM_KEYDOWN, VK_UP, 0); }, false, "42"},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        Start({Loose("a.scr"), Loose("b.scr", t.seconds), Loose("c.scr")}, 1);
        std::string shown;
        DialogDriver driver;
        driver.On("個別切替時間の設定", [&](HWND dialog) {
            HWND edit = GetDlgItem(dialog, IDC_SWITCH_SECONDS_EDIT);
            shown = ControlText(dialog, IDC_SWITCH_SECONDS_EDIT);
            if (t.act) t.act(edit);
            ClickButton(dialog, t.cancel ? IDCANCEL : IDOK);
        });
        Command(kCmdSwitchSeconds);
        EXPECT_TRUE(driver.allHandled());
        EXPECT_EQ(shown, t.shown);
        EXPECT_EQ(ReadAllRows()[1][1], t.stored);
        EXPECT_EQ(CurrentList.Modified, t.cancel ? 0 : 1);
        EXPECT_EQ(GetSelectedEntryRow(), 1);
    }
}

}  // namespace
