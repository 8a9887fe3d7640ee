#include "cab_layout.h"

#include <cstring>

namespace arc {
namespace {

constexpr uint64_t kHeaderSize = 36;
constexpr uint16_t kFlagPrevious = 1, kFlagNext = 2, kFlagReserve = 4;
constexpr uint16_t kContinuedFromPrevious = 0xFFFD;  // this and above: continuation markers
constexpr uint64_t kNameLimit = 256;                 // a name and its zero byte

// Moves `at` past a zero-terminated string of at most kNameLimit bytes that
// ends inside the file.
bool SkipString(Source& source, uint64_t& at) {
    uint8_t buffer[kNameLimit];
    const uint64_t size = source.Size();
    if (at >= size) return false;
    const size_t n = static_cast<size_t>(size - at < kNameLimit ? size - at : kNameLimit);
    if (!source.ReadAt(at, buffer, n)) return false;
    const void* zero = std::memchr(buffer, 0, n);
    if (!zero) return false;
    at += static_cast<const uint8_t*>(zero) - buffer + 1;
    return true;
}

}  // namespace

Status CheckCabinetLayout(Source& source) {
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

    at = filesAt;
    for (uint16_t i = 0; i < files; ++i) {
        uint8_t f[16];
        if (at > size || size - at < sizeof f || !source.ReadAt(at, f, sizeof f)) return Status::Corrupt;
        const uint16_t folder = Le16(f + 8);
        // A continued member belongs to the first or the last folder: there
        // must be one. Any other names one of the folders.
        if (folder >= kContinuedFromPrevious ? folders == 0 : folder >= folders) return Status::Corrupt;
        at += sizeof f;
        if (!SkipString(source, at)) return Status::Corrupt;
    }
    return Status::Ok;
}

}  // namespace arc
