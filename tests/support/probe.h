// The probe screen saver (Probe.scr beside the tests): copies of it under
// other names, and what it wrote about each start.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// One start of a probe, put together from its log lines.
struct ProbeRun {
    DWORD pid = 0;
    std::string name;       // its file name
    std::string mode;       // "s", "p", "c" or "a"
    std::string parent;     // the handle given after /p or /c:, decimal
    std::string behaviour;  // "normal", "nowindow", ...
    std::string commandLine;
    long long time = 0;     // wall clock at the start, seconds
    long long startUs = 0;
    long long createdUs = 0;  // when its process was created, a while before its start
    long long windowUs = -1;  // -1 until its window exists
    std::string windowClass;
    std::string windowHandle;
    int active = -1;          // the system's active setting as the probe saw it
    int width = -1, height = -1;  // its window's client size
    long long hiddenUs = -1;  // linger: when it hid its window, -1 if it never did
    long long endUs = -1;     // -1 while it runs (or when it was killed)
    std::string endReason;    // close, key, mouse, endtime, parent, exit
    bool ignoredClose = false;
};

// A log file of its own for the probes started while it lives
// (%ZELVISTA_PROBE_LOG%, inherited by every process the tests start).
class ProbeLog {
public:
    ProbeLog();
    ~ProbeLog();
    ProbeLog(const ProbeLog&) = delete;
    ProbeLog& operator=(const ProbeLog&) = delete;
    std::vector<ProbeRun> Runs() const;
    // Waits up to ms until done(Runs()) holds; returns the last runs read.
    // With pump, this thread's messages run meanwhile (a probe inside one of
    // its windows waits for them).
    std::vector<ProbeRun> WaitFor(const std::function<bool(const std::vector<ProbeRun>&)>& done, DWORD ms,
                                  bool pump = false) const;
    void Clear() const;

private:
    std::string path_;
};

// The names of the runs, in their order.
std::vector<std::string> RunNames(const std::vector<ProbeRun>& runs);
// One line per run for a failure message: its name, when it logged its
// start, showed its window and ended (milliseconds after its process's
// creation, - for never), and why it ended.
std::string DescribeRuns(const std::vector<ProbeRun>& runs);

// Probe behaviour for every probe started from now on ("" for none).
void SetProbeEnvironment(const char* variable, const std::string& value);
// Copies the probe to path; the name may carry a behaviour word.
bool InstallProbe(const std::string& path);
std::string ProbeSaverPath();
// True when the process has ended (or is unknown).
bool ProcessEnded(DWORD pid);
// Starts a probe as the system would start its screen saver (full screen).
// Returns its process id, 0 on failure.
DWORD StartSystemSaverProbe(const std::string& path);
