#include "system/changer.h"

#include <cstdlib>
#include <ctime>
#include <utility>
#include <vector>

#include "base/long_operation.h"
#include "base/process.h"
#include "base/saver_window.h"
#include "base/session.h"
#include "system/screen_saver.h"
#include "system/screen_saver_policy.h"

ChangerState Changer;

namespace {

// How long a closed system screen saver may take to answer.
constexpr UINT kCloseAnswerMs = 3000;
// Longest period a timer takes (about 24 days).
constexpr long long kLongestMs = 0x7FFFFFFF;

int RowCount() {
    return Changer.entries.rowCount ? Changer.entries.rowCount() : 0;
}

// The generator is seeded with the time in seconds before every choice, so
// two choices within one second give the same row.
int RandomRow(int rowCount) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    return std::rand() % rowCount;
}

ChangerEntryResult RunChangerEntry(int row) {
    if (!Changer.entries.runFullScreen) return ChangerEntryResult::Skipped;
    const ChangerEntryResult result = Changer.entries.runFullScreen(row, Changer.options.ChgTime);
    // A screen saver ends early when the user moves the mouse or presses a key.
    if (result == ChangerEntryResult::UserReturned) Changer.userReturned = 1;
    return result;
}

UINT TimerPeriodMs() {
    long long seconds = Changer.options.ChgTime > 0 ? Changer.options.ChgTime : 1;  // a hand-edited 0 or less
    return static_cast<UINT>(seconds > kLongestMs / 1000 ? kLongestMs : seconds * 1000);
}

// How long ago the system screen saver started: its process says; failing
// that it started after the last look that did not find it. Unknown counts
// as long ago.
DWORD SystemSaverAgeMs(HWND systemSaver) {
    DWORD processId = 0;
    DWORD age = 0;
    if (GetWindowThreadProcessId(systemSaver, &processId) && ProcessAgeMs(processId, &age)) return age;
    if (Changer.lookedWithoutSaver) return GetTickCount() - Changer.lookedWithoutSaverAt;
    return static_cast<DWORD>(kLongestMs);
}

// True when a run replaced it (the program's own loop was blocked meanwhile).
bool LookForSystemSaver(const ScreenSaverPolicy& policy) {
    // A screen saver of another window class is known by its file: the
    // administrator's when a policy names one, else the user's.
    char standard[MAX_PATH] = "";
    ReadStandardScreenSaverInEffect(policy, standard, sizeof standard);
    HWND systemSaver = FindSystemSaverWindow(standard);
    if (!systemSaver) {
        Changer.lookedWithoutSaver = true;
        Changer.lookedWithoutSaverAt = GetTickCount();
        return false;
    }
    ReplaceSystemSaver(systemSaver, SystemSaverAgeMs(systemSaver));
    return true;
}

// A password-protected one must be found within its grace period: while the
// system's screen saver is secure the timer looks more often.
void ArmChangerTimer(HWND window, const ScreenSaverPolicy& policy) {
    if (Changer.options.SscTim != 1) return;
    const bool secure = ReadScreenSaverSecure(policy);
    SetTimer(window, kChangerTimerId, ChangerWatchPeriodMs(TimerPeriodMs(), secure), OnChangerTimer);
}

}  // namespace

void ConnectChanger(const ChangerConnections& entries) {
    Changer.entries = entries;
}

void SetChangerOptions(const ChangerOptions& options) {
    Changer.options = options;
}

void StartChangerTimer(HWND window) {
    ArmChangerTimer(window, ReadScreenSaverPolicy());
}

void StopChangerTimer(HWND window) {
    KillTimer(window, kChangerTimerId);
}

void CALLBACK OnChangerTimer(HWND window, UINT, UINT_PTR, DWORD) {
    StopChangerTimer(window);
    // Read once a tick: the look and the next period both follow it, unless
    // a run went on meanwhile, during which the settings may have changed.
    ScreenSaverPolicy policy;
    bool ran = false;
    try {
        policy = ReadScreenSaverPolicy();
        // A folder search or playback is using the list between its steps:
        // this tick is left out, the next one looks again. So while the
        // session is locked or disconnected: the list would play unseen.
        const bool listBusy = RunningLongOperation() != LongOperation::None;
        if (!listBusy && RowCount() >= 2 && !SessionAway()) ran = LookForSystemSaver(policy);
    } catch (...) {
        // Nothing may unwind into the message dispatch; the timer goes on.
        ran = true;
    }
    if (ran) {
        StartChangerTimer(window);
    } else {
        ArmChangerTimer(window, policy);
    }
}

void ReplaceSystemSaver(HWND systemSaver, DWORD ageMs) {
    const SecureSaverFacts secure = ReadSecureSaverFacts();
    // Past its grace period a password-protected one has locked the session
    // (or will as it ends): the list would play behind the sign-in screen.
    if (!MayReplaceSystemSaver(secure, ageMs)) return;
    const DWORD foundAt = GetTickCount();
    // Bounded: a hung screen saver must not hang the program.
    SendMessageTimeoutA(systemSaver, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kCloseAnswerMs, nullptr);
    const ChangerRunEnd end = RunChanger();
    const DWORD ranMs = GetTickCount() - foundAt;
    const DWORD sinceStart = ageMs > MAXDWORD - ranMs ? MAXDWORD : ageMs + ranMs;
    // Whoever comes back after the grace period meets the sign-in screen,
    // as with Windows' own screen saver; within it, the desktop.
    if (LockWhenChangerRunEnds(secure, sinceStart, end)) LockSession();
}

ChangerRunEnd RunChanger() {
    // The system must not start its own meanwhile.
    ScreenSaverOffScope systemSaverOff;
    // The thread blocks in each screen saver's run, answering only what other
    // threads send: nothing edits the list meanwhile, so its count holds.
    const int rowCount = RowCount();
    Changer.userReturned = 0;
    if (rowCount <= 0) return ChangerRunEnd::NothingStarted;
    // Seeded once per run: seeded again before each choice, every choice
    // within one second would give the same row, and one that cannot start
    // would be picked until the run gave up.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    // Rows that failed to start since the last one that started. The run ends
    // only when every row has failed in one pass, or the thread would stay
    // blocked for good on a list where nothing can be started; at random the
    // others are picked meanwhile.
    std::vector<char> failed(static_cast<std::size_t>(rowCount), 0);
    int failedCount = 0;
    int position = 0;
    while (true) {
        if (position >= rowCount) position = 0;
        if (Changer.options.TimPtn == 2) {
            int pick = std::rand() % (rowCount - failedCount);
            for (position = 0; failed[static_cast<std::size_t>(position)] || pick > 0; ++position)
                if (!failed[static_cast<std::size_t>(position)]) --pick;
        }
        const ChangerEntryResult result = RunChangerEntry(position);
        if (Changer.userReturned == 1) return ChangerRunEnd::UserReturned;
        if (result == ChangerEntryResult::SessionAway) return ChangerRunEnd::SessionAway;
        if (result != ChangerEntryResult::Skipped) {
            failed.assign(failed.size(), 0);
            failedCount = 0;
        } else if (!failed[static_cast<std::size_t>(position)]) {
            failed[static_cast<std::size_t>(position)] = 1;
            if (++failedCount >= rowCount) return ChangerRunEnd::NothingStarted;
        }
        ++position;
    }
}

void ChooseRandomStandardSaver() {
    if (Changer.options.SscBgn == 0 || !Changer.entries.prepareAsStandard) return;
    // The administrator's policy names it: nothing to choose or extract.
    if (PolicyFixes(ReadScreenSaverPolicy(), ManagedSetting::StandardSaver)) return;
    const int rowCount = RowCount();
    if (rowCount <= 0) return;
    const int chosen = RandomRow(rowCount);
    // The chosen row first, then the others in random order.
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(rowCount));
    order.push_back(chosen);
    for (int row = 0; row < rowCount; ++row)
        if (row != chosen) order.push_back(row);
    for (std::size_t i = order.size() - 1; i > 1; --i)
        std::swap(order[i], order[1 + static_cast<std::size_t>(std::rand()) % i]);
    for (int row : order) {
        char shortPath[256] = "";
        if (Changer.entries.prepareAsStandard(row, shortPath, sizeof shortPath) && shortPath[0]) {
            SetStandardScreenSaver(shortPath);
            return;
        }
    }
}
