#include "play/list_playback.h"

#include <cstdio>
#include <memory>
#include <string>

#include "base/long_operation.h"
#include "base/session.h"
#include "base/strings.h"
#include "play/entry_problem.h"
#include "play/play_connections.h"
#include "play/play_window.h"
#include "play/playback_state.h"
#include "play/prepare_entry.h"
#include "play/saver_run_guard.h"
#include "res/resource.h"

PlaybackState Playback;

namespace {

PlaybackOptions Options() {
    return Play.playbackOptions ? Play.playbackOptions() : PlaybackOptions{};
}

bool Aborted() {
    return Playback.abort != 0 || Playback.stopRequested;
}

// Esc down now, or pressed and released since the last look.
bool EscapePressed() {
    return (GetAsyncKeyState(VK_ESCAPE) & 0x8001) != 0;
}

void PumpOne() {
    // WM_QUIT: the program is ending.
    if (!PumpOneMessage(Playback.playWindow)) Playback.stopRequested = true;
}

void SelectRow(int row) {
    if (Play.selectRow) Play.selectRow(row);
}

void ShowPlayAreaMessage(unsigned id) {
    if (!Playback.inWindow) return;
    const std::string text = LoadText(id);
    ShowPlayAreaText(text.data(), text.size());
}

void CALLBACK OnEntryTimer(HWND window, UINT, UINT_PTR, DWORD) {
    KillTimer(window, kEntryTimerId);
    Playback.entryFinished = 1;
}

// Full screen, the screen saver ends by itself when the user moves the mouse
// or presses a key; some hide their window at once and end seconds later.
// Once its window (of the screen saver class, or any covering a monitor) has
// gone, the next entry plays. One that never showed a window runs until its
// time is over. Looked at from the wait loop, not from a timer of its own:
// a frequent timer would crowd out the program's other timers.
void WatchSaverWindow() {
    const SaverWindowState window = Playback.saver ? Playback.saver->Watch() : SaverWindowState::Gone;
    if (window == SaverWindowState::Gone || (window == SaverWindowState::NotYet && !Playback.saver->Running()))
        Playback.entryFinished = 1;
}

// Sleeps until a message arrives, the screen saver ends, or it is time to
// look at the Esc key again: playback costs next to nothing while it waits.
void WaitForPlaybackEvent(DWORD ms) {
    HANDLE process = Playback.saver ? Playback.saver->Process() : nullptr;
    const DWORD woke = MsgWaitForMultipleObjectsEx(process ? 1 : 0, process ? &process : nullptr, ms, QS_ALLINPUT,
                                                   MWMO_INPUTAVAILABLE);
    // A screen saver that has gone by itself ends its entry at once.
    if (process && woke == WAIT_OBJECT_0) Playback.entryFinished = 1;
}

// Sets the entry timer once the screen saver is up (its window shows), or
// once it has had kSaverReadyBound to come up: then its time counts from its
// start. True once the timer runs. Not WaitForInputIdle: under Wine each call
// of it leaves a handle open, and polled every few milliseconds that grew by
// thousands over a long run.
bool StartEntryTime(DWORD ms, DWORD startedAt) {
    const DWORD elapsed = GetTickCount() - startedAt;
    const bool up = Playback.saver->Watch() == SaverWindowState::Up;
    if (!up && elapsed < kSaverReadyBound) return false;
    const DWORD left = up ? ms : ms > elapsed ? ms - elapsed : USER_TIMER_MINIMUM;
    SetTimer(Play.owner, kEntryTimerId, left, OnEntryTimer);
    return true;
}

// The switch that runs a screen saver where the list plays: full screen, or
// in the play area given by its handle as a signed decimal number.
void PlaybackSwitch(char (&saverSwitch)[32]) {
    if (!Playback.inWindow) {
        std::snprintf(saverSwitch, sizeof saverSwitch, "/s");
        return;
    }
    const int handle = static_cast<int>(reinterpret_cast<INT_PTR>(Playback.playArea));
    std::snprintf(saverSwitch, sizeof saverSwitch, "/p %d", handle);
}

}  // namespace

bool IsListPlaying() {
    return Playback.playing;
}

void PollEscape() {
    PumpOne();
    if (EscapePressed()) Playback.abort = 1;
    // Nothing to play in once the windows have gone.
    if (!IsWindow(Play.owner) || (Playback.inWindow && !IsWindow(Playback.playArea))) Playback.stopRequested = true;
}

void StopPlayingSaver() {
    KillTimer(Play.owner, kEntryTimerId);
    if (!Playback.saver) return;
    Playback.saver->Close();
    Playback.saver.reset();
    Playback.entryFinished = 1;
}

bool PlayOneEntry(int row) {
    char saverSwitch[32];
    PlaybackSwitch(saverSwitch);
    PreparedEntry prepared;
    char commandLine[kSaverCommandLineSize];
    // What cannot run is skipped, and the status bar says which and why.
    if (!PrepareSaverCommandLine(row, saverSwitch, commandLine, sizeof commandLine, prepared)) {
        ReportSkippedEntry(prepared);
        return false;
    }
    const DWORD ms = EntrySwitchMilliseconds(prepared.entry.seconds, Options().ChgTime);
    auto saver = std::make_unique<SaverProcess>();
    if (!saver->Start(commandLine, Playback.inWindow ? Playback.playArea : nullptr)) {
        ReportSkippedEntry(prepared, true);
        return false;
    }
    Playback.saver = std::move(saver);
    Playback.entryFinished = 0;
    const DWORD startedAt = GetTickCount();
    bool timing = false;
    // Started means it came up: one that ended before that started nothing.
    bool started = false;
    DWORD watchedAt = startedAt;
    PollEscape();
    while (!Aborted() && !Playback.entryFinished) {
        if (!timing) timing = StartEntryTime(ms, startedAt);
        started = started || (timing && Playback.saver->Running());
        WaitForPlaybackEvent(timing ? kEscapePollPeriod : kReadyPollPeriod);
        PollEscape();
        if (GetTickCount() - watchedAt >= kSaverWatchPeriod) {
            watchedAt = GetTickCount();
            if (!Playback.inWindow) WatchSaverWindow();
            // Locked or disconnected: playback stops as Stop stops it, as
            // nobody sees it play.
            if (SessionAway()) Playback.abort = 1;
        }
    }
    StopPlayingSaver();
    return started;
}

void PlayList() {
    if (Playback.playing) return;
    Playback.playing = true;
    {
        // The changer timer stopped and the system's screen saver off meanwhile.
        SaverRunGuard quiet;
        if (Playback.inWindow) SetPlayButtons(true);
        const int selected = Play.selectedRow ? Play.selectedRow() : -1;
        const int count = Play.rowCount ? Play.rowCount() : 0;
        int row = selected < 0 ? 0 : selected;
        ShowPlayAreaMessage(IDS_PLAY_LOADING);
        ClearSkippedEntryReport();
        EscapePressed();  // a press from before playback is not a request to stop it

        // Entries in a row that started nothing: as many as the list holds end
        // playback, which would otherwise go round for ever showing nothing.
        int unstarted = 0;
        for (bool again = true; again;) {
            Playback.abort = 0;
            while (row < count && !Aborted() && unstarted < count) {
                unstarted = PlayOneEntry(row) ? 0 : unstarted + 1;
                ++row;
                SelectRow(row < count ? row : 0);
                ShowPlayAreaMessage(IDS_PLAY_LOADING);
                PumpOne();
            }
            if (Aborted() || unstarted >= count) break;
            row = 0;
            SelectRow(0);
            again = Options().LopPlay == 1;
        }
    }
    ShowPlayAreaMessage(IDS_PLAY_FINISHED);
    if (Playback.inWindow) SetPlayButtons(false);
    Playback.playing = false;
}

void PlayListFullScreen() {
    LongOperationScope operation(LongOperation::Playback, RequestPlaybackStop);
    // Not under an open play window either: between two of its playbacks
    // nothing else plays the list.
    if (!operation.claimed() || Playback.playing || Playback.playWindow) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    Playback.stopRequested = false;
    Playback.inWindow = 0;
    PlayList();
}

void RequestPlaybackStop() {
    Playback.stopRequested = true;
    Playback.abort = 1;
    if (Playback.playWindow && !Playback.playing) EndDialog(Playback.playWindow, 1);
}
