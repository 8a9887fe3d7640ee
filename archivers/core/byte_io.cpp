#include "byte_io.h"

#ifdef _WIN32
#include <windows.h>
#endif

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

bool MemorySource::ReadAt(uint64_t offset, void* buffer, size_t size) {
    if (offset > size_ || size > size_ - offset) return false;
    if (size) std::memcpy(buffer, data_ + offset, size);
    return true;
}

FileSource::~FileSource() {
    if (file_) std::fclose(file_);
}

bool FileSource::Open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "rb");
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

FileSink::~FileSink() {
    if (file_) {
        std::fclose(file_);
        std::remove(temporary_.c_str());
    }
}

bool FileSink::Create(const std::string& path) {
    path_ = path;
    // Same folder, so the final rename does not cross volumes.
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
        temporary_ = path + ".~" + std::to_string(attempt);
        std::FILE* probe = std::fopen(temporary_.c_str(), "rb");
        if (probe) {
            std::fclose(probe);
            continue;
        }
        file_ = std::fopen(temporary_.c_str(), "wb");
        if (!file_) return false;
    }
    return file_ != nullptr;
}

bool FileSink::Write(const uint8_t* data, size_t size) {
    return file_ && std::fwrite(data, 1, size, file_) == size;
}

bool FileSink::Commit() {
    if (!file_) return false;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    // Replace in one step, so a failed move keeps the older file.
#ifdef _WIN32
    const bool moved = closed && MoveFileExA(temporary_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
#else
    const bool moved = closed && std::rename(temporary_.c_str(), path_.c_str()) == 0;
#endif
    if (!moved) {
        std::remove(temporary_.c_str());
        return false;
    }
    return true;
}

}  // namespace arc
