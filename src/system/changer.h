// The screen saver changer: a timer that finds the system's screen saver
// running, closes it and plays the list full screen in its place until the
// user comes back; and the random standard screen saver chosen at start-up.
#pragma once
#include <windows.h>

constexpr UINT_PTR kChangerTimerId = 9007;

struct ChangerState {
    HWND owner = nullptr;  // the window that holds the timer
    int position = 0;      // the row the changer runs next
    int userReturned = 0;  // 1 once a screen saver of the run ended before its time
};
extern ChangerState Changer;

enum class ChangerEntryResult {
    Skipped,       // not prepared, or its process could not be started
    UserReturned,  // it ended before its time
    TimeOver,      // it played its time and was ended
};

// The window that holds the changer timer; a new main window replaces the old.
void AttachChanger(HWND owner);
// Sets the timer (period ChgTime seconds) when the changer is on, replacing a running one.
void StartChangerTimer();
void StopChangerTimer();
void CALLBACK OnChangerTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
// Plays the list full screen, in list order or at random, until the user
// comes back or a whole pass started nothing. Blocks the thread meanwhile.
void RunChanger();
ChangerEntryResult RunChangerEntry(int row);
// At start-up: a random entry becomes the standard screen saver when that
// option is on. An entry that cannot be prepared is passed over for another;
// when none can, nothing changes.
void ChooseRandomStandardSaver();
