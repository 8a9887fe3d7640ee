#include "list/entry_list.h"

#include <commctrl.h>

#include <cstring>
#include <algorithm>
#include <string>
#include <vector>

#include "base/dpi.h"
#include "base/strings.h"
#include "base/text.h"
#include "base/wide.h"
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

// A cell holds at most a field's bytes, each at most one UTF-16 unit.
constexpr int kCellUnits = static_cast<int>(kEntryFieldSize) + 1;

// The row's text in column as the list view holds it (UTF-16), with its
// item parameter when asked; the text is empty when the row has none.
void ReadCell(int row, int column, wchar_t (&text)[kCellUnits], LPARAM* param = nullptr) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | (param ? LVIF_PARAM : 0);
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = kCellUnits;
    text[0] = L'\0';
    SendMessageW(EntryListView, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    text[kCellUnits - 1] = L'\0';
    if (param) *param = item.lParam;
}

// The cell's text in code page 932, the form it was set in.
void CellText(const wchar_t* cell, char* text, std::size_t size) {
    char whole[kCellUnits * 2];
    if (!ToCodePage932(cell, whole, sizeof whole)) whole[0] = '\0';
    CopyTextCut(text, size, whole);
}

}  // namespace

HWND CreateEntryListView(HWND parent, int controlId, int dpi) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    EntryListView = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                    WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 0, 0, 0, 0,
                                    parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                    instance, nullptr);
    if (!EntryListView) return nullptr;
    LRESULT ex = SendMessageA(EntryListView, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    SendMessageA(EntryListView, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ex | LVS_EX_FULLROWSELECT);
    for (int i = 0; i < kEntryFieldCount; ++i) {
        LVCOLUMNW col{};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        col.fmt = LVCFMT_LEFT;
        col.cx = ScaleForDpi(kColumns[i].width, dpi);
        const Wide header(LoadText(kColumns[i].header));
        col.pszText = const_cast<wchar_t*>(header.c_str());  // only read
        col.iSubItem = i;
        SendMessageW(EntryListView, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
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
    const Wide name(CurrentEntry.name);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(name.c_str());  // only read
    item.lParam = nextRowId++;
    int at = static_cast<int>(SendMessageW(EntryListView, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
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
    const Wide wide(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(wide.c_str());  // only read
    SendMessageW(EntryListView, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void GetEntryRowText(int row, int column, char* text, std::size_t size) {
    if (size == 0) return;
    wchar_t cell[kCellUnits];
    ReadCell(row, column, cell);
    CellText(cell, text, size);
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
        wchar_t cell[kCellUnits];
        LPARAM id = 0;
        ReadCell(row, column, cell, &id);
        // Ranked by the code page 932 bytes the list stores.
        char buffer[kEntryFieldSize];
        CellText(cell, buffer, sizeof buffer);
        rows[row] = {id, texts.size()};
        texts.insert(texts.end(), buffer, buffer + std::strlen(buffer) + 1);
        lowest = row == 0 ? id : std::min(lowest, id);
        highest = row == 0 ? id : std::max(highest, id);
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
