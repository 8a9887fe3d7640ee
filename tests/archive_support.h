// Helpers of the archive tests under Wine: where the fixtures and the built
// archiver libraries are, and scratch folders removed after use.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Fixture folder: %ZELVISTA_FIXTURES%, else archive_fixtures beside the test's folder.
std::string ArchiveFixture(const std::string& name);
// A built archiver library: %ZELVISTA_ARCHIVERS%, else bin beside the test's folder.
std::string ArchiverDll(const std::string& name);
// A faulty library built for the tests: archiver_test_libs beside the test's folder.
std::string ArchiverTestLibrary(const std::string& name);
bool CopyFileTo(const std::string& from, const std::string& to);
// ASCII letters in lower case, not touching the trail bytes of double-byte characters.
std::string LowerAscii(std::string text);
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

