#include "list/list_editing.h"

#include <commctrl.h>

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "app/paths.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "list/switch_seconds_dialog.h"

namespace {

void SelectEntryRow(int row) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(EntryListView, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void DeleteEntryRow(int row) {
    SendMessageA(EntryListView, LVM_DELETEITEM, row, 0);
}

// Many deletions at once are drawn once, at the end.
class RedrawPaused {
public:
    RedrawPaused() { SendMessageA(EntryListView, WM_SETREDRAW, FALSE, 0); }
    ~RedrawPaused() {
        SendMessageA(EntryListView, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(EntryListView, nullptr, TRUE);
    }
    RedrawPaused(const RedrawPaused&) = delete;
    RedrawPaused& operator=(const RedrawPaused&) = delete;
};

// Where the current entry's file lies: the archive for a member, else the
// screen saver itself. Empty when the path cannot be built within 255 bytes.
std::string CurrentEntryFile() {
    std::string path = CurrentEntry.folder;
    path += CurrentEntry.archive[0] ? CurrentEntry.archive : CurrentEntry.name;
    return path.size() <= 255 ? path : std::string();
}

}  // namespace

void DeleteSelectedEntry() {
    if (SelectedEntryRow == -1) return;
    DeleteEntryRow(SelectedEntryRow);
    int count = GetEntryRowCount();
    if (SelectedEntryRow >= count) SelectedEntryRow = count - 1;
    if (SelectedEntryRow >= 0) SelectEntryRow(SelectedEntryRow);
    ListModified = 1;
}

void RemoveDuplicateEntries() {
    const int count = GetEntryRowCount();
    if (count < 2) return;
    // The top-most row of each group of equal rows stays; the switch seconds
    // are not compared. One pass with a set keeps this linear in the rows.
    std::unordered_set<std::string> seen;
    seen.reserve(static_cast<std::size_t>(count) * 2);
    std::vector<int> later;
    for (int row = 0; row < count; ++row) {
        ReadEntryRow(row);
        std::string key = CurrentEntry.name;
        for (const char* field : {CurrentEntry.folder, CurrentEntry.type, CurrentEntry.archive}) {
            key += '\0';
            key += field;
        }
        if (!seen.insert(std::move(key)).second) later.push_back(row);
    }
    if (later.empty()) return;
    {
        RedrawPaused paused;
        // From the bottom, so the indices still to delete stay valid.
        for (auto it = later.rbegin(); it != later.rend(); ++it) DeleteEntryRow(*it);
    }
    ListModified = 1;
}

void RemoveMissingEntries() {
    // Members of one archive share its file: each path is looked up once.
    std::unordered_map<std::string, bool> exists;
    RedrawPaused paused;
    int row = 0;
    while (row < GetEntryRowCount()) {
        ReadEntryRow(row);
        std::string path = CurrentEntryFile();
        // A path that does not fit, or holds a wildcard no file name can
        // hold, names no file: the list entry is gone too.
        bool found = false;
        if (!path.empty() && path.find_first_of("*?") == std::string::npos) {
            auto known = exists.find(path);
            if (known == exists.end()) known = exists.emplace(path, FileExists(path.c_str()) == 1).first;
            found = known->second;
        }
        if (found) {
            ++row;
        } else {
            DeleteEntryRow(row);
            ListModified = 1;
        }
    }
}

void MoveEntryUp() {
    if (SelectedEntryRow <= 0) return;
    ReadEntryRow(SelectedEntryRow - 1);
    DeleteEntryRow(SelectedEntryRow - 1);
    InsertEntryRow(SelectedEntryRow);
    ListModified = 1;
}

void MoveEntryDown() {
    if (SelectedEntryRow == -1 || SelectedEntryRow >= GetEntryRowCount() - 1) return;
    ReadEntryRow(SelectedEntryRow);
    DeleteEntryRow(SelectedEntryRow);
    InsertEntryRow(SelectedEntryRow + 1);
    SelectEntryRow(SelectedEntryRow + 1);
    ListModified = 1;
}

void SetEntrySwitchSeconds(HWND owner) {
    if (SelectedEntryRow == -1) return;
    const int row = SelectedEntryRow;
    char seconds[4] = "";
    LVITEMA item{};
    item.iSubItem = 1;
    item.pszText = seconds;
    item.cchTextMax = sizeof seconds;
    SendMessageA(EntryListView, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    seconds[sizeof seconds - 1] = '\0';
    if (AskSwitchSeconds(owner, seconds, sizeof seconds)) {
        SetEntryRowText(row, 1, seconds);
        ListModified = 1;
    }
    SelectEntryRow(row);
}
