#include "app/playback_commands.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "app/main_window.h"
#include "archive/archiver.h"
#include "base/files.h"
#include "base/program_paths.h"
#include "base/text.h"
#include "list/entry_list.h"
#include "list/list_format.h"
#include "play/list_playback.h"
#include "play/play_window.h"
#include "settings/settings.h"
#include "system/screen_saver.h"

namespace {

PlaybackOptions CurrentOptions() {
    PlaybackOptions options;
    options.LopPlay = AppSettings.LopPlay;
    options.ChgTime = AppSettings.ChgTime;
    options.ZOrder = AppSettings.ZOrder;
    return options;
}

int RowCount() {
    return EntryListView ? GetEntryRowCount() : 0;
}

int SelectedRow() {
    return EntryListView ? GetSelectedEntryRow() : -1;
}

void SelectRow(int row) {
    if (!EntryListView) return;
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(EntryListView, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

int ArchiverOfType(const char* type) {
    for (int i = 0; i < kArchiverCount; ++i)
        if (std::strcmp(type, kArchiveTypeText[i]) == 0) return i;
    return -1;
}

// The row's screen saver in place: a loose file where it lies, an archive
// member extracted into the emptied work folder.
bool PrepareRow(int row, PreparedSaver* out) {
    if (row < 0 || row >= RowCount()) return false;
    ReadEntryRow(row);
    CopyText(out->seconds, sizeof out->seconds, CurrentEntry.seconds);
    if (!CurrentEntry.archive[0])
        return CopyText(out->path, sizeof out->path, CurrentEntry.folder) &&
               AppendText(out->path, sizeof out->path, CurrentEntry.name);
    ClearWorkFolder();
    const int index = ArchiverOfType(CurrentEntry.type);
    char archive[256];
    if (index < 0 || !CopyText(archive, sizeof archive, CurrentEntry.folder) ||
        !AppendText(archive, sizeof archive, CurrentEntry.archive) ||
        !CopyText(out->path, sizeof out->path, AppPaths.WorkFolder) ||
        !AppendText(out->path, sizeof out->path, CurrentEntry.name))
        return false;
    return ExtractMember(index, archive, CurrentEntry.name, AppPaths.WorkFolder, MainWindow) == 0;
}

void DisableSaver() {
    DisableScreenSaver();
}

void EnableSaver() {
    EnableScreenSaver();
}

void RestorePlayWindowRect(HWND playWindow) {
    ApplyStoredRect(playWindow, AppSettings.ViewL, AppSettings.ViewT, AppSettings.ViewR, AppSettings.ViewB);
}

// The record then holds what the registry now holds.
void StorePlayWindowRect(HWND playWindow) {
    SavePlayWindowRect(playWindow);
    LoadPlayWindowRect();
}

}  // namespace

const PlaybackHost& ProgramPlaybackHost() {
    static PlaybackHost host;
    host.owner = MainWindow;
    host.options = CurrentOptions;
    host.rowCount = RowCount;
    host.selectedRow = SelectedRow;
    host.selectRow = SelectRow;
    host.prepareRow = PrepareRow;
    host.isSaverActive = IsScreenSaverActive;
    host.disableSaver = DisableSaver;
    host.enableSaver = EnableSaver;
    // The changer's timer arrives with the changer.
    host.stopChangerTimer = nullptr;
    host.startChangerTimer = nullptr;
    host.restorePlayWindowRect = RestorePlayWindowRect;
    host.storePlayWindowRect = StorePlayWindowRect;
    return host;
}

void PlayListFullScreenCommand() {
    PlayListFullScreen(ProgramPlaybackHost());
}

void ShowPlayWindowCommand() {
    ShowPlayWindow(ProgramPlaybackHost());
}
