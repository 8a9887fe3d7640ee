// The list view: columns, row access and the column sort.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "app/main_window.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "support/controls.h"
#include "support/fixture.h"

namespace {

using EntryListTest = MainWindowTest;

void ClickColumn(int column) {
    NMLISTVIEW nm{};
    nm.hdr.hwndFrom = EntryListView;
    nm.hdr.idFrom = kEntryListViewId;
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    nm.iSubItem = column;
    SendMessageA(MainWindow, WM_NOTIFY, kEntryListViewId, reinterpret_cast<LPARAM>(&nm));
}

std::vector<std::string> Column(int c) {
    std::vector<std::string> out;
    for (const Row& r : ReadAllRows()) out.push_back(r[c]);
    return out;
}

Row Named(const std::string& name, const std::string& seconds = "0") {
    return {name, seconds, "C:\\s\\", "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""};
}

TEST_F(EntryListTest, ColumnsHaveHeadersAndWidths) {
    const char* headers[] = {"名前", "切替秒数", "フォルダ名", "ファイルの種類", "書庫ファイル名"};
    const int widths[] = {150, 70, 80, 90, 100};
    for (int i = 0; i < 5; ++i) {
        wchar_t text[64] = L"";
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = text;
        col.cchTextMax = 64;
        ASSERT_TRUE(SendMessageW(EntryListView, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&col)));
        EXPECT_EQ(Text932(text), headers[i]);
        EXPECT_EQ(col.cx, widths[i]);
    }
    LONG style = GetWindowLongA(EntryListView, GWL_STYLE);
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_TRUE(SendMessageA(EntryListView, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
}

TEST_F(EntryListTest, ListSitsBetweenToolbarAndStatusBar) {
    RECT client, list;
    GetClientRect(MainWindow, &client);
    GetWindowRect(EntryListView, &list);
    MapWindowPoints(nullptr, MainWindow, reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.left, 0);
    EXPECT_EQ(list.top, 28);
    EXPECT_EQ(list.right, client.right);
    // 19 pixels above the bottom, or above the status bar where its font
    // makes it higher than that.
    RECT status;
    GetWindowRect(GetDlgItem(MainWindow, kStatusBarId), &status);
    MapWindowPoints(nullptr, MainWindow, reinterpret_cast<POINT*>(&status), 2);
    EXPECT_EQ(list.bottom, std::min(client.bottom - 19, status.top));
}

TEST_F(EntryListTest, InsertAtIndexMovesLaterRows) {
    AddRow(Named("a.scr"));
    AddRow(Named("c.scr"));
    Row b = Named("b.scr");
    for (int c = 0; c < 5; ++c) strcpy(EntryField(CurrentEntry, c), b[c].c_str());
    InsertEntryRow(1);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"a.scr", "b.scr", "c.scr"}));
    SetEntryRowText(2, 1, "45");
    ReadEntryRow(2);
    EXPECT_STREQ(CurrentEntry.seconds, "45");
}

TEST_F(EntryListTest, SortAscendingDescendingAscendingByBytes) {
    // Byte order: ASCII, double-byte characters with lead bytes 0x81-0x9F, then half-width katakana.
    for (const char* n : {"ﾈｺ.scr", "b.scr", "猫.scr", "A.scr", "あ.scr", "a.scr"}) AddRow(Named(n));
    CurrentList.Modified = 0;
    SelectListRow(2);  // "猫.scr"
    std::vector<std::string> ascending{"A.scr", "a.scr", "b.scr", "あ.scr", "猫.scr", "ﾈｺ.scr"};
    std::vector<std::string> descending(ascending.rbegin(), ascending.rend());
    ClickColumn(0);
    EXPECT_EQ(Column(0), ascending);
    ClickColumn(0);
    EXPECT_EQ(Column(0), descending);
    ClickColumn(0);
    EXPECT_EQ(Column(0), ascending);
    EXPECT_EQ(CurrentList.Modified, 0);
    ASSERT_EQ(GetSelectedEntryRow(), 4);  // the selection followed its row
    ReadEntryRow(4);
    EXPECT_STREQ(CurrentEntry.name, "猫.scr");
}

TEST_F(EntryListTest, SecondsSortAsTextAndColumnsKeepOwnDirection) {
    AddRow(Named("x.scr", "9"));
    AddRow(Named("y.scr", "10"));
    AddRow(Named("z.scr", "100"));
    ClickColumn(1);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"10", "100", "9"}));
    ClickColumn(0);  // first click on another column: ascending
    EXPECT_EQ(Column(0), (std::vector<std::string>{"x.scr", "y.scr", "z.scr"}));
    ClickColumn(1);  // column 1 goes on from its own direction
    EXPECT_EQ(Column(1), (std::vector<std::string>{"9", "100", "10"}));
}

TEST_F(EntryListTest, SortAfterRowsMovedDeletedAndAdded) {
    for (const char* n : {"d.scr", "b.scr", "f.scr", "a.scr"}) AddRow(Named(n));
    // Move "f.scr" to the top the way list editing does: read, delete, insert.
    ReadEntryRow(2);
    SendMessageA(EntryListView, LVM_DELETEITEM, 2, 0);
    InsertEntryRow(0);
    SendMessageA(EntryListView, LVM_DELETEITEM, 1, 0);  // "d.scr"
    AddRow(Named("c.scr"));
    AddRow(Named("e.scr"));
    ReadEntryRow(0);
    InsertEntryRow(3);  // a second "f.scr", inserted from a read row
    ClickColumn(0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"a.scr", "b.scr", "c.scr", "e.scr", "f.scr", "f.scr"}));
    ClickColumn(0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"f.scr", "f.scr", "e.scr", "c.scr", "b.scr", "a.scr"}));
}

// Rows whose texts are equal in the sorted column stay in the order they had
// before the sort, in both directions. The others go by unsigned bytes: "B"
// before "a", "~" (0x7E) before the full-width space (0x81 0x40), "猫" (0x94
// 0x4C) before "表" (0x95 0x5C, a trail byte that is a backslash).
TEST_F(EntryListTest, EqualTextsKeepTheirOrderInBothDirections) {
    struct Case {
        const char* name;
        const char* seconds;
    } const rows[] = {{"b.scr", "1"}, {"表.scr", "2"}, {"a.scr", "3"}, {"B.scr", "4"}, {"b.scr", "5"},
                      {"　.scr", "6"}, {"a.scr", "7"}, {"~.scr", "8"}, {"表.scr", "9"}, {"猫.scr", "10"}};
    for (const Case& r : rows) AddRow(Named(r.name, r.seconds));
    ClickColumn(0);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"4", "3", "7", "1", "5", "8", "6", "10", "2", "9"}));
    ClickColumn(0);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"2", "9", "10", "6", "8", "1", "5", "3", "7", "4"}));
    // A column where every text is the same leaves the rows as they are.
    const std::vector<std::string> before = Column(1);
    ClickColumn(3);
    EXPECT_EQ(Column(1), before);
    ClickColumn(3);
    EXPECT_EQ(Column(1), before);
}

TEST_F(EntryListTest, SortingEmptyOrSingleListChangesNothing) {
    ClickColumn(3);
    EXPECT_EQ(GetEntryRowCount(), 0);
    AddRow(Named("only.scr"));
    ClickColumn(3);
    EXPECT_EQ(Column(0), std::vector<std::string>{"only.scr"});
}

TEST_F(EntryListTest, DoubleClickWithoutSelectionDoesNothing) {
    AddRow(Named("a.scr"));
    NMHDR nm{EntryListView, static_cast<UINT_PTR>(kEntryListViewId), static_cast<UINT>(NM_DBLCLK)};
    SendMessageA(MainWindow, WM_NOTIFY, kEntryListViewId, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(SelectedEntryRow, -1);
}

}  // namespace
