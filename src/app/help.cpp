#include "app/help.h"

#include <windows.h>
#include <shellapi.h>

#include "app/main_window.h"
#include "base/files.h"
#include "base/program_paths.h"
#include "base/text.h"
#include "base/wide.h"

void ShowDisplayProperties() {
    ShellExecuteW(nullptr, L"open", L"control.exe", L"desk.cpl,,1", nullptr, SW_SHOWNA);
}

// The help is one HTML page beside the program, opened with the user's browser.
void ShowHelp() {
    if (!AppPaths.ProgramFolder[0]) return;
    char page[MAX_PATH];
    if (!JoinPath(page, sizeof page, AppPaths.ProgramFolder, kHelpFileName)) return;
    if (!FileExists(page)) return;
    ShellExecuteW(MainWindow, L"open", Wide(page), nullptr, nullptr, SW_SHOWNORMAL);
}
