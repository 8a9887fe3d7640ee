// Random-access input and sequential output used by the archive readers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace arc {

#ifdef _WIN32
// Paths reach the libraries in code page 932, whatever the calling process's
// code page is; files are opened by their UTF-16 names.
std::wstring WidePath(const std::string& path);
#endif

// Little-endian fields, as every archive format here stores them.
inline uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16)) | (static_cast<uint32_t>(p[3]) << 24);
}
inline uint64_t Le64(const uint8_t* p) {
    return Le32(p) | (static_cast<uint64_t>(Le32(p + 4)) << 32);
}

class Source {
public:
    virtual ~Source() = default;
    virtual uint64_t Size() const = 0;
    // Reads exactly `size` bytes at `offset`; false when they are not all there.
    virtual bool ReadAt(uint64_t offset, void* buffer, size_t size) = 0;
};

class Sink {
public:
    virtual ~Sink() = default;
    virtual bool Write(const uint8_t* data, size_t size) = 0;
};

class MemorySource final : public Source {
public:
    MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, void* buffer, size_t size) override;

private:
    const uint8_t* data_;
    size_t size_;
};

class FileSource final : public Source {
public:
    FileSource() = default;
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    bool Open(const std::string& path);
    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, void* buffer, size_t size) override;

private:
    std::FILE* file_ = nullptr;
    uint64_t size_ = 0;
    uint64_t position_ = UINT64_MAX;
};

class MemorySink final : public Sink {
public:
    explicit MemorySink(size_t limit = SIZE_MAX) : limit_(limit) {}
    bool Write(const uint8_t* data, size_t size) override;
    std::vector<uint8_t> bytes;

private:
    size_t limit_;
};

// Counts what passes through; the bench and the fuzz targets use it, with a cap
// so that a stream declaring gigabytes of output cannot run for minutes.
class CountingSink final : public Sink {
public:
    explicit CountingSink(uint64_t limit = UINT64_MAX) : limit_(limit) {}
    bool Write(const uint8_t*, size_t size) override;
    uint64_t count = 0;

private:
    uint64_t limit_;
};

// Writes a file: in place when no file of that name exists, else through a
// temporary one beside it. Commit puts the complete data in place (replacing
// an older file), otherwise the destructor deletes the partial data it wrote
// and an older file of that name stays as it was.
class FileSink final : public Sink {
public:
    FileSink() = default;
    ~FileSink() override;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;
    bool Create(const std::string& path);
    bool Write(const uint8_t* data, size_t size) override;
    bool Commit();

private:
    // Written under its final name, with no temporary file to move.
    bool Direct() const { return written_ == path_; }
    void* file_ = nullptr;  // a Windows HANDLE, elsewhere a FILE*
    std::string path_;
    std::string written_;   // the file being written: path_ itself or a temporary one
};

}  // namespace arc
