#include "play/full_screen_run.h"

#include "base/program_paths.h"
#include "play/prepare_entry.h"

TimedSaverRun RunEntryFullScreen(int row, int standardSeconds) {
    const PreparedEntry prepared = PrepareEntry(row, AppPaths.WorkFolder);
    char commandLine[kSaverCommandLineSize];
    if (!prepared.ready() || !BuildSaverCommandLine(commandLine, sizeof commandLine, prepared.path, "/s"))
        return TimedSaverRun::NotStarted;
    return RunSaverFor(commandLine, EntrySwitchMilliseconds(prepared.entry.seconds, standardSeconds));
}
