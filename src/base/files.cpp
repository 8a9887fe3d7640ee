#include "base/files.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "base/handles.h"
#include "base/text.h"
#include "base/wide.h"

int FileExists(const char* pathOrPattern) {
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(Wide(pathOrPattern), &data));
    return find ? 1 : 0;
}

bool ReadWholeFile(const char* path, std::string& out, std::size_t maxBytes) {
    Handle file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
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

namespace {

// Creates a new file beside target, named in target's folder with a short
// name of our own that never makes the path longer than target's ("~zl0" to
// "~zlf"); false when none can be made.
Handle CreateFileBeside(const char* target, char (&path)[256]) {
    const std::size_t folder = FileNameOffset(target);
    const char* const digits = "0123456789abcdef";
    for (int i = 0; i < 16; ++i) {
        const char name[] = {'~', 'z', 'l', digits[i], '\0'};
        if (folder >= sizeof path) break;
        std::memcpy(path, target, folder);
        path[folder] = '\0';
        if (!AppendText(path, sizeof path, name)) break;
        Handle file(CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) return file;
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    path[0] = '\0';
    return Handle();
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD wrote = 0;
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (!WriteFile(file, bytes.data() + done, want, &wrote, nullptr) || wrote != want) return false;
        done += wrote;
    }
    return true;
}

}  // namespace

bool ReplaceFileContents(const char* target, const std::string& bytes) {
    // The name is built here rather than by GetTempFileName, which refuses
    // long folders and under Wine may leave its result unterminated.
    if (strnlen(target, 256) >= 256 || target[FileNameOffset(target)] == '\0') return false;
    char temp[256];
    Handle file = CreateFileBeside(target, temp);
    if (!file) return false;
    bool ok = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
    ok = CloseHandle(file.release()) && ok;
    ok = ok && MoveFileExW(Wide(temp), Wide(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(Wide(temp));
    return ok;
}
