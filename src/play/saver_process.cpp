#include "play/saver_process.h"

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "base/process.h"
#include "base/saver_window.h"
#include "base/session.h"
#include "base/text.h"

namespace {

// Longest time that fits a wait and a timer (about 24 days).
constexpr long long kLongestMs = 0x7FFFFFFF;
constexpr DWORD kTerminateWaitMs = 5000;

struct WindowSearch {
    DWORD processId;
    HWND parent;
    int found;
    HWND shown;  // full screen: the window it was seen to show
    bool shownReached;
};

// Posted, not sent: a screen saver that hangs must not hang the program.
void PostClose(HWND window, void* context) {
    auto* search = static_cast<WindowSearch*>(context);
    if (window == search->shown) search->shownReached = true;
    if (PostMessageA(window, WM_CLOSE, 0, 0)) ++search->found;
}

bool OwnedBy(HWND window, DWORD processId) {
    DWORD owner = 0;
    return window && IsWindow(window) && GetWindowThreadProcessId(window, &owner) && owner == processId;
}

// In a window of ours: the process's children of that window, whatever their class.
BOOL CALLBACK CloseIfTheSavers(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || GetParent(window) != search->parent) return TRUE;
    PostClose(window, search);
    return TRUE;
}

}  // namespace

bool BuildSaverCommandLine(char* out, std::size_t size, const char* path, const char* switchText) {
    if (size == 0) return false;
    if (!CopyText(out, size, "\"") || !AppendText(out, size, path) || !AppendText(out, size, "\" ") ||
        !AppendText(out, size, switchText)) {
        out[0] = '\0';
        return false;
    }
    return true;
}

DWORD EntrySwitchMilliseconds(const char* secondsText, int standardSeconds) {
    errno = 0;
    long long seconds = std::strtoll(secondsText, nullptr, 10);
    if (seconds <= 0 || errno == ERANGE) seconds = standardSeconds;
    if (seconds <= 0) seconds = 1;  // a hand-edited standard time of 0 or less
    long long ms = seconds > kLongestMs / 1000 ? kLongestMs : seconds * 1000;
    return static_cast<DWORD>(ms < 0 ? 0 : ms);
}

SaverProcess::~SaverProcess() {
    Close();
}

bool SaverProcess::Start(const char* commandLine, HWND parent) {
    Close();
    parent_ = parent;
    shown_ = nullptr;
    StartedProcess started = StartProcess(commandLine, SW_SHOWNORMAL);
    process_ = std::move(started.process);
    id_ = started.id;
    return static_cast<bool>(process_);
}

bool SaverProcess::Running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

SaverWindowState SaverProcess::Watch() {
    HWND window = nullptr;
    if (!parent_) {
        window = FindSaverWindow(id_);
    } else {
        for (HWND child = GetWindow(parent_, GW_CHILD); child && !window; child = GetWindow(child, GW_HWNDNEXT))
            if (OwnedBy(child, id_)) window = child;
    }
    if (window) {
        shown_ = window;
        return SaverWindowState::Up;
    }
    return shown_ ? SaverWindowState::Gone : SaverWindowState::NotYet;
}

SaverEnd SaverProcess::Close(DWORD closeWaitMs) {
    if (!Running()) return SaverEnd::AlreadyEnded;
    WindowSearch search{id_, parent_, 0, shown_, false};
    if (parent_) {
        EnumChildWindows(parent_, CloseIfTheSavers, reinterpret_cast<LPARAM>(&search));
    } else {
        ForEachSaverWindow(id_, PostClose, &search);
        // A window of its own class that it hid is still its to close.
        if (!search.shownReached && OwnedBy(shown_, id_)) PostClose(shown_, &search);
    }
    if (search.found > 0 && WaitForProcessEnd(process_.get(), closeWaitMs)) return SaverEnd::Closed;
    TerminateProcess(process_.get(), 1);
    WaitForProcessEnd(process_.get(), kTerminateWaitMs);
    return SaverEnd::Terminated;
}

namespace {

// The system's last input came after tick (GetLastInputInfo counts in ticks too).
bool InputSince(DWORD tick) {
    LASTINPUTINFO input{};
    input.cbSize = sizeof input;
    return GetLastInputInfo(&input) && static_cast<LONG>(input.dwTime - tick) > 0;
}

}  // namespace

TimedSaverRun RunSaverFor(const char* commandLine, DWORD ms) {
    SaverProcess saver;
    if (!saver.Start(commandLine)) return TimedSaverRun::NotStarted;
    const DWORD startedAt = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - startedAt;
        if (spent >= ms) break;
        const DWORD left = ms - spent;
        if (WaitForProcessEnd(saver.Process(), left < kSaverWatchMs ? left : kSaverWatchMs)) return TimedSaverRun::EndedEarly;
        // A screen saver may hide its window at once and end seconds later:
        // the window going is the user's return, as is input the system saw
        // (after the moment the start itself may cause). Under Wine the
        // input time misses input that reached no window of this program, so
        // the window is watched as well.
        if (saver.Watch() == SaverWindowState::Gone || InputSince(startedAt + kSaverInputGraceMs)) {
            saver.Close();
            return TimedSaverRun::EndedEarly;
        }
        // Locked or disconnected: nobody sees it play.
        if (SessionAway()) {
            saver.Close();
            return TimedSaverRun::SessionAway;
        }
    }
    saver.Close();
    return TimedSaverRun::TimeOver;
}

SaverEnd RunSaverUntilEnded(const char* commandLine) {
    SaverProcess saver;
    if (!saver.Start(commandLine)) return SaverEnd::NotStarted;
    const DWORD startedAt = GetTickCount();
    while (!WaitForProcessEnd(saver.Process(), kSaverWatchMs)) {
        // No window to end it from, or a process lingering after its window
        // went: either would keep the program waiting for good.
        const SaverWindowState window = saver.Watch();
        if (window == SaverWindowState::Gone ||
            (window == SaverWindowState::NotYet && GetTickCount() - startedAt >= kSaverWindowWaitMs))
            return saver.Close();
        // Nobody sees it once the session is locked or disconnected.
        if (SessionAway()) return saver.Close();
    }
    return SaverEnd::AlreadyEnded;
}
