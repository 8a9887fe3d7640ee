#include "play/entry_commands.h"

#include <windows.h>
#include <shellapi.h>

#include "base/process.h"
#include "base/text.h"
#include "base/wide.h"
#include "play/entry_problem.h"
#include "play/play_connections.h"
#include "play/prepare_entry.h"
#include "play/saver_process.h"
#include "play/saver_run_guard.h"

void ConfigureEntry(int row) {
    if (row < 0) return;
    PreparedEntry prepared;
    char commandLine[kSaverCommandLineSize];
    // The settings run beside the program; nothing waits for them.
    if (!PrepareSaverCommandLine(row, "/c", commandLine, sizeof commandLine, prepared))
        ReportEntryProblem(EntryCommand::Configure, prepared);
    else if (!StartWithoutWaiting(commandLine))
        ReportEntryProblem(EntryCommand::Configure, prepared, true);
}

void PreviewEntry(int row) {
    if (row < 0) return;
    SaverRunGuard quiet;
    PreparedEntry prepared;
    char commandLine[kSaverCommandLineSize];
    if (!PrepareSaverCommandLine(row, "/s", commandLine, sizeof commandLine, prepared))
        ReportEntryProblem(EntryCommand::Preview, prepared);
    else if (RunSaverUntilEnded(commandLine) == SaverEnd::NotStarted)
        ReportEntryProblem(EntryCommand::Preview, prepared, true);
}

void SetEntryAsStandard(int row) {
    if (row < 0) return;
    // Nothing is written unless the entry's own file is in place.
    char shortPath[256];
    PreparedEntry prepared;
    if (!PrepareEntryAsStandard(row, shortPath, sizeof shortPath, prepared))
        ReportEntryProblem(EntryCommand::MakeStandard, prepared);
    else if (Play.setStandardSaver)
        Play.setStandardSaver(shortPath);
}

void OpenEntryArchive(int row) {
    SaverEntry entry;
    if (row < 0 || !Play.readRow || !Play.readRow(row, entry) || entry.archive[0] == '\0') return;
    char archive[256];
    if (!JoinPath(archive, sizeof archive, entry.folder, entry.archive)) return;
    ShellExecuteW(nullptr, L"open", Wide(archive), nullptr, nullptr, SW_SHOWNORMAL);
}
