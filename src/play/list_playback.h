// List playback: the screen savers of the list one after another, each for
// its switch seconds, full screen or inside the play window. It runs on the
// one thread and keeps the program responsive by answering messages between
// its checks, sleeping on the message queue rather than spinning. What it
// needs from the rest of the program comes through the play connections.
#pragma once
#include <windows.h>

constexpr UINT_PTR kEntryTimerId = 9005;       // the playing entry's time
// Full screen: how often playback looks whether the screen saver's window is
// still up, so the next entry follows its going promptly.
constexpr DWORD kSaverWatchPeriod = 200;  // ms
// An entry's time starts when its screen saver is up (waiting for input),
// and at the latest this long after it was started.
constexpr DWORD kSaverReadyBound = 3000;  // ms
// The longest playback sleeps before it looks at the Esc key again, and
// while a screen saver comes up, before it looks at it again.
constexpr DWORD kEscapePollPeriod = 40;  // ms
constexpr DWORD kReadyPollPeriod = 10;   // ms

// Command 6201: plays the list full screen from the selected row. Playback is
// the program's one long operation meanwhile; when another runs, nothing
// starts and a warning beep says so.
void PlayListFullScreen();
// Plays from the selected row (row 0 when none) until the list has been
// played, or for ever with LopPlay 1, or until it is stopped; as many entries
// in a row as the list holds that started nothing end it too. Plays in the
// mode its caller set.
void PlayList();
// Prepares, starts and watches one row; returns when its time is over, its
// screen saver has gone or playback is stopped, or at once when it cannot be
// started. True when a screen saver was started.
bool PlayOneEntry(int row);
// Ends the playing screen saver: WM_CLOSE, a bounded wait, then TerminateProcess.
void StopPlayingSaver();
// One message answered, then a look at the Esc key.
void PollEscape();
// True while PlayList runs.
bool IsListPlaying();
// Asks a running playback to end soon (as Esc does) and the play window to
// close once it has.
void RequestPlaybackStop();
