// The screen saver changer: a timer that finds the system's screen saver
// running, closes it and plays the list full screen in its place until the
// user comes back; and the random standard screen saver chosen at start-up.
#pragma once
#include <windows.h>

#include <cstddef>

#include "system/secure_saver.h"

constexpr UINT_PTR kChangerTimerId = 9007;

// The options the changer follows, named as the program's settings: on when
// SscTim is 1; ChgTime the timer's period and the standard switch seconds;
// random order when TimPtn is 2; the start-up choice when SscBgn is not 0.
struct ChangerOptions {
    int SscTim = 0;
    int ChgTime = 30;
    int TimPtn = 1;
    int SscBgn = 0;
};

enum class ChangerEntryResult {
    Skipped,       // not prepared, or its process could not be started
    UserReturned,  // it ended before its time
    TimeOver,      // it played its time and was ended
    SessionAway,   // the session was locked or disconnected: it was ended unseen
};

// The list's rows and the way to play them belong to other parts of the
// program; the main window connects them when it is created.
struct ChangerConnections {
    int (*rowCount)() = nullptr;
    // Plays the row full screen for its own switch seconds, or standardSeconds.
    ChangerEntryResult (*runFullScreen)(int row, int standardSeconds) = nullptr;
    // Puts the row's screen saver where it may stay and gives its short path;
    // false when it cannot be prepared.
    bool (*prepareAsStandard)(int row, char* shortPath, std::size_t size) = nullptr;
};

struct ChangerState {
    ChangerOptions options;
    ChangerConnections entries;
    int userReturned = 0;  // 1 once a screen saver of the run ended before its time
    // When the timer last looked and found no system screen saver: one found
    // later started after it, when its process does not tell its age.
    bool lookedWithoutSaver = false;
    DWORD lookedWithoutSaverAt = 0;
};
extern ChangerState Changer;

void ConnectChanger(const ChangerConnections& entries);
// The program hands its options over whenever it has (re)loaded them.
void SetChangerOptions(const ChangerOptions& options);

// Sets the timer on window when the changer is on, replacing a running one.
// Its period is ChgTime, or the quick watch while the system screen saver is
// password-protected.
void StartChangerTimer(HWND window);
void StopChangerTimer(HWND window);
void CALLBACK OnChangerTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
// Plays the list full screen, in list order or at random, until the user
// comes back, the session is locked or disconnected, or a whole pass
// started nothing. Blocks the thread meanwhile.
ChangerRunEnd RunChanger();
// What the timer does with a system screen saver it found: closes it and
// plays the list in its place, unless it is password-protected and its
// grace period is over; afterwards locks the session when Windows would
// have. ageMs: how long ago that screen saver started.
void ReplaceSystemSaver(HWND systemSaver, DWORD ageMs);
// At start-up: a random entry becomes the standard screen saver when that
// option is on. An entry that cannot be prepared is passed over for another;
// when none can, nothing changes. Nothing is chosen (or extracted) while the
// administrator's policy names the standard screen saver.
void ChooseRandomStandardSaver();
