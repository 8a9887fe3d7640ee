#include "base/files.h"

#include <windows.h>

#include <algorithm>

#include "base/handles.h"
#include "base/text.h"

int FileExists(const char* pathOrPattern) {
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA(pathOrPattern, &data));
    return find ? 1 : 0;
}

bool ReadWholeFile(const char* path, std::string& out, std::size_t maxBytes) {
    Handle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || static_cast<unsigned long long>(size.QuadPart) > maxBytes) return false;
    out.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < out.size()) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1 << 20));
        if (!ReadFile(file.get(), out.data() + done, want, &got, nullptr)) return false;
        if (got == 0) break;
        done += got;
    }
    out.resize(done);
    return true;
}

bool ReplaceFileContents(const char* target, const std::string& bytes) {
    char folder[MAX_PATH], name[MAX_PATH];
    if (!SplitFolderAndName(target, folder, sizeof folder, name, sizeof name)) return false;
    if (folder[0] == '\0') CopyText(folder, sizeof folder, ".");
    char temp[MAX_PATH];
    if (!GetTempFileNameA(folder, "zvl", 0, temp)) return false;
    bool ok = false;
    {
        Handle file(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            ok = true;
            std::size_t done = 0;
            while (ok && done < bytes.size()) {
                DWORD wrote = 0;
                DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
                ok = WriteFile(file.get(), bytes.data() + done, want, &wrote, nullptr) && wrote == want;
                done += wrote;
            }
            ok = ok && FlushFileBuffers(file.get());
            ok = CloseHandle(file.release()) && ok;
        }
    }
    ok = ok && MoveFileExA(temp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileA(temp);
    return ok;
}

void DeleteFilesInFolder(const char* folder) {
    if (folder[0] == '\0') return;
    char pattern[MAX_PATH];
    if (!CopyText(pattern, sizeof pattern, folder) || !AppendText(pattern, sizeof pattern, "*.*")) return;
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA(pattern, &data));
    if (!find) return;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        char file[MAX_PATH];
        if (CopyText(file, sizeof file, folder) && AppendText(file, sizeof file, data.cFileName))
            DeleteFileA(file);
    } while (FindNextFileA(find.get(), &data));
}
