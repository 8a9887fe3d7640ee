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

std::string HelpPagePath() {
    char page[MAX_PATH];
    if (!AppPaths.ProgramFolder[0] || !JoinPath(page, sizeof page, AppPaths.ProgramFolder, kHelpFileName)) return "";
    return page;
}

// The help is one HTML page beside the program, opened with the user's browser.
void ShowHelp() {
    const std::string page = HelpPagePath();
    if (page.empty() || !FileExists(page.c_str())) return;
    ShellExecuteW(MainWindow, L"open", Wide(page), nullptr, nullptr, SW_SHOWNORMAL);
}
