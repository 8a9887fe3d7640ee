// Shared helpers of the archive tests under Wine: where the fixtures and the
// built archiver libraries are, scratch folders, and driving a modal dialog.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Fixture folder: %ZELVISTA_FIXTURES%, else archive_fixtures beside the test's folder.
std::string ArchiveFixture(const std::string& name);
// A built archiver library: %ZELVISTA_ARCHIVERS%, else bin beside the test's folder.
std::string ArchiverDll(const std::string& name);
std::string ReadWholeFile(const std::string& path);  // "" when missing
bool CopyFileTo(const std::string& from, const std::string& to);
// Names in a folder (files and folders, no "." or ".."), sorted.
std::vector<std::string> FolderEntries(const std::string& folder);

// A fresh folder under the temp folder, removed with its contents at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }  // ends with a backslash

private:
    std::string path_;
};

// Runs `steps` one per timer tick while the modal dialog with `caption`
// (opened by `open`) is shown; each step gets the dialog. If the dialog is still
// open after the last step, it is closed with OK so the test never hangs.
void DriveModalDialog(const char* caption, const std::function<void()>& open,
                      std::vector<std::function<void(HWND)>> steps);
