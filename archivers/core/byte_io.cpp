#include "byte_io.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <cerrno>
#include <cstring>
#include <string>

namespace arc {
namespace {

bool SeekTo(std::FILE* f, uint64_t offset) {
#ifdef _WIN32
    return _fseeki64(f, static_cast<long long>(offset), SEEK_SET) == 0;
#else
    return fseeko(f, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

}  // namespace

#ifdef _WIN32
std::wstring WidePath(const std::string& path) {
    if (path.empty() || path.size() > 0x7FFFFFFF) return std::wstring();
    const int length = static_cast<int>(path.size());
    std::wstring wide(path.size(), L'\0');  // never more units than bytes
    const int n = MultiByteToWideChar(932, 0, path.data(), length, wide.data(), length);
    wide.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return wide;
}
#endif

bool MemorySource::ReadAt(uint64_t offset, void* buffer, size_t size) {
    if (offset > size_ || size > size_ - offset) return false;
    if (size) std::memcpy(buffer, data_ + offset, size);
    return true;
}

FileSource::~FileSource() {
    if (file_) std::fclose(file_);
}

bool FileSource::Open(const std::string& path) {
#ifdef _WIN32
    file_ = _wfopen(WidePath(path).c_str(), L"rb");
#else
    file_ = std::fopen(path.c_str(), "rb");
#endif
    if (!file_) return false;
#ifdef _WIN32
    if (_fseeki64(file_, 0, SEEK_END) != 0) return false;
    const long long end = _ftelli64(file_);
#else
    if (fseeko(file_, 0, SEEK_END) != 0) return false;
    const long long end = ftello(file_);
#endif
    if (end < 0) return false;
    size_ = static_cast<uint64_t>(end);
    position_ = UINT64_MAX;
    return true;
}

bool FileSource::ReadAt(uint64_t offset, void* buffer, size_t size) {
    if (!file_ || offset > size_ || size > size_ - offset) return false;
    if (offset != position_ && !SeekTo(file_, offset)) {
        position_ = UINT64_MAX;
        return false;
    }
    const size_t got = std::fread(buffer, 1, size, file_);
    position_ = got == size ? offset + size : UINT64_MAX;
    return got == size;
}

bool MemorySink::Write(const uint8_t* data, size_t size) {
    if (size > limit_ - bytes.size()) return false;
    bytes.insert(bytes.end(), data, data + size);
    return true;
}

bool CountingSink::Write(const uint8_t*, size_t size) {
    if (size > limit_ - count) return false;
    count += size;
    return true;
}

namespace {

// Creates `path` only when no file of that name is there; `exists` tells
// whether that was the reason of a failure. A Windows HANDLE, or a FILE*.
void* CreateExclusive(const std::string& path, bool& exists) {
    exists = false;
#ifdef _WIN32
    HANDLE h =
        CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) return h;
    const DWORD error = GetLastError();
    exists = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
    return nullptr;
#else
    std::FILE* f = std::fopen(path.c_str(), "wbx");
    if (!f) exists = errno == EEXIST;
    return f;
#endif
}

bool WriteAll(void* file, const uint8_t* data, size_t size) {
#ifdef _WIN32
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000u : static_cast<DWORD>(size);
        DWORD done = 0;
        if (!WriteFile(static_cast<HANDLE>(file), data, chunk, &done, nullptr) || done != chunk) return false;
        data += chunk;
        size -= chunk;
    }
    return true;
#else
    return std::fwrite(data, 1, size, static_cast<std::FILE*>(file)) == size;
#endif
}

bool CloseFile(void* file) {
#ifdef _WIN32
    return CloseHandle(static_cast<HANDLE>(file)) != FALSE;
#else
    return std::fclose(static_cast<std::FILE*>(file)) == 0;
#endif
}

void RemoveFile(const std::string& path) {
#ifdef _WIN32
    DeleteFileW(WidePath(path).c_str());
#else
    std::remove(path.c_str());
#endif
}

}  // namespace

FileSink::~FileSink() {
    if (file_) {
        CloseFile(file_);
        RemoveFile(written_);  // only ever a file this sink created
    }
}

bool FileSink::Create(const std::string& path) {
    path_ = path;
    // No file of that name yet: write it in place, no rename needed; a
    // failure removes what this sink created and nothing else.
    bool exists = false;
    file_ = CreateExclusive(path, exists);
    if (file_) {
        written_ = path;
        return true;
    }
    if (!exists) return false;
    // An older file stays untouched until the complete data replaces it from
    // a temporary file in the same folder, so the final move does not cross volumes.
    for (int attempt = 0; attempt < 100; ++attempt) {
        written_ = path + ".~" + std::to_string(attempt);
        file_ = CreateExclusive(written_, exists);
        if (file_) return true;
        if (!exists) return false;
    }
    return false;
}

bool FileSink::Write(const uint8_t* data, size_t size) {
    return file_ && WriteAll(file_, data, size);
}

bool FileSink::Commit() {
    if (!file_) return false;
    const bool closed = CloseFile(file_);
    file_ = nullptr;
    if (Direct()) {
        if (!closed) RemoveFile(written_);
        return closed;
    }
    // Replace in one step, so a failed move keeps the older file.
#ifdef _WIN32
    const bool moved =
        closed && MoveFileExW(WidePath(written_).c_str(), WidePath(path_).c_str(), MOVEFILE_REPLACE_EXISTING);
#else
    const bool moved = closed && std::rename(written_.c_str(), path_.c_str()) == 0;
#endif
    if (!moved) {
        RemoveFile(written_);
        return false;
    }
    return true;
}

}  // namespace arc
