// A screen saver the program runs itself, and how it is ended: WM_CLOSE to its
// window, a bounded wait for its process, then TerminateProcess. A screen saver
// that made no window is ended at once. Used wherever the program plays entries.
#pragma once
#include <windows.h>

#include <cstddef>

#include "base/handles.h"

// Command lines of screen savers fit this buffer: the longest path a list
// entry can have (255 bytes), its two quotes, the blank and the longest switch
// ("/p " and a window handle in decimal). A longer one is not run.
constexpr std::size_t kLongestSaverPath = 255;
constexpr std::size_t kLongestSaverSwitch = 3 + 20;
constexpr std::size_t kSaverCommandLineSize = kLongestSaverPath + 2 + 1 + kLongestSaverSwitch + 1;
// How long a screen saver may take to end after WM_CLOSE.
constexpr DWORD kSaverCloseWaitMs = 3000;
// How often a running screen saver's process and window are looked at.
constexpr DWORD kSaverWatchMs = 100;
// Input this soon after the start is the start's own (a window appearing
// under the cursor), not the user's return.
constexpr DWORD kSaverInputGraceMs = 500;
// How long a screen saver the user is to end may take to show its window.
constexpr DWORD kSaverWindowWaitMs = 10000;

// The screen saver's path in double quotes, a blank and the switch ("/s",
// "/c", "/p 1234"): a path with blanks is never split. False (and out empty)
// when it does not fit; nothing is cut.
bool BuildSaverCommandLine(char* out, std::size_t size, const char* path, const char* switchText);

// How long an entry plays: its own switch seconds as a decimal number, or
// standardSeconds when that is 0 or not a positive number; at least a second.
DWORD EntrySwitchMilliseconds(const char* secondsText, int standardSeconds);

enum class SaverEnd {
    NotStarted,    // the process could not be created
    AlreadyEnded,  // it had ended by itself
    Closed,        // it ended after WM_CLOSE within the wait
    Terminated,    // it had no window or did not end in time
};

// What watching a screen saver's window has found so far.
enum class SaverWindowState {
    NotYet,  // it has shown none
    Up,      // its window shows now
    Gone,    // the window it showed has gone (the process may linger)
};

class SaverProcess {
public:
    SaverProcess() = default;
    ~SaverProcess();  // a screen saver still running is closed
    SaverProcess(const SaverProcess&) = delete;
    SaverProcess& operator=(const SaverProcess&) = delete;

    // Starts a command line built by BuildSaverCommandLine; false when the
    // process could not be created. parent is the window given with /p, or
    // null for a full-screen run, whose window is a top-level one of the
    // screen saver class.
    bool Start(const char* commandLine, HWND parent = nullptr);
    bool Running() const;
    HANDLE Process() const { return process_.get(); }
    DWORD Id() const { return id_; }
    // Ends it if it still runs.
    SaverEnd Close(DWORD closeWaitMs = kSaverCloseWaitMs);
    // Looks for the window it shows now (in the parent given at the start,
    // its child there; full screen, FindSaverWindow) and remembers it: Close
    // reaches a full-screen one even once hidden, whatever its class.
    SaverWindowState Watch();

private:
    Handle process_;
    DWORD id_ = 0;
    HWND parent_ = nullptr;
    HWND shown_ = nullptr;  // the window it was last seen to show
};

enum class TimedSaverRun {
    NotStarted,  // the process could not be created
    EndedEarly,  // before its time its process ended, its full-screen window went or
                 // the system saw input: the user came back (or it failed); it was
                 // then ended as Close does
    TimeOver,    // its time was over and it was ended
    SessionAway,  // the session was locked or disconnected: it was ended unseen
};

// Runs a full-screen screen saver for ms milliseconds and blocks meanwhile,
// answering only messages other threads send. It ends early when the
// session is locked or disconnected.
TimedSaverRun RunSaverFor(const char* commandLine, DWORD ms);
// Runs a full-screen screen saver until the user ends it, blocking likewise.
// One that shows no window within kSaverWindowWaitMs, or whose window has
// gone while its process lingers, is closed as Close does; so is one that
// plays on once the session is locked or disconnected.
SaverEnd RunSaverUntilEnded(const char* commandLine);
