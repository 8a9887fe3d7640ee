#include "play/full_screen_run.h"

#include "play/prepare_entry.h"

TimedSaverRun RunEntryFullScreen(int row, int standardSeconds) {
    PreparedEntry prepared;
    char commandLine[kSaverCommandLineSize];
    if (!PrepareSaverCommandLine(row, "/s", commandLine, sizeof commandLine, prepared))
        return TimedSaverRun::NotStarted;
    return RunSaverFor(commandLine, EntrySwitchMilliseconds(prepared.entry.seconds, standardSeconds));
}
