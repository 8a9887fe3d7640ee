#include "play/full_screen_run.h"

#include "play/entry_problem.h"
#include "play/prepare_entry.h"

TimedSaverRun RunEntryFullScreen(int row, int standardSeconds) {
    PreparedEntry prepared;
    char commandLine[kSaverCommandLineSize];
    // What cannot run is skipped, and the status bar says which and why.
    if (!PrepareSaverCommandLine(row, "/s", commandLine, sizeof commandLine, prepared)) {
        ReportSkippedEntry(prepared);
        return TimedSaverRun::NotStarted;
    }
    const TimedSaverRun run = RunSaverFor(commandLine, EntrySwitchMilliseconds(prepared.entry.seconds, standardSeconds));
    if (run == TimedSaverRun::NotStarted) ReportSkippedEntry(prepared, true);
    return run;
}
