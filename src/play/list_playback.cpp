#include "play/list_playback.h"

#include <cstdlib>
#include <string>

#include "base/files.h"
#include "base/long_operation.h"
#include "base/strings.h"
#include "play/play_window.h"
#include "play/playback_state.h"
#include "play/saver_process.h"
#include "res/resource.h"

PlaybackState Playback;

namespace {

const PlaybackHost& Host() {
    return *Playback.host;
}

PlaybackOptions Options() {
    return Host().options ? Host().options() : PlaybackOptions{};
}

bool Aborted() {
    return Playback.abort != 0 || Playback.stopRequested;
}

// Esc down now, or pressed and released since the last look.
bool EscapePressed() {
    return (GetAsyncKeyState(VK_ESCAPE) & 0x8001) != 0;
}

bool PumpOne() {
    return PumpOneMessage(Playback.playWindow);
}

void SelectRow(int row) {
    if (Host().selectRow) Host().selectRow(row);
}

void ShowPlayAreaMessage(unsigned id) {
    if (!Playback.inWindow) return;
    const std::string text = LoadText(id);
    ShowPlayAreaText(text.data(), text.size());
}

// An entry plays for its own switch seconds, or for ChgTime when it has none
// (empty, not a number, 0 or below). At least one second, and no longer than
// a timer can wait.
UINT EntryMilliseconds(const char* seconds, int standardSeconds) {
    long long s = std::strtol(seconds, nullptr, 10);
    if (s <= 0) s = standardSeconds;
    if (s <= 0) s = 1;
    const long long ms = s * 1000;
    return static_cast<UINT>(ms > USER_TIMER_MAXIMUM ? USER_TIMER_MAXIMUM : ms);
}

bool SaverHasEnded() {
    return !Playback.saver || WaitForSingleObject(Playback.saver.get(), 0) != WAIT_TIMEOUT;
}

// The window that shows the playing screen saver: the play area's child, or
// its full-screen window; only ever one of its own process.
HWND PlayingSaverWindow() {
    if (!Playback.inWindow) return FindSaverWindow(Playback.saverId);
    HWND child = Playback.playArea ? GetWindow(Playback.playArea, GW_CHILD) : nullptr;
    DWORD owner = 0;
    if (child) GetWindowThreadProcessId(child, &owner);
    return child && owner == Playback.saverId ? child : nullptr;
}

void CALLBACK OnEntryTimer(HWND window, UINT, UINT_PTR, DWORD) {
    KillTimer(window, kEntryTimerId);
    Playback.entryFinished = 1;
}

// Full screen, the screen saver ends by itself when the user moves the mouse
// or presses a key: once its window is gone the next entry plays. One that
// never showed a window runs until its time is over.
void CALLBACK OnSaverWatchTimer(HWND window, UINT, UINT_PTR, DWORD) {
    KillTimer(window, kSaverWatchTimerId);
    if (FindSaverWindow(Playback.saverId)) {
        Playback.saverWindowSeen = true;
    } else if (Playback.saverWindowSeen || SaverHasEnded()) {
        Playback.entryFinished = 1;
        return;
    }
    SetTimer(window, kSaverWatchTimerId, kSaverWatchPeriod, OnSaverWatchTimer);
}

// Sleeps until a message arrives, the screen saver ends, or it is time to
// look at the Esc key again: playback costs next to nothing while it waits.
void WaitForPlaybackEvent() {
    HANDLE process = Playback.saver.get();
    const DWORD woke = MsgWaitForMultipleObjectsEx(process ? 1 : 0, process ? &process : nullptr, kEscapePollPeriod,
                                                   QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (process && woke == WAIT_OBJECT_0) Playback.entryFinished = 1;
}

}  // namespace

bool IsListPlaying() {
    return Playback.playing;
}

void PollEscape() {
    if (!PumpOne()) Playback.stopRequested = true;  // the program is ending
    if (EscapePressed()) Playback.abort = 1;
    // Nothing to play in once the windows have gone.
    if (!IsWindow(Host().owner) || (Playback.inWindow && !IsWindow(Playback.playArea))) Playback.stopRequested = true;
}

void StopPlayingSaver() {
    if (!Playback.host) return;
    KillTimer(Host().owner, kEntryTimerId);
    if (!Playback.inWindow) KillTimer(Host().owner, kSaverWatchTimerId);
    if (!Playback.saver) return;
    EndSaverProcess(Playback.saver.get(), PlayingSaverWindow(), kSaverCloseBound, kSaverGraceBound);
    Playback.saver.reset();
    Playback.saverId = 0;
    Playback.entryFinished = 1;
}

bool PlayOneEntry(int row) {
    PreparedSaver prepared;
    if (!Host().prepareRow || !Host().prepareRow(row, &prepared)) return false;
    if (!FileExists(prepared.path)) return false;
    char command[kSaverCommandSize];
    if (!BuildSaverCommandLine(command, sizeof command, prepared.path,
                               Playback.inWindow ? Playback.playArea : nullptr))
        return false;
    const UINT ms = EntryMilliseconds(prepared.seconds, Options().ChgTime);
    Playback.saver.reset(StartSaverProcess(command));
    if (!Playback.saver) return false;
    Playback.saverId = GetProcessId(Playback.saver.get());
    Playback.saverWindowSeen = false;
    // The entry's time starts once its screen saver is up.
    WaitForSaverReady(Playback.saver.get(), kSaverReadyBound);
    const bool started = !SaverHasEnded();
    Playback.entryFinished = 0;
    SetTimer(Host().owner, kEntryTimerId, ms, OnEntryTimer);
    if (!Playback.inWindow) SetTimer(Host().owner, kSaverWatchTimerId, kSaverWatchPeriod, OnSaverWatchTimer);
    PollEscape();
    while (!Aborted() && !Playback.entryFinished) {
        WaitForPlaybackEvent();
        PollEscape();
    }
    StopPlayingSaver();
    return started;
}

void PlayList() {
    if (!Playback.host || Playback.playing) return;
    const PlaybackHost& host = Host();
    Playback.playing = true;
    if (host.stopChangerTimer) host.stopChangerTimer(host.owner);
    if (Playback.inWindow) SetPlayButtons(true);
    const int wasActive = host.isSaverActive ? host.isSaverActive() : 0;
    if (host.disableSaver) host.disableSaver();
    const int selected = host.selectedRow ? host.selectedRow() : -1;
    int row = selected < 0 ? 0 : selected;
    const int count = host.rowCount ? host.rowCount() : 0;
    ShowPlayAreaMessage(IDS_PLAY_LOADING);
    EscapePressed();  // a press from before playback is not a request to stop it

    // Rows in a row that started nothing: a whole list of them ends playback,
    // which would otherwise go round for ever with nothing to show.
    int unstarted = 0;
    for (bool go = true; go;) {
        Playback.abort = 0;
        while (row < count && !Aborted()) {
            unstarted = PlayOneEntry(row) ? 0 : unstarted + 1;
            ++row;
            SelectRow(row < count ? row : 0);
            ShowPlayAreaMessage(IDS_PLAY_LOADING);
            if (!PumpOne()) Playback.stopRequested = true;
            if (unstarted >= count) break;
        }
        if (Aborted() || unstarted >= count) break;
        row = 0;
        SelectRow(0);
        go = Options().LopPlay == 1;
    }

    if (wasActive == 1 && host.enableSaver) host.enableSaver();
    ShowPlayAreaMessage(IDS_PLAY_FINISHED);
    if (Playback.inWindow) SetPlayButtons(false);
    if (host.startChangerTimer) host.startChangerTimer(host.owner);
    Playback.playing = false;
}

void PlayListFullScreen(const PlaybackHost& host) {
    LongOperationScope operation(LongOperation::Playback, RequestPlaybackStop);
    if (!operation.claimed() || Playback.playing) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    Playback.host = &host;
    Playback.stopRequested = false;
    Playback.inWindow = 0;
    PlayList();
}

void RequestPlaybackStop() {
    Playback.stopRequested = true;
    Playback.abort = 1;
    if (Playback.playWindow && !Playback.playing) EndDialog(Playback.playWindow, 1);
}
