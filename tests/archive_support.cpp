#include "archive_support.h"


#include <algorithm>
#include <cstdlib>

namespace {

std::string ExeFolderParent() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s = path;
    for (int i = 0; i < 2; ++i) s = s.substr(0, s.find_last_of('\\'));
    return s + "\\";
}

std::string FromEnvironment(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    std::string folder = (value && *value) ? value : ExeFolderParent() + fallback;
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(folder + name + "\\");
            else DeleteFileA((folder + name).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::string ArchiveFixture(const std::string& name) { return FromEnvironment("ZELVISTA_FIXTURES", "archive_fixtures") + name; }

std::string ArchiverDll(const std::string& name) { return FromEnvironment("ZELVISTA_ARCHIVERS", "bin") + name; }

std::string ArchiverTestLibrary(const std::string& name) { return ExeFolderParent() + "archiver_test_libs\\" + name; }

bool CopyFileTo(const std::string& from, const std::string& to) { return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE; }

std::string LowerAscii(std::string s) {
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) ++i;
        else if (c >= 'A' && c <= 'Z') s[i] = static_cast<char>(c + 32);
    }
    return s;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

ScratchFolder::ScratchFolder() {
    static int counter = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "zvarc" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter) + "\\";
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }
