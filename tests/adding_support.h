// Helpers of the adding and editing tests: the archiver libraries as start-up
// finds them, trees of files to search, the folder search dialog driven as a
// user drives it, and dropped files.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "archive/archiver.h"
#include "support/controls.h"
#include "support/files.h"
#include "support/rows.h"
#include "support/ui.h"

// Marks the built libraries present (or not) as start-up would, and puts the
// program's own findings back when it ends.
class InstalledLibraries {
public:
    InstalledLibraries(bool lzh, bool zip, bool cab);
    ~InstalledLibraries();
    InstalledLibraries(const InstalledLibraries&) = delete;
    InstalledLibraries& operator=(const InstalledLibraries&) = delete;

private:
    ArchiverLibraries saved_;
};

// Creates the file (and the folders above it) with the given bytes.
void MakeFile(const std::string& path, const std::string& bytes = "");
void MakeFolder(const std::string& path);
// A copy of an archive fixture under another name.
void CopyArchiveFixture(const std::string& fixture, const std::string& to);

// The screen savers of a tree in the order the search meets them: a folder's
// .scr files in listing order, then its sub-folders in listing order, names
// beginning with a full stop left out. Paths as the rows show them: folder
// and name with the extension in lower case.
std::vector<std::string> SearchOrder(const std::string& folder, bool subFolders);
// Folder + name of each loose row, in row order.
std::vector<std::string> RowPaths();
// Name + archive of each row, sorted.
std::vector<std::string> SortedRowNames();

// What the user sets in the folder search dialog before pressing Start.
struct SearchRequest {
    std::string folder;
    bool subFolders = false;
    bool archives = false;
    bool kinds[3] = {false, false, false};  // LZH, ZIP, CAB
};
// Sets the folder box and clicks the boxes that differ, as a user would.
void FillSearchDialog(HWND dialog, const SearchRequest& request);

// Calls `step` once for each message the running search dispatches (the
// search dispatches one before each directory entry) until it returns true.
// Must be started just before the search.
class SearchWatcher {
public:
    explicit SearchWatcher(std::function<bool(HWND dialog)> step);
    ~SearchWatcher();
    SearchWatcher(const SearchWatcher&) = delete;
    SearchWatcher& operator=(const SearchWatcher&) = delete;
    void Start(HWND dialog);

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    std::function<bool(HWND)> step_;
    HWND window_ = nullptr;
    HWND dialog_ = nullptr;
};

// Runs command 6102: fills the dialog, presses Start (with `watch` running
// during the search when given), and closes it. Returns the status line
// after the search. `more` may add the dialogs expected after the search.
std::string RunFolderSearch(const SearchRequest& request, std::function<bool(HWND)> watch = nullptr,
                            std::function<void(DialogDriver&)> more = nullptr);

// A drop of these paths onto the main window, as the shell hands it over.
void DropFiles(const std::vector<std::string>& paths);
void DropWideFiles(const std::vector<std::wstring>& paths);
