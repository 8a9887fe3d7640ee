#include "system/changer.h"

#include <cstdlib>
#include <ctime>
#include <utility>
#include <vector>

#include "app/paths.h"
#include "list/entry_list.h"
#include "play/prepare_entry.h"
#include "play/saver_process.h"
#include "settings/settings.h"
#include "system/screen_saver.h"

ChangerState Changer;

namespace {

// The generator is seeded with the time in seconds before every choice, so
// two choices within one second give the same row.
int RandomRow(int rowCount) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    return std::rand() % rowCount;
}

}  // namespace

void AttachChanger(HWND owner) {
    Changer = ChangerState{};
    Changer.owner = owner;
}

void StartChangerTimer() {
    if (AppSettings.SscTim != 1 || !Changer.owner) return;
    SetTimer(Changer.owner, kChangerTimerId, EntrySwitchMilliseconds("0", AppSettings.ChgTime), OnChangerTimer);
}

void StopChangerTimer() {
    if (Changer.owner) KillTimer(Changer.owner, kChangerTimerId);
}

void CALLBACK OnChangerTimer(HWND, UINT, UINT_PTR, DWORD) {
    StopChangerTimer();
    try {
        HWND systemSaver = GetEntryRowCount() >= 2 ? FindWindowA(kSaverWindowClass, nullptr) : nullptr;
        if (systemSaver) {
            // Bounded: a hung screen saver must not hang the program.
            SendMessageTimeoutA(systemSaver, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kSaverCloseWaitMs, nullptr);
            RunChanger();
        }
    } catch (...) {
        // Nothing may unwind into the message dispatch; the timer goes on.
    }
    StartChangerTimer();
}

void RunChanger() {
    const int wasActive = IsScreenSaverActive();
    DisableScreenSaver();  // the system must not start its own meanwhile
    const int rowCount = GetEntryRowCount();
    Changer.userReturned = 0;
    Changer.position = 0;
    int skippedInARow = 0;
    while (rowCount > 0) {
        if (Changer.position >= GetEntryRowCount()) Changer.position = 0;
        if (AppSettings.TimPtn == 2) Changer.position = RandomRow(rowCount);
        const ChangerEntryResult result = RunChangerEntry(Changer.position);
        if (Changer.userReturned == 1) break;
        // Without this the thread would stay blocked for good on a list
        // where nothing can be started.
        skippedInARow = result == ChangerEntryResult::Skipped ? skippedInARow + 1 : 0;
        if (skippedInARow >= rowCount) break;
        ++Changer.position;
    }
    if (wasActive == 1) EnableScreenSaver();
}

ChangerEntryResult RunChangerEntry(int row) {
    char commandLine[kSaverCommandLineSize];
    if (PrepareEntry(row, WorkFolder) != PrepareOutcome::Ready ||
        !BuildSaverCommandLine(commandLine, sizeof commandLine, RunnableSaverPath, "/s"))
        return ChangerEntryResult::Skipped;
    switch (RunSaverFor(commandLine, EntrySwitchMilliseconds(CurrentEntry.seconds, AppSettings.ChgTime))) {
    case TimedSaverRun::NotStarted:
        return ChangerEntryResult::Skipped;
    case TimedSaverRun::EndedEarly:
        // A screen saver ends early when the user moves the mouse or presses a key.
        Changer.userReturned = 1;
        return ChangerEntryResult::UserReturned;
    default:
        return ChangerEntryResult::TimeOver;
    }
}

void ChooseRandomStandardSaver() {
    if (AppSettings.SscBgn == 0) return;
    const int rowCount = GetEntryRowCount();
    if (rowCount == 0) return;
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
        if (PrepareEntry(row, SaverStoreFolder) == PrepareOutcome::Ready && ShortSaverPath[0] != '\0') {
            SetStandardScreenSaver();
            return;
        }
    }
}
