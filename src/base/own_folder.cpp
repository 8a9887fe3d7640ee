#include "base/own_folder.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "base/handles.h"
#include "base/text.h"
#include "base/wide.h"

const char kOwnFolderMarkName[] = "Zelvista.tag";
const char kOwnFolderSignature[] = "Zelvista work folder 0bb96ba2-ccf8-4da5-99fd-f836f120c7c9";

namespace {

// What the mark says to a user who opens it; only its first line is checked.
const char kMarkExplanation[] =
    "Zelvista made this folder for the screen savers it takes out of archives.\r\n"
    "It empties the folder at every start and before it takes out the next one:\r\n"
    "do not keep files of your own here.\r\n";

bool MarkPath(char (&path)[MAX_PATH], const char* folder) {
    return folder && folder[0] && JoinPath(path, sizeof path, folder, kOwnFolderMarkName);
}

// The pattern that lists everything in folder; false when it does not fit.
bool FolderPattern(char (&pattern)[MAX_PATH], const char* folder) {
    return folder && folder[0] && JoinPath(pattern, sizeof pattern, folder, "*");
}

bool IsFolder(const char* folder) {
    const DWORD attributes = GetFileAttributesW(Wide(folder));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsEmptyFolder(const char* folder) {
    char pattern[MAX_PATH];
    if (!FolderPattern(pattern, folder)) return false;
    // In UTF-16: a file whose name code page 932 cannot write counts too.
    WIN32_FIND_DATAW found;
    FindHandle find(FindFirstFileW(Wide(pattern), &found));
    if (!find) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (std::wcscmp(found.cFileName, L".") != 0 && std::wcscmp(found.cFileName, L"..") != 0) return false;
    } while (FindNextFileW(find.get(), &found));
    return true;
}

// Writes the mark as a new file: an existing file of that name is never
// replaced.
bool WriteMark(const char* folder) {
    char path[MAX_PATH];
    if (!MarkPath(path, folder)) return false;
    Handle file(CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    std::string text = kOwnFolderSignature;
    text += "\r\n";
    text += kMarkExplanation;
    DWORD wrote = 0;
    const bool ok = WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr) &&
                    wrote == text.size() && FlushFileBuffers(file.get());
    file.reset();
    if (!ok) DeleteFileW(Wide(path));  // a mark of our own, half written
    return ok;
}

bool SameName(const wchar_t* found, const char* name) {
    return name && _wcsicmp(found, Wide(name)) == 0;
}

}  // namespace

bool IsOwnFolder(const char* folder) {
    char path[MAX_PATH];
    if (!MarkPath(path, folder)) return false;
    Handle file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    // The signature and its line end, and not one byte of another line
    // before them.
    const std::size_t want = std::strlen(kOwnFolderSignature) + 2;
    char head[128];
    DWORD got = 0;
    if (want > sizeof head || !ReadFile(file.get(), head, static_cast<DWORD>(want), &got, nullptr) || got != want)
        return false;
    return std::memcmp(head, kOwnFolderSignature, want - 2) == 0 && head[want - 2] == '\r' && head[want - 1] == '\n';
}

OwnFolder MakeOwnFolder(const char* folder) {
    if (!folder || !folder[0]) return OwnFolder::CannotMake;
    if (CreateDirectoryW(Wide(folder), nullptr)) return WriteMark(folder) ? OwnFolder::Ours : OwnFolder::CannotMake;
    if (!IsFolder(folder)) return OwnFolder::CannotMake;
    if (IsOwnFolder(folder)) return OwnFolder::Ours;
    // Holding nothing, the folder can become ours without anything of
    // anyone's being at stake.
    if (!IsEmptyFolder(folder)) return OwnFolder::NotOurs;
    return WriteMark(folder) ? OwnFolder::Ours : OwnFolder::CannotMake;
}

bool EmptyOwnFolder(const char* folder, const char* keep) {
    if (!IsOwnFolder(folder)) return false;
    char pattern[MAX_PATH];
    if (!FolderPattern(pattern, folder)) return false;
    // In UTF-16 throughout: a file whose name code page 932 cannot write goes too.
    const std::wstring wideFolder(Wide(folder).view());
    WIN32_FIND_DATAW found;
    FindHandle find(FindFirstFileW(Wide(pattern), &found));
    if (!find) return true;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (SameName(found.cFileName, kOwnFolderMarkName) || SameName(found.cFileName, keep)) continue;
        DeleteFileW((wideFolder + found.cFileName).c_str());
    } while (FindNextFileW(find.get(), &found));
    return true;
}

bool DeleteOwnFile(const char* folder, const char* name) {
    // A plain name only: nothing outside the folder, and never the mark.
    if (!name || !name[0] || FileNameOffset(name) != 0 || _stricmp(name, kOwnFolderMarkName) == 0 ||
        !IsOwnFolder(folder))
        return false;
    char file[MAX_PATH];
    return JoinPath(file, sizeof file, folder, name) && DeleteFileW(Wide(file));
}
