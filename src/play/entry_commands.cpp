#include "play/entry_commands.h"

#include <windows.h>
#include <shellapi.h>

#include "base/process.h"
#include "base/program_paths.h"
#include "base/text.h"
#include "play/play_connections.h"
#include "play/prepare_entry.h"
#include "play/saver_process.h"
#include "play/saver_run_guard.h"

namespace {

// The prepared screen saver's command line with the given switch; false when
// the entry could not be prepared or the line would not fit.
bool PrepareCommandLine(int row, const char* switchText, char (&commandLine)[kSaverCommandLineSize]) {
    const PreparedEntry prepared = PrepareEntry(row, AppPaths.WorkFolder);
    return prepared.ready() && BuildSaverCommandLine(commandLine, sizeof commandLine, prepared.path, switchText);
}

}  // namespace

void ConfigureEntry(int row) {
    if (row < 0) return;
    char commandLine[kSaverCommandLineSize];
    // The settings run beside the program; nothing waits for them.
    if (PrepareCommandLine(row, "/c", commandLine)) StartWithoutWaiting(commandLine);
}

void PreviewEntry(int row) {
    if (row < 0) return;
    SaverRunGuard quiet;
    char commandLine[kSaverCommandLineSize];
    if (PrepareCommandLine(row, "/s", commandLine)) RunAndWait(commandLine);
}

void SetEntryAsStandard(int row) {
    if (row < 0) return;
    // The store folder is never emptied, so the file the system names stays.
    // Nothing is written unless the entry's own file is in place.
    const PreparedEntry prepared = PrepareEntry(row, AppPaths.SaverStoreFolder);
    if (prepared.ready() && prepared.shortPath[0] && Play.setStandardSaver) Play.setStandardSaver(prepared.shortPath);
}

void OpenEntryArchive(int row) {
    SaverEntry entry;
    if (row < 0 || !Play.readRow || !Play.readRow(row, entry) || entry.archive[0] == '\0') return;
    char archive[256];
    if (!CopyText(archive, sizeof archive, entry.folder) || !AppendText(archive, sizeof archive, entry.archive))
        return;
    ShellExecuteA(nullptr, "open", archive, nullptr, nullptr, SW_SHOWNORMAL);
}
