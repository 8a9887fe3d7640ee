#include "play/entry_commands.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "base/process.h"
#include "base/strings.h"
#include "base/text.h"
#include "base/wide.h"
#include "play/play_connections.h"
#include "play/prepare_entry.h"
#include "play/saver_process.h"
#include "play/saver_run_guard.h"
#include "res/resource.h"

void ConfigureEntry(int row) {
    if (row < 0) return;
    PreparedEntry prepared;
    char commandLine[kSaverCommandLineSize];
    // The settings run beside the program; nothing waits for them.
    if (PrepareSaverCommandLine(row, "/c", commandLine, sizeof commandLine, prepared))
        StartWithoutWaiting(commandLine);
}

namespace {

// A preview the user asked for does not fail unseen when its file is held
// by its own settings: the message names the file.
void ReportFileInUse(const PreparedEntry& prepared) {
    if (prepared.outcome != PrepareOutcome::FileInUse) return;
    ShowMessageBox(Play.owner, FormatText(IDS_CANNOT_RUN_FILE, prepared.path), LoadText(IDS_APP_TITLE),
                   MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

void PreviewEntry(int row) {
    if (row < 0) return;
    SaverRunGuard quiet;
    PreparedEntry prepared;
    char commandLine[kSaverCommandLineSize];
    if (PrepareSaverCommandLine(row, "/s", commandLine, sizeof commandLine, prepared)) RunSaverUntilEnded(commandLine);
    else ReportFileInUse(prepared);
}

void SetEntryAsStandard(int row) {
    if (row < 0) return;
    // Nothing is written unless the entry's own file is in place.
    char shortPath[256];
    if (PrepareEntryAsStandard(row, shortPath, sizeof shortPath) && Play.setStandardSaver)
        Play.setStandardSaver(shortPath);
}

void OpenEntryArchive(int row) {
    SaverEntry entry;
    if (row < 0 || !Play.readRow || !Play.readRow(row, entry) || entry.archive[0] == '\0') return;
    char archive[256];
    if (!JoinPath(archive, sizeof archive, entry.folder, entry.archive)) return;
    ShellExecuteW(nullptr, L"open", Wide(archive), nullptr, nullptr, SW_SHOWNORMAL);
}
