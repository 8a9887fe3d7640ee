#include "list/entry_list.h"

#include <commctrl.h>

#include <cstring>
#include <algorithm>
#include <string>
#include <vector>

#include "base/dpi.h"
#include "base/strings.h"
#include "res/resource.h"

ScreenSaverEntry CurrentEntry;
int SelectedEntryRow = -1;
HWND EntryListView;
int SortDirection[kEntryFieldCount];

namespace {

struct ColumnSpec {
    unsigned header;  // string id
    int width;        // pixels at 96 DPI
};
const ColumnSpec kColumns[kEntryFieldCount] = {
    {IDS_COLUMN_NAME, 150},   {IDS_COLUMN_SECONDS, 70},  {IDS_COLUMN_FOLDER, 80},
    {IDS_COLUMN_TYPE, 90},    {IDS_COLUMN_ARCHIVE, 100},
};

// Every row gets an item parameter that is never given to another row, so the
// sort can tell rows apart however they were moved, deleted or added.
LPARAM nextRowId = 1;

// The sort reads every row's text once, ranks the texts by bytes, and lets
// the comparison look ranks up by row parameter: the list view moves rows
// while it sorts, so row indices are no use then, and the parameters stay unique.
struct SortContext {
    LPARAM firstId = 0;
    std::vector<int> rankOf;  // indexed by row parameter - firstId; -1 for none
    int rank(LPARAM id) const {
        LPARAM i = id - firstId;
        return i >= 0 && i < static_cast<LPARAM>(rankOf.size()) ? rankOf[i] : -1;
    }
};
SortContext* activeSort;

}  // namespace

HWND CreateEntryListView(HWND parent, int controlId, int dpi) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    EntryListView = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                    WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 0, 0, 0, 0,
                                    parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                    instance, nullptr);
    if (!EntryListView) return nullptr;
    LRESULT ex = SendMessageA(EntryListView, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    SendMessageA(EntryListView, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ex | LVS_EX_FULLROWSELECT);
    for (int i = 0; i < kEntryFieldCount; ++i) {
        LVCOLUMNA col{};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        col.fmt = LVCFMT_LEFT;
        col.cx = ScaleForDpi(kColumns[i].width, dpi);
        std::string header = LoadText(kColumns[i].header);
        col.pszText = header.data();
        col.iSubItem = i;
        SendMessageA(EntryListView, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
    }
    return EntryListView;
}

void RescaleEntryColumns(int fromDpi, int toDpi) {
    if (!EntryListView || fromDpi == toDpi) return;
    for (int i = 0; i < kEntryFieldCount; ++i) {
        const int width = static_cast<int>(SendMessageA(EntryListView, LVM_GETCOLUMNWIDTH, i, 0));
        SendMessageA(EntryListView, LVM_SETCOLUMNWIDTH, i, MAKELPARAM(RescaleForDpi(width, fromDpi, toDpi), 0));
    }
}

void ReadEntryRow(int row) {
    for (int c = 0; c < kEntryFieldCount; ++c) GetEntryRowText(row, c, EntryField(CurrentEntry, c), kEntryFieldSize);
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

void AppendEntryRow(const ScreenSaverEntry& entry) {
    CurrentEntry = entry;
    InsertEntryRow(GetEntryRowCount());
}

void DeleteEntryRow(int row) {
    SendMessageA(EntryListView, LVM_DELETEITEM, row, 0);
}

void SelectEntryRow(int row) {
    if (!EntryListView) return;
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(EntryListView, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void SetEntryRowText(int row, int column, const char* text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    SendMessageA(EntryListView, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

void GetEntryRowText(int row, int column, char* text, std::size_t size) {
    if (size == 0) return;
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(size);
    text[0] = '\0';
    SendMessageA(EntryListView, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    text[size - 1] = '\0';
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
    int a = activeSort->rank(first), b = activeSort->rank(second);
    int r = (a > b) - (a < b);
    return SortDirection[column] == 1 ? r : -r;
}

void SortEntryRowsByColumn(int column) {
    if (column < 0 || column >= kEntryFieldCount) return;
    SortDirection[column] = SortDirection[column] == 1 ? 2 : 1;

    int count = GetEntryRowCount();
    struct Keyed {
        LPARAM id;
        std::size_t offset;
    };
    std::vector<Keyed> rows(count);
    std::vector<char> texts;
    texts.reserve(static_cast<std::size_t>(count) * 24);
    LPARAM lowest = 0, highest = 0;
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
        rows[row] = {item.lParam, texts.size()};
        texts.insert(texts.end(), buffer, buffer + std::strlen(buffer) + 1);
        lowest = row == 0 ? item.lParam : std::min(lowest, item.lParam);
        highest = row == 0 ? item.lParam : std::max(highest, item.lParam);
    }
    const char* base = texts.data();
    std::sort(rows.begin(), rows.end(), [base](const Keyed& a, const Keyed& b) {
        return std::strcmp(base + a.offset, base + b.offset) < 0;  // unsigned bytes, no locale
    });
    // Parameters are handed out in order and never reused, so they span a
    // range not much wider than the list; a list that churned a lot still works.
    SortContext context;
    context.firstId = lowest;
    context.rankOf.assign(count ? static_cast<std::size_t>(highest - lowest + 1) : 0, -1);
    int rank = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && std::strcmp(base + rows[i - 1].offset, base + rows[i].offset) != 0) ++rank;
        context.rankOf[rows[i].id - lowest] = rank;
    }
    activeSort = &context;
    SendMessageA(EntryListView, LVM_SORTITEMS, column, reinterpret_cast<LPARAM>(&CompareEntryRows));
    activeSort = nullptr;
}

void DetachEntryListView() {
    EntryListView = nullptr;
}

HWND EntryListOwner() {
    return EntryListView ? GetParent(EntryListView) : nullptr;
}
