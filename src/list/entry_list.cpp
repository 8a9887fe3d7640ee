#include "list/entry_list.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/main_window.h"
#include "play/launch.h"

ScreenSaverEntry CurrentEntry;
int SelectedEntryRow = -1;
HWND EntryListView;
int SortDirection[kEntryFieldCount];

const char kLooseSaverType[] = "ｽｸﾘｰﾝｾｰﾊﾞｰ";

namespace {

struct ColumnSpec {
    const char* header;
    int width;
};
const ColumnSpec kColumns[kEntryFieldCount] = {
    {"名前", 150}, {"切替秒数", 70}, {"フォルダ名", 80}, {"ファイルの種類", 90}, {"書庫ファイル名", 100},
};

// Every row gets an item parameter that is never given to another row, so the
// sort can tell rows apart however they were moved, deleted or added.
LPARAM nextRowId = 1;

// Texts of the sorted column, read once per sort and keyed by row parameter:
// the list view moves rows while it sorts, so row indices are no use then.
struct SortContext {
    std::unordered_map<LPARAM, const char*> textOf;
    int column = 0;
};
SortContext* activeSort;

}  // namespace

char* EntryField(ScreenSaverEntry& entry, int column) {
    switch (column) {
    case 0: return entry.name;
    case 1: return entry.seconds;
    case 2: return entry.folder;
    case 3: return entry.type;
    default: return entry.archive;
    }
}

HWND CreateEntryListView() {
    EntryListView = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                    WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 0, 0, 0, 0,
                                    MainWindow, reinterpret_cast<HMENU>(kEntryListViewId), AppInstance,
                                    nullptr);
    if (!EntryListView) return nullptr;
    LRESULT ex = SendMessageA(EntryListView, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    SendMessageA(EntryListView, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ex | LVS_EX_FULLROWSELECT);
    for (int i = 0; i < kEntryFieldCount; ++i) {
        LVCOLUMNA col{};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        col.fmt = LVCFMT_LEFT;
        col.cx = kColumns[i].width;
        col.pszText = const_cast<char*>(kColumns[i].header);
        col.iSubItem = i;
        SendMessageA(EntryListView, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
    }
    return EntryListView;
}

void ReadEntryRow(int row) {
    for (int c = 0; c < kEntryFieldCount; ++c) {
        char* field = EntryField(CurrentEntry, c);
        LVITEMA item{};
        item.iSubItem = c;
        item.pszText = field;
        item.cchTextMax = 256;
        field[0] = '\0';
        SendMessageA(EntryListView, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        field[255] = '\0';
    }
}

void InsertEntryRow(int row) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = CurrentEntry.name;
    item.lParam = nextRowId++;
    int at = static_cast<int>(SendMessageA(EntryListView, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (at < 0) return;
    for (int c = 1; c < kEntryFieldCount; ++c) SetEntryRowText(at, c, EntryField(CurrentEntry, c));
}

void SetEntryRowText(int row, int column, const char* text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    SendMessageA(EntryListView, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

int GetEntryRowCount() {
    return static_cast<int>(SendMessageA(EntryListView, LVM_GETITEMCOUNT, 0, 0));
}

int GetSelectedEntryRow() {
    SelectedEntryRow = static_cast<int>(SendMessageA(EntryListView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                     MAKELPARAM(LVNI_SELECTED, 0)));
    return SelectedEntryRow;
}

void DeleteAllEntryRows() {
    SendMessageA(EntryListView, LVM_DELETEALLITEMS, 0, 0);
}

int CALLBACK CompareEntryRows(LPARAM first, LPARAM second, LPARAM column) {
    if (!activeSort || column < 0 || column >= kEntryFieldCount) return 0;
    auto a = activeSort->textOf.find(first);
    auto b = activeSort->textOf.find(second);
    if (a == activeSort->textOf.end() || b == activeSort->textOf.end()) return 0;
    int r = std::strcmp(a->second, b->second);  // unsigned bytes, no locale
    return SortDirection[column] == 1 ? r : -r;
}

void SortEntryRowsByColumn(int column) {
    if (column < 0 || column >= kEntryFieldCount) return;
    SortDirection[column] = SortDirection[column] == 1 ? 2 : 1;

    int count = GetEntryRowCount();
    std::vector<std::string> texts(count);
    SortContext context;
    context.column = column;
    context.textOf.reserve(count);
    for (int row = 0; row < count; ++row) {
        char buffer[256] = "";
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessageA(EntryListView, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        buffer[255] = '\0';
        texts[row] = buffer;
        context.textOf.emplace(item.lParam, texts[row].c_str());
    }
    activeSort = &context;
    SendMessageA(EntryListView, LVM_SORTITEMS, column, reinterpret_cast<LPARAM>(&CompareEntryRows));
    activeSort = nullptr;
}

void RunSelectedOnDoubleClick() {
    if (GetSelectedEntryRow() >= 0) PreviewEntry();
}
