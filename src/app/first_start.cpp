#include "app/first_start.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "app/installed_archives.h"
#include "app/main_window.h"
#include "base/files.h"
#include "base/handles.h"
#include "base/path_names.h"
#include "base/program_paths.h"
#include "base/strings.h"
#include "base/text.h"
#include "base/wide.h"
#include "list/add_files.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "res/resource.h"
#include "settings/settings.h"

namespace {

// The folder beside the program that the installer and the ZIP fill with
// our screen savers.
constexpr char kSamplesFolder[] = "samples\\";

bool firstStartPending = false;

// The files of folder (ending with a separator) that match pattern, by name
// in code page 932 (a name it cannot write by its short name; one with
// neither is not offered: the offer is a start, not a search).
std::vector<std::string> FilesIn(const std::string& folder, const char* pattern) {
    std::vector<std::string> names;
    if (folder.empty()) return names;
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW(Wide(folder + pattern), &found));
    if (!search) return names;
    std::string name;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && FoundNameIn932(found, name))
            names.push_back(name);
    } while (FindNextFileW(search.get(), &found));
    // The file system's order is its own; the list gets the names in order,
    // compared as Windows compares them whatever the process's code page.
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiW(Wide(a), Wide(b)) < 0; });
    return names;
}

std::string WithSeparator(const char* folder) {
    std::string path = folder;
    if (!path.empty() && !EndsWithSeparator(path.c_str())) path += '\\';
    return path;
}

// A file the list can take: a screen saver, or (when archivesToo) an archive
// whose library is there.
bool Offered(const std::string& path, const ArchiveAccess& archives, bool archivesToo) {
    if (CheckListable(path.c_str()) != Refusal::None) return false;
    const FileKind kind = ClassifyFile(path.c_str());
    if (kind == FileKind::ScreenSaver) return true;
    const int index = ArchiverIndexOf(kind);
    return archivesToo && index >= 0 && archives.present[index];
}

}  // namespace

void NoteWhetherFirstStart() {
    const char* standard = AppPaths.StandardListPath;
    firstStartPending = standard[0] && !FileExists(standard) && !AnySettingStored();
}

bool IsFirstStartPending() {
    return firstStartPending;
}

std::vector<std::string> FirstListCandidates() {
    const ArchiveAccess archives = InstalledArchives();
    std::vector<std::string> files;
    auto take = [&](const std::string& folder, const char* pattern, bool archivesToo) {
        for (const std::string& name : FilesIn(folder, pattern)) {
            const std::string path = folder + name;
            if (Offered(path, archives, archivesToo) &&
                std::find(files.begin(), files.end(), path) == files.end())
                files.push_back(path);
        }
    };
    if (AppPaths.ProgramFolder[0]) take(std::string(AppPaths.ProgramFolder) + kSamplesFolder, "*", true);
    take(WithSeparator(AppPaths.WindowsFolder), "*.scr", false);
    take(WithSeparator(AppPaths.SystemFolder), "*.scr", false);
    return files;
}

void OfferFirstList() {
    if (!firstStartPending) return;
    firstStartPending = false;
    const std::vector<std::string> files = FirstListCandidates();
    // Nothing to add: no question, and nothing remembered either.
    if (files.empty()) return;
    const int answer =
        ShowMessageBox(MainWindow, LoadText(IDS_FIRST_LIST_OFFER), LoadText(IDS_APP_TITLE), MB_YESNO | MB_ICONQUESTION);
    // Closed from elsewhere (the program was ended meanwhile): no answer.
    if ((answer != IDYES && answer != IDNO) || !IsWindow(MainWindow)) return;
    WriteSettingDword(kSmpOfr, 1);
    if (answer != IDYES) return;

    const ArchiveAccess archives = InstalledArchives();
    ArchiveGate gate;
    std::copy(std::begin(archives.present), std::end(archives.present), std::begin(gate.open));
    for (const std::string& file : files) AddFileToList(file.c_str(), gate, archives, MainWindow);
    if (GetEntryRowCount() == 0) return;
    SelectEntryRow(0);
    // Kept as the standard list, the list is there at the next start; a list
    // that could not be written stays changed, and closing asks about it.
    if (SaveListFile(AppPaths.StandardListPath) == SaveOutcome::Saved)
        CopyText(CurrentList.Path, sizeof CurrentList.Path, AppPaths.StandardListPath);
}
