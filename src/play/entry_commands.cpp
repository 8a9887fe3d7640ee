#include "play/entry_commands.h"

#include <windows.h>
#include <shellapi.h>

#include "app/paths.h"
#include "list/entry_list.h"
#include "play/prepare_entry.h"
#include "play/run_process.h"
#include "play/saver_process.h"
#include "play/saver_run_guard.h"

namespace {

// The prepared screen saver's command line with the given switch; false when
// the entry could not be prepared or the line would not fit.
bool PrepareCommandLine(int row, const char* switchText, char (&commandLine)[kSaverCommandLineSize]) {
    return PrepareEntry(row, WorkFolder) == PrepareOutcome::Ready &&
           BuildSaverCommandLine(commandLine, sizeof commandLine, RunnableSaverPath, switchText);
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
    if (PrepareEntry(row, SaverStoreFolder) != PrepareOutcome::Ready || ShortSaverPath[0] == '\0') return;
    if (SystemSaver.setStandard) SystemSaver.setStandard();
}

void OpenEntryArchive(int row) {
    if (row < 0 || row >= GetEntryRowCount()) return;
    ReadEntryRow(row);
    if (CurrentEntry.archive[0] == '\0') return;
    char archive[256];
    if (!CopyText(archive, sizeof archive, CurrentEntry.folder) ||
        !AppendText(archive, sizeof archive, CurrentEntry.archive))
        return;
    ShellExecuteA(nullptr, "open", archive, nullptr, nullptr, SW_SHOWNORMAL);
}
