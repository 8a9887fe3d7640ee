#include "app/help.h"

#include <windows.h>
#include <shellapi.h>

#include "app/main_window.h"
#include "base/files.h"
#include "base/program_paths.h"
#include "base/text.h"

void ShowDisplayProperties() {
    ShellExecuteA(nullptr, "open", "control.exe", "desk.cpl,,1", nullptr, SW_SHOWNA);
}

std::string HelpPagePath() {
    char page[MAX_PATH];
    if (!AppPaths.ProgramFolder[0] || !JoinPath(page, sizeof page, AppPaths.ProgramFolder, kHelpFileName)) return "";
    return page;
}

// The help is one HTML page beside the program, opened with the user's browser.
void ShowHelp() {
    const std::string page = HelpPagePath();
    if (page.empty() || !FileExists(page.c_str())) return;
    ShellExecuteA(MainWindow, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
