// The screen saver process that playback runs: its command line, the window
// that shows it, and ending it within a bounded time whatever it does.
#pragma once
#include <windows.h>

#include <cstddef>

// The class of the windows that screen savers show, full screen or in a preview.
extern const char kSaverWindowClass[];  // "WindowsScreenSaverClass"

// Room for a runnable path (255 bytes), its quotes and the longest switch.
constexpr std::size_t kSaverCommandSize = 320;

// The command line for path: "\"path\" /s" full screen, or
// "\"path\" /p <handle>" inside previewParent, the handle as a signed decimal.
// The path is quoted so that a blank in it never lets another program run.
// False when it does not fit.
bool BuildSaverCommandLine(char* out, std::size_t size, const char* path, HWND previewParent);

// Starts the command line; the process handle (its thread handle closed), or
// null when it could not be started.
HANDLE StartSaverProcess(const char* commandLine);

// The visible top-level window of the screen saver class that the process
// shows full screen, or null. Windows of other programs are never taken.
HWND FindSaverWindow(DWORD processId);

// Waits until the screen saver waits for input (its window is up), has ended,
// or ms have passed, answering meanwhile the messages its windows send to
// this thread (a preview window's notices to its parent).
void WaitForSaverReady(HANDLE process, DWORD ms);

// Waits up to ms for the process to end, answering sent messages; true when
// it has ended.
bool WaitForProcessEnd(HANDLE process, DWORD ms);

// Ends a screen saver: asks its window (when there is one) to close, waits up
// to closeMs for the process, and then ends it with TerminateProcess. A
// screen saver without a window gets graceMs to go by itself.
void EndSaverProcess(HANDLE process, HWND window, DWORD closeMs, DWORD graceMs);
