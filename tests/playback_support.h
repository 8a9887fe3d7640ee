// Helpers of the list playback tests: a script of steps that runs while
// playback holds the thread, the play window's buttons and play area, and
// the probe runs of one playback.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "launch_support.h"
#include "support/controls.h"

// Steps that run from a timer while playback (or the play window) holds the
// thread: each waits until its condition holds, then acts. A step that never
// becomes ready within the deadline fails the test and stops playback.
class PlaybackScript {
public:
    explicit PlaybackScript(DWORD deadlineMs = 30000);
    ~PlaybackScript();
    PlaybackScript(const PlaybackScript&) = delete;
    PlaybackScript& operator=(const PlaybackScript&) = delete;
    PlaybackScript& When(std::function<bool()> ready, std::function<void()> act);
    bool finished() const { return next_ == steps_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Poll();
    struct Step {
        std::function<bool()> ready;
        std::function<void()> act;
    };
    std::vector<Step> steps_;
    size_t next_ = 0;
    DWORD deadline_;
    UINT_PTR timer_ = 0;
    bool running_ = false;
};

// Runs that have shown their window.
size_t RunsShown(const ProbeLog& log);

// Plays the list in the play window as its command does, and closes the
// window once playback is over.
void PlayInPlayWindowAndClose();

// Whether the play area shows exactly these bytes, yellow on black at
// (10, 15) in its own device context's font, and nothing else.
bool PlayAreaShows(const std::string& bytes);

// Seconds between two performance counter readings in microseconds.
double SecondsBetween(long long fromUs, long long toUs);
long long NowUs();
