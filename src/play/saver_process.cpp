#include "play/saver_process.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "base/process.h"
#include "base/text.h"

namespace {

// Longest time that fits a wait and a timer (about 24 days).
constexpr long long kLongestMs = 0x7FFFFFFF;
constexpr DWORD kTerminateWaitMs = 5000;

struct WindowSearch {
    DWORD processId;
    HWND parent;
    int found;
};

// Posted, not sent: a screen saver that hangs must not hang the program.
BOOL CALLBACK CloseIfTheSavers(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    if (search->parent) {
        if (GetParent(window) != search->parent) return TRUE;
    } else {
        char cls[64] = "";
        GetClassNameA(window, cls, sizeof cls);
        if (std::strcmp(cls, kSaverWindowClass) != 0) return TRUE;
    }
    if (PostMessageA(window, WM_CLOSE, 0, 0)) ++search->found;
    return TRUE;
}

// Waits up to ms for the process to end. Messages other threads send to this
// one are answered meanwhile (nothing posted is touched): a screen saver
// closing a window inside one of ours tells our window so, and would
// otherwise wait for us while we wait for it.
bool WaitForEnd(HANDLE process, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - start;
        const DWORD left = spent >= ms ? 0 : ms - spent;
        const DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0) return true;
        if (woke != WAIT_OBJECT_0 + 1) return false;
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
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
    StartedProcess started = StartProcess(commandLine, SW_SHOWNORMAL);
    process_ = std::move(started.process);
    id_ = started.id;
    return static_cast<bool>(process_);
}

bool SaverProcess::Running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

SaverEnd SaverProcess::Close(DWORD closeWaitMs) {
    if (!Running()) return SaverEnd::AlreadyEnded;
    WindowSearch search{id_, parent_, 0};
    if (parent_)
        EnumChildWindows(parent_, CloseIfTheSavers, reinterpret_cast<LPARAM>(&search));
    else
        EnumWindows(CloseIfTheSavers, reinterpret_cast<LPARAM>(&search));
    if (search.found > 0 && WaitForEnd(process_.get(), closeWaitMs)) return SaverEnd::Closed;
    TerminateProcess(process_.get(), 1);
    WaitForEnd(process_.get(), kTerminateWaitMs);
    return SaverEnd::Terminated;
}

TimedSaverRun RunSaverFor(const char* commandLine, DWORD ms) {
    SaverProcess saver;
    if (!saver.Start(commandLine)) return TimedSaverRun::NotStarted;
    if (WaitForSingleObject(saver.Process(), ms) == WAIT_OBJECT_0) return TimedSaverRun::EndedEarly;
    saver.Close();
    return TimedSaverRun::TimeOver;
}
