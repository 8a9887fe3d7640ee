#include "app/playback_connections.h"

#include <windows.h>

#include "list/entry_list.h"
#include "play/play_connections.h"
#include "settings/settings.h"

namespace {

PlaybackOptions CurrentOptions() {
    PlaybackOptions options;
    options.LopPlay = AppSettings.LopPlay;
    options.ChgTime = AppSettings.ChgTime;
    options.ZOrder = AppSettings.ZOrder;
    return options;
}

int SelectedRow() {
    return EntryListView ? GetSelectedEntryRow() : -1;
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

void ConnectListPlayback(PlayConnections& play) {
    play.selectedRow = SelectedRow;
    play.selectRow = SelectEntryRow;
    play.playbackOptions = CurrentOptions;
    play.restorePlayWindowRect = RestorePlayWindowRect;
    play.storePlayWindowRect = StorePlayWindowRect;
}
