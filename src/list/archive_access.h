// What adding screen savers needs of the archiver libraries. The program
// hands it in: the list does not depend on the archive adapter.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct ArchiveAccess {
    // The libraries found at start-up, by archiver index (0 LZH, 1 ZIP, 2 CAB).
    bool present[3] = {};
    // File names of the archive's .scr members (their folders inside the
    // archive dropped), in archive order; none when the library is missing
    // or refuses the file. An empty name is a member whose name code page
    // 932 cannot write. The owner owns any message the library shows.
    std::vector<std::string> (*listMembers)(int index, const char* archivePath, HWND owner) = nullptr;
    // True when the library reads the file as an archive of its kind: an
    // archive that gives no rows is then one without screen savers.
    bool (*readable)(int index, const char* archivePath) = nullptr;
};
