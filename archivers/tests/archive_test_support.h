// Helpers for the reader tests: fixture lookup, files, and small archive
// writers for the cases Debian's archivers will not produce (odd names,
// data descriptors, ZIP64 fields, false sizes).
#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "archive.h"

namespace arctest {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

fs::path FixturesDir();  // from ZELVISTA_FIXTURES
Bytes ReadBytes(const fs::path& path);
void WriteBytes(const fs::path& path, const Bytes& data);
// The file unpacked by the oracle tool for `archive`, found by member path, ignoring case.
fs::path ExpectedFile(const std::string& archive, const std::string& memberPath);
// Every regular file under `root`, as paths relative to it.
std::vector<std::string> FilesUnder(const fs::path& root);

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

struct ZipEntry {
    std::string name;
    std::string data;
    bool deflate = false;
    bool descriptor = false;       // sizes and CRC after the data, zeros in the local header
    bool zip64 = false;            // sizes and offset in the ZIP64 extra field
    uint64_t declaredSize = UINT64_MAX;  // default: the real size
    int64_t crcDelta = 0;
    uint16_t flags = 0;
    std::string extra;             // further extra fields, as bytes, in both headers
};
Bytes MakeZip(const std::vector<ZipEntry>& entries);

struct LzhEntry {
    std::string name;
    std::string data;              // stored as -lh0- (or as given raw packed data with method)
    std::string method = "-lh0-";
    int level = 0;                 // 0, 1 or 2
    std::string folder;            // extended folder header (levels 1, 2), '\' separated
    uint64_t declaredSize = UINT64_MAX;
    int crcDelta = 0;
    std::string packed;            // if set, written as the member's data (CRC and size from `data`)
    std::vector<std::string> extraHeaders;  // further extended headers (levels 1, 2): type byte and data
    int headerSizeDelta = 0;       // level 2: added to the stored header size
    char osId = 'M';               // levels 1, 2: the writer's system ('K': OS-9)
};
Bytes MakeLzh(const std::vector<LzhEntry>& entries);

// An archive opened from bytes the test keeps alive beside it.
struct Opened {
    Bytes bytes;
    std::unique_ptr<arc::MemorySource> source;
    std::unique_ptr<arc::Archive> archive;
    arc::Status status = arc::Status::NotArchive;
};
using ArchiveOpener = arc::Status (*)(arc::Source&, std::unique_ptr<arc::Archive>&);
Opened OpenBytes(Bytes bytes, ArchiveOpener open);

}  // namespace arctest
