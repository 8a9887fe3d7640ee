// Helpers for driving the program as a user does: keys, popup menus, the
// messages that reach the main window, the tray icon, outside programs.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Watches for the next popup menu this thread tracks: `inspect` gets the
// menu as shown; then the menu is closed, or, when `key` is given, the item
// with that menu key is chosen as a key press would choose it.
void OnNextPopupMenu(std::function<void(HMENU)> inspect, char key = 0);
// True once the watched menu was seen (the watch then ends).
bool PopupMenuSeen();

// Records the WM_COMMAND identifiers and WM_SYSCOMMAND codes that reach the
// main window while it lives; swallowed ones stop there instead of running.
class MessageRecorder {
public:
    explicit MessageRecorder(bool swallowCommands, bool swallowSystemCommands = true);
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;
    std::vector<int> commands;
    std::vector<WPARAM> systemCommands;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    bool swallowCommands_;
    bool swallowSystem_;
    WNDPROC previous_;
};

// Presses a key with modifiers through the system's input, then lets the
// program's message loop (accelerators first) handle what follows.
void PressKey(const std::vector<WORD>& modifiers, WORD key);
// The same key press left to whatever message loop runs next (a modal one).
void SendKeyPress(const std::vector<WORD>& modifiers, WORD key);
// Presses (down) and releases (up) a key through the system's input, each
// half alone when asked; nothing else runs.
void SendKey(WORD key, bool down, bool up);
// Moves the mouse dx pixels sideways through the system's input (the other
// way when that would leave the screen), as a hand on it would.
void MoveMouseBy(int dx);
// Moves the mouse dx pixels sideways with real X input (xdotool), which
// reaches every window as a hand on the mouse does; waits until it is done.
void MoveMouseWithX(int dx);
void PumpProgramMessages();
// Double-clicks with the left button at a point of a window's client area
// through the system's input, then lets the program handle what follows.
void DoubleClickAt(HWND window, POINT clientPoint);

// Whether the main window's tray icon is in the notification area now.
bool TrayIconPresent(HWND window);

// The tests' stand-in for outside programs (zelvista_standin.exe beside the tests).
std::string StandInPath();
// While it lives, the shell opens files of these extensions with the stand-in
// (under the given class name); the registrations found are put back after.
class StandInOpens {
public:
    StandInOpens(const std::vector<std::string>& extensions, const std::string& className);
    ~StandInOpens();
    StandInOpens(const StandInOpens&) = delete;
    StandInOpens& operator=(const StandInOpens&) = delete;

private:
    struct Saved {
        std::string extension;
        bool existed;
        std::string className;
    };
    std::vector<Saved> saved_;
    std::string className_;
};
// The stand-in in the system folder as the system's drive optimiser
// (dfrgui.exe) while it lives; a program found there is put back after.
class DriveOptimizerStandIn {
public:
    DriveOptimizerStandIn();
    ~DriveOptimizerStandIn();
    DriveOptimizerStandIn(const DriveOptimizerStandIn&) = delete;
    DriveOptimizerStandIn& operator=(const DriveOptimizerStandIn&) = delete;
    static std::string Path();

private:
    bool movedAway_ = false;
};
// The stand-in, copied as `name` into a fresh
// folder that then becomes the current folder, first on the search path.
// Returns the folder; LeaveStandInFolder puts the current folder back and
// removes it.
std::string EnterStandInFolder(const std::vector<std::string>& names);
void LeaveStandInFolder();
// Lines the stand-in wrote ("name active=N cmd=..."), waiting up to ms for at least `lines`.
std::vector<std::string> StandInLog(size_t lines = 0, DWORD ms = 0);
void ClearStandInLog();
