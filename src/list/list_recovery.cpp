#include "list/list_recovery.h"

#include <windows.h>

#include "base/files.h"
#include "base/program_paths.h"
#include "base/strings.h"
#include "base/wide.h"
#include "base/text.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "list/list_format.h"
#include "res/resource.h"

namespace {

// The line after the header that holds the list's state; the list reader
// skips it like any line that is no entry.
const char kStateTag[] = "REC,";
constexpr std::size_t kMaxKeptBytes = 256 * 1024 * 1024;

bool KeptPath(char (&path)[256]) {
    return AppPaths.WorkFolder[0] && JoinPath(path, sizeof path, AppPaths.WorkFolder, kRecoveryListName);
}

// The rows with the state line after the header.
std::string FormatKeptList() {
    std::string rows = FormatRows();
    std::string header;
    AppendListHeader(header);
    std::string state = kStateTag;
    state += CurrentList.Named == 1 ? "1," : "0,";
    state += CurrentList.Path;
    state += "\r\n";
    // The rows begin with the same header.
    rows.insert(rows.compare(0, header.size(), header) == 0 ? header.size() : 0, state);
    return rows;
}

}  // namespace

bool ReadRecoveredState(std::string_view bytes, RecoveredState* state) {
    // The state is the second line.
    const std::size_t firstEnd = bytes.find('\n');
    if (firstEnd == std::string_view::npos || bytes.substr(0, 3) != "Ver") return false;
    std::string_view line = bytes.substr(firstEnd + 1);
    line = line.substr(0, line.find('\n'));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view tag = kStateTag;
    if (line.size() < tag.size() + 2 || line.substr(0, tag.size()) != tag) return false;
    const char named = line[tag.size()];
    if ((named != '0' && named != '1') || line[tag.size() + 1] != ',') return false;
    const std::string_view path = line.substr(tag.size() + 2);
    if (path.empty() || path.size() > 255 || path.find('\0') != std::string_view::npos) return false;
    state->named = named == '1';
    state->path.assign(path);
    return true;
}

bool KeepRecoveryList() {
    char path[256];
    return KeptPath(path) && ReplaceFileContents(path, FormatKeptList());
}

void DiscardRecoveryList() {
    // Deleted only from the program's own folder, as everything it deletes.
    if (AppPaths.WorkFolder[0]) DeleteOwnFile(AppPaths.WorkFolder, kRecoveryListName);
}

bool RecoveryListKept() {
    char path[256];
    return KeptPath(path) && GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES;
}

void OfferRecoveryList() {
    char path[256];
    std::string bytes;
    if (!KeptPath(path) || !ReadWholeFile(path, bytes, kMaxKeptBytes)) return;
    RecoveredState state;
    if (!ReadRecoveredState(bytes, &state)) {
        // Damaged: nothing in it can be offered.
        DiscardRecoveryList();
        return;
    }
    const std::string text = FormatText(IDS_RECOVERY_OFFER, state.path);
    if (ShowMessageBox(EntryListOwner(), text, LoadText(IDS_APP_TITLE), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        DiscardRecoveryList();
        return;
    }
    // A list that cannot be read is kept for the next start; its message
    // says why.
    if (!LoadListFile(path)) return;
    CopyText(CurrentList.Path, sizeof CurrentList.Path, state.path.c_str());
    CurrentList.Named = state.named ? 1 : 0;
    CurrentList.Modified = 1;
    SetListTitle(CurrentList.Path);
    DiscardRecoveryList();
}
