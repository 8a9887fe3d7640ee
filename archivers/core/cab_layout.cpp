#include "cab_layout.h"

#include <cstring>

namespace arc {
namespace {

constexpr uint64_t kHeaderSize = 36;
constexpr uint16_t kFlagPrevious = 1, kFlagNext = 2, kFlagReserve = 4;
constexpr uint16_t kContinuedFromPrevious = 0xFFFD;  // this and above: continuation markers
constexpr uint64_t kNameLimit = 256;                 // a name and its zero byte

// Moves `at` past a zero-terminated string of at most kNameLimit bytes that
// ends inside the file; `text`, when given, receives the string.
bool SkipString(Source& source, uint64_t& at, std::string* text = nullptr) {
    uint8_t buffer[kNameLimit];
    const uint64_t size = source.Size();
    if (at >= size) return false;
    const size_t n = static_cast<size_t>(size - at < kNameLimit ? size - at : kNameLimit);
    if (!source.ReadAt(at, buffer, n)) return false;
    const void* zero = std::memchr(buffer, 0, n);
    if (!zero) return false;
    const size_t length = static_cast<size_t>(static_cast<const uint8_t*>(zero) - buffer);
    if (text) text->assign(reinterpret_cast<const char*>(buffer), length);
    at += length + 1;
    return true;
}

Status ReadLayout(Source& source, std::vector<CabinetEntry>* entries) {
    const uint64_t size = source.Size();
    uint8_t h[kHeaderSize];
    if (size < 4 || !source.ReadAt(0, h, 4) || std::memcmp(h, "MSCF", 4) != 0) return Status::NotArchive;
    if (size < kHeaderSize || !source.ReadAt(0, h, sizeof h)) return Status::Truncated;
    if (size < Le32(h + 8)) return Status::Truncated;
    const uint64_t filesAt = Le32(h + 16);
    const uint16_t folders = Le16(h + 26), files = Le16(h + 28), flags = Le16(h + 30);

    uint64_t at = kHeaderSize;
    uint64_t folderReserve = 0;
    if (flags & kFlagReserve) {
        uint8_t r[4];
        if (size - at < sizeof r || !source.ReadAt(at, r, sizeof r)) return Status::Corrupt;
        folderReserve = r[2];
        at += sizeof r + Le16(r);
    }
    for (int i = 0; i < ((flags & kFlagPrevious) ? 2 : 0) + ((flags & kFlagNext) ? 2 : 0); ++i)
        if (!SkipString(source, at)) return Status::Corrupt;
    const uint64_t folderTableEnd = at + folders * (8 + folderReserve);
    if (folderTableEnd > size) return Status::Corrupt;

    // The system's library reads the member table right after the folder
    // table, whatever the header's offset says: a header that points
    // elsewhere would have this check look at another table than the one
    // read, and is refused.
    if (filesAt != folderTableEnd) return Status::Corrupt;
    at = filesAt;
    for (uint16_t i = 0; i < files; ++i) {
        uint8_t f[16];
        if (at > size || size - at < sizeof f || !source.ReadAt(at, f, sizeof f)) return Status::Corrupt;
        const uint16_t folder = Le16(f + 8);
        // A continued member belongs to the first or the last folder: there
        // must be one. Any other names one of the folders.
        if (folder >= kContinuedFromPrevious ? folders == 0 : folder >= folders) return Status::Corrupt;
        at += sizeof f;
        std::string name;
        if (!SkipString(source, at, entries ? &name : nullptr)) return Status::Corrupt;
        if (entries) {
            CabinetEntry e;
            e.name = std::move(name);
            e.size = Le32(f);
            e.folder = folder;
            e.date = Le16(f + 10);
            e.time = Le16(f + 12);
            e.attributes = Le16(f + 14);
            entries->push_back(std::move(e));
        }
    }
    return Status::Ok;
}

}  // namespace

Status CheckCabinetLayout(Source& source) {
    return ReadLayout(source, nullptr);
}

Status ReadCabinetLayout(Source& source, std::vector<CabinetEntry>& entries) {
    entries.clear();
    const Status s = ReadLayout(source, &entries);
    if (s != Status::Ok) entries.clear();
    return s;
}

}  // namespace arc
