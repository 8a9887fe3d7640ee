// Long operations on the list, such as the folder search and list playback,
// run on the one thread and keep the interface alive by dispatching waiting
// messages between their steps. Only one runs at a time, and what arrives in
// between (commands, timers, dropped files, a double click) asks first
// whether one is running: it then runs anyway, waits for the end, or is left
// undone.
#pragma once
#include <windows.h>

enum class LongOperation { None, FolderSearch, Playback };

// Claims the program for one operation until the scope ends. claimed() is false
// when another operation already runs; the new one must then not start.
// When the claim ends, commands deferred meanwhile are posted to their target.
class LongOperationScope {
public:
    LongOperationScope(LongOperation kind, void (*requestStop)());
    ~LongOperationScope();
    LongOperationScope(const LongOperationScope&) = delete;
    LongOperationScope& operator=(const LongOperationScope&) = delete;
    bool claimed() const { return claimed_; }

private:
    bool claimed_ = false;
};

LongOperation RunningLongOperation();
// Keeps a command to be posted to target once the running operation has
// ended; with stopFirst, asks the operation to end soon.
void DeferUntilLongOperationEnds(HWND target, WPARAM command, bool stopFirst);

// Removes and dispatches at most one waiting message of any window. Keys for
// `dialog` (when given) go through its dialog navigation. Returns false when
// the message was WM_QUIT: it is posted again for the outer loop, and the
// caller should end its operation.
bool PumpOneMessage(HWND dialog = nullptr);
