// The one record of list playback, shared by the player and the play window.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "play/saver_process.h"

struct PlaybackState {
    int inWindow = 0;       // 1 while the list plays in the play window, 0 full screen
    int abort = 0;          // Esc or Stop: cleared at the start of every pass
    int entryFinished = 0;  // the playing entry's time is over or its screen saver has gone
    int playStarted = 0;    // the play window's first paint has started playback
    bool playing = false;   // PlayList runs
    bool stopRequested = false;  // the program asked playback to end: never cleared by a pass
    std::unique_ptr<SaverProcess> saver;  // the playing entry's screen saver, until the entry ends
    HWND playWindow = nullptr;
    HWND playArea = nullptr;
    std::string playAreaText;  // shown in the play area until a screen saver covers it
};
extern PlaybackState Playback;
