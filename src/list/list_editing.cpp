#include "list/list_editing.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "base/files.h"
#include "base/text.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "list/list_format.h"
#include "list/row_batch.h"
#include "list/switch_seconds_dialog.h"

namespace {

// Up to this many rows are deleted one by one, keeping the rest as they are.
constexpr int kFewDeletions = 32;

// The texts of every row, read once, for the commands that remove many rows.
class RowTexts {
public:
    explicit RowTexts(int rows) : fields_(static_cast<std::size_t>(rows)) {}
    // Reads the row into the current entry and keeps its texts.
    void Read(int row) {
        ReadEntryRow(row);
        std::string& kept = fields_[row];
        for (int c = 0; c < kEntryFieldCount; ++c) {
            kept += EntryField(CurrentEntry, c);
            kept += '\0';
        }
    }
    // Name, folder, type and archive: what makes two rows the same entry.
    std::string Key(int row) const {
        const std::string& f = fields_[row];
        std::size_t name = f.find('\0');
        std::size_t seconds = f.find('\0', name + 1);
        return f.substr(0, name + 1) + f.substr(seconds + 1);
    }
    // The entry the row's texts make.
    ScreenSaverEntry Entry(int row) const {
        ScreenSaverEntry entry{};
        const char* p = fields_[row].c_str();
        for (int c = 0; c < kEntryFieldCount; ++c) {
            CopyText(EntryField(entry, c), kEntryFieldSize, p);
            p += std::strlen(p) + 1;
        }
        return entry;
    }

private:
    std::vector<std::string> fields_;
};

// Removes the rows not kept; the others keep their order, the selection
// stays with its entry and the view with its rows. The list view moves every
// row below a deleted one, so many deletions are made by filling the list
// again: its cost grows with the rows, not with rows times deletions.
void RemoveEntryRows(const std::vector<char>& keep, const RowTexts& rows) {
    const int count = static_cast<int>(keep.size());
    int removed = 0;
    for (char k : keep) removed += !k;
    EntryRowBatch batch;
    if (removed <= kFewDeletions) {
        for (int row = count - 1; row >= 0; --row)
            if (!keep[row]) DeleteEntryRow(row);
        return;
    }
    const int selected = GetSelectedEntryRow();
    const int top = static_cast<int>(SendMessageA(EntryListView, LVM_GETTOPINDEX, 0, 0));
    int selectedAfter = -1, topAfter = 0;
    DeleteAllEntryRows();
    for (int row = 0; row < count; ++row) {
        if (row == top) topAfter = GetEntryRowCount();
        if (!keep[row]) continue;
        if (row == selected) selectedAfter = GetEntryRowCount();
        AppendEntryRow(rows.Entry(row));
    }
    if (selectedAfter >= 0) SelectEntryRow(selectedAfter);
    RECT first{};
    first.left = LVIR_BOUNDS;
    if (topAfter > 0 && SendMessageA(EntryListView, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first)))
        SendMessageA(EntryListView, LVM_SCROLL, 0, topAfter * (first.bottom - first.top));
}

// Where the current entry's file lies: the archive for a member, else the
// screen saver itself. Empty when the path is longer than any path adding
// accepts (kMaxListFieldBytes).
std::string CurrentEntryFile() {
    std::string path = CurrentEntry.folder;
    path += CurrentEntry.archive[0] ? CurrentEntry.archive : CurrentEntry.name;
    return path.size() <= kMaxListFieldBytes ? path : std::string();
}

}  // namespace

void DeleteSelectedEntry() {
    if (SelectedEntryRow == -1) return;
    DeleteEntryRow(SelectedEntryRow);
    int count = GetEntryRowCount();
    if (SelectedEntryRow >= count) SelectedEntryRow = count - 1;
    if (SelectedEntryRow >= 0) SelectEntryRow(SelectedEntryRow);
    CurrentList.Modified = 1;
}

void RemoveDuplicateEntries() {
    const int count = GetEntryRowCount();
    if (count < 2) return;
    // The top-most row of each group of equal rows stays; the switch seconds
    // are not compared. One pass with a set finds the later rows.
    RowTexts rows(count);
    std::unordered_set<std::string> seen;
    seen.reserve(static_cast<std::size_t>(count) * 2);
    std::vector<char> keep(static_cast<std::size_t>(count), 1);
    bool any = false;
    for (int row = 0; row < count; ++row) {
        rows.Read(row);
        keep[row] = seen.insert(rows.Key(row)).second;
        any = any || !keep[row];
    }
    if (!any) return;
    RemoveEntryRows(keep, rows);
    CurrentList.Modified = 1;
}

void RemoveMissingEntries() {
    const int count = GetEntryRowCount();
    // Members of one archive share its file: each path is looked up once.
    std::unordered_map<std::string, bool> exists;
    RowTexts rows(count);
    std::vector<char> keep(static_cast<std::size_t>(count), 1);
    bool any = false;
    for (int row = 0; row < count; ++row) {
        rows.Read(row);
        std::string path = CurrentEntryFile();
        // A path that does not fit, or holds a wildcard no file name can
        // hold, names no file: the list entry is gone too.
        bool found = false;
        if (!path.empty() && path.find_first_of("*?") == std::string::npos) {
            auto known = exists.find(path);
            if (known == exists.end()) known = exists.emplace(path, FileExists(path.c_str()) == 1).first;
            found = known->second;
        }
        keep[row] = found;
        any = any || !found;
    }
    if (!any) return;
    RemoveEntryRows(keep, rows);
    CurrentList.Modified = 1;
}

void MoveEntryUp() {
    if (SelectedEntryRow <= 0) return;
    ReadEntryRow(SelectedEntryRow - 1);
    DeleteEntryRow(SelectedEntryRow - 1);
    InsertEntryRow(SelectedEntryRow);
    CurrentList.Modified = 1;
}

void MoveEntryDown() {
    if (SelectedEntryRow == -1 || SelectedEntryRow >= GetEntryRowCount() - 1) return;
    ReadEntryRow(SelectedEntryRow);
    DeleteEntryRow(SelectedEntryRow);
    InsertEntryRow(SelectedEntryRow + 1);
    SelectEntryRow(SelectedEntryRow + 1);
    CurrentList.Modified = 1;
}

void SetEntrySwitchSeconds(HWND owner) {
    if (SelectedEntryRow == -1) return;
    const int row = SelectedEntryRow;
    char seconds[4] = "";
    GetEntryRowText(row, 1, seconds, sizeof seconds);
    if (AskSwitchSeconds(owner, seconds, sizeof seconds)) {
        SetEntryRowText(row, 1, seconds);
        CurrentList.Modified = 1;
    }
    SelectEntryRow(row);
}
