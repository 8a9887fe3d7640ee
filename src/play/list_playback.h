// List playback: the screen savers of the list one after another, each for
// its switch seconds, full screen or inside the play window. It runs on the
// one thread and keeps the program responsive by answering messages between
// its checks, waiting on the message queue rather than spinning.
#pragma once
#include <windows.h>

#include <cstddef>

constexpr UINT_PTR kEntryTimerId = 9005;       // the playing entry's time
constexpr UINT_PTR kSaverWatchTimerId = 9006;  // full screen: is the screen saver still up?
constexpr UINT kSaverWatchPeriod = 1000;       // ms

// Bounds on ending a screen saver: after WM_CLOSE, and for one without a
// window; then it is ended with TerminateProcess.
constexpr DWORD kSaverCloseBound = 3000;  // ms
constexpr DWORD kSaverGraceBound = 500;   // ms
// How long a started screen saver may take to be ready before its time runs.
constexpr DWORD kSaverReadyBound = 10000;  // ms
// The longest playback sleeps before it looks at the Esc key again.
constexpr DWORD kEscapePollPeriod = 40;  // ms

// The options playback follows, as the settings record holds them.
struct PlaybackOptions {
    int LopPlay = 0;  // after the last entry start again at the first when 1
    int ChgTime = 30;  // seconds of an entry that has none of its own
    int ZOrder = 0;   // the play window stays on top when not 0
};

// One row made ready to run: its screen saver's full path and its own
// switch seconds text.
struct PreparedSaver {
    char path[256] = "";
    char seconds[256] = "";
};

// What playback needs from the rest of the program, handed over by the
// caller. Missing functions are skipped.
struct PlaybackHost {
    HWND owner = nullptr;  // the main window: owns the play window and the timers
    PlaybackOptions (*options)() = nullptr;
    // The list's rows.
    int (*rowCount)() = nullptr;
    int (*selectedRow)() = nullptr;       // -1 when no row is selected
    void (*selectRow)(int row) = nullptr;  // selected and focused, not scrolled into view
    // Puts the row's screen saver file in place (an archive member is
    // extracted into the work folder); false when there is nothing to run.
    bool (*prepareRow)(int row, PreparedSaver* out) = nullptr;
    // The system's screen saver, kept off while the list plays.
    int (*isSaverActive)() = nullptr;
    void (*disableSaver)() = nullptr;
    void (*enableSaver)() = nullptr;
    // The changer's timer, stopped while the list plays.
    void (*stopChangerTimer)(HWND owner) = nullptr;
    void (*startChangerTimer)(HWND owner) = nullptr;
    // The play window's stored rectangle: applied when it opens (when the
    // program keeps window places), stored when it closes.
    void (*restorePlayWindowRect)(HWND playWindow) = nullptr;
    void (*storePlayWindowRect)(HWND playWindow) = nullptr;
};

// Command 6201: plays the list full screen from the selected row. Playback is
// the program's one long operation meanwhile; when another runs, nothing
// starts and a warning beep says so.
void PlayListFullScreen(const PlaybackHost& host);
// Plays from the selected row (row 0 when none) until the list has been
// played, or for ever with LopPlay 1, or until it is stopped; a pass that
// started no screen saver ends it. Uses the mode set by its caller.
void PlayList();
// Prepares, starts and watches one row; returns when its time is over, its
// screen saver has gone or playback is stopped, or at once when it cannot be
// started. True when a screen saver was started.
bool PlayOneEntry(int row);
// Ends the screen saver playback started and waits (bounded) for its process.
void StopPlayingSaver();
// One message answered, then a look at the Esc key.
void PollEscape();
// True while PlayList runs.
bool IsListPlaying();
// Asks a running playback to end soon (as Esc does) and the play window to
// close once it has.
void RequestPlaybackStop();
