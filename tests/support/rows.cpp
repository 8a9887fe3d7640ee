#include "support/rows.h"

#include <windows.h>
#include <commctrl.h>

#include "base/text.h"
#include "list/entry_list.h"

const std::string& Row::operator[](int column) const {
    switch (column) {
    case 0: return name;
    case 1: return seconds;
    case 2: return folder;
    case 3: return type;
    default: return archive;
    }
}

void PrintTo(const Row& row, std::ostream* out) {
    *out << "{" << row.name << ", " << row.seconds << ", " << row.folder << ", " << row.type << ", " << row.archive
         << "}";
}

Row RowOf(const ScreenSaverEntry& e) {
    return {e.name, e.seconds, e.folder, e.type, e.archive};
}

std::vector<Row> RowsOf(const std::vector<ScreenSaverEntry>& entries) {
    std::vector<Row> rows;
    for (const ScreenSaverEntry& e : entries) rows.push_back(RowOf(e));
    return rows;
}

std::vector<Row> ReadAllRows() {
    std::vector<Row> rows;
    int count = GetEntryRowCount();
    for (int i = 0; i < count; ++i) {
        ReadEntryRow(i);
        rows.push_back(RowOf(CurrentEntry));
    }
    return rows;
}

void AddRow(const Row& row) {
    for (int c = 0; c < kEntryFieldCount; ++c) CopyText(EntryField(CurrentEntry, c), 256, row[c].c_str());
    InsertEntryRow(GetEntryRowCount());
}

void SelectListRow(int row) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageA(EntryListView, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    if (row < 0) return;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(EntryListView, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}
