#include "lzh_reader.h"

#include <algorithm>
#include <cstring>

#include "crc.h"
#include "lzh_decoder.h"

namespace arc {
namespace {

// Folder names in extended headers separate their parts with 0xFF; '/' appears
// in names written on Unix. Neither byte can be the trail byte of a double-byte character.
std::string ToBackslashes(const uint8_t* p, size_t n) {
    std::string s(reinterpret_cast<const char*>(p), n);
    for (char& c : s)
        if (c == '/' || static_cast<uint8_t>(c) == 0xFF) c = '\\';
    return s;
}

// "-lh?-", LArc's "-lz?-" and PMarc's "-pm?-": members of the latter two are
// listed but not extracted.
bool IsMethodName(const uint8_t* m) {
    return m[0] == '-' && m[4] == '-' && ((m[1] == 'l' && (m[2] == 'h' || m[2] == 'z')) || (m[1] == 'p' && m[2] == 'm'));
}

// The window of each decoded method, in bits; -lh1-'s has a stream of its own.
constexpr int kLh1WindowBits = 12;
int DictionaryBits(const std::string& method) {
    if (method == "-lh1-") return kLh1WindowBits;
    if (method == "-lh5-") return 13;
    if (method == "-lh6-") return 15;
    if (method == "-lh7-") return 16;
    if (method == "-lhx-") return 19;  // the -lh7- stream with a 512 KB window
    return 0;
}

class LzhArchive final : public Archive {
public:
    explicit LzhArchive(Source& source) : Archive(source) {}

    Status Parse() {
        const uint64_t fileSize = source_.Size();
        uint64_t pos = 0;
        while (pos < fileSize) {
            if (AtEndMark(pos, fileSize)) break;
            const Status s = ParseOne(pos, fileSize);
            if (s != Status::Ok) return members_.empty() && s == Status::Corrupt ? Status::NotArchive : s;
        }
        return pos == 0 ? Status::NotArchive : Status::Ok;
    }

    static constexpr uint64_t kMaxPackRatio = 4096;

    Status Extract(size_t index, Sink& out) override {
        if (index >= members_.size()) return Status::Unsupported;
        const Member& m = members_[index];
        if (m.directory) return Status::Unsupported;
        if (m.method == "-lh0-") return CopyStored(m, out);
        const int bits = DictionaryBits(m.method);
        if (!bits) return Status::Unsupported;
        // A few bytes of crafted tables can describe gigabytes of output; no
        // real member packs that tightly, so such a claim is refused up front.
        if (m.size > m.packed * kMaxPackRatio + 65536) return Status::TooLarge;
        if (bits == kLh1WindowBits) return DecodeLh1Stream(source_, m.dataOffset, m.packed, m.size, static_cast<uint16_t>(m.crc), out);
        return DecodeLzhStream(source_, m.dataOffset, m.packed, m.size, bits, static_cast<uint16_t>(m.crc), out);
    }

private:
    // A zero byte ends the archive, unless it is the low byte of the size of a
    // level 2 header (a header of 256 or 512 bytes).
    bool AtEndMark(uint64_t pos, uint64_t fileSize) {
        uint8_t h[22];
        if (!source_.ReadAt(pos, h, 1) || h[0] != 0) return false;
        if (fileSize - pos < sizeof h || !source_.ReadAt(pos, h, sizeof h)) return true;
        return !(h[20] == 2 && IsMethodName(h + 2));
    }

    Status CopyStored(const Member& m, Sink& out) {
        if (m.packed != m.size) return Status::SizeMismatch;
        std::vector<uint8_t> buffer(static_cast<size_t>(std::min<uint64_t>(m.size, 1 << 16)));
        uint16_t crc = 0;
        for (uint64_t done = 0; done < m.size;) {
            const size_t n = static_cast<size_t>(std::min<uint64_t>(buffer.size(), m.size - done));
            if (!source_.ReadAt(m.dataOffset + done, buffer.data(), n)) return Status::Truncated;
            crc = UpdateCrc16(crc, buffer.data(), n);
            if (!out.Write(buffer.data(), n)) return Status::WriteFailed;
            done += n;
        }
        return crc == m.crc ? Status::Ok : Status::BadCrc;
    }

    // Reads the chain of extended headers that starts at `pos` with `size`;
    // `limit` is the offset they must not pass. Returns their total size.
    struct Extended {
        std::string name, folder;
        bool hasName = false;
        bool hasSizes = false;  // 64-bit sizes replace the header's 32-bit ones
        uint64_t packed = 0, size = 0;
    };

    Status ReadExtendedHeaders(uint64_t pos, uint32_t size, uint64_t limit, uint64_t& total, Extended& x) {
        total = 0;
        std::vector<uint8_t> h;
        while (size != 0) {
            if (size < 3 || pos + total + size > limit) return Status::Corrupt;
            h.resize(size);
            if (!source_.ReadAt(pos + total, h.data(), size)) return Status::Truncated;
            const uint8_t* data = h.data() + 1;
            const size_t dataSize = size - 3;
            if (h[0] == 0x01) {
                x.name = ToBackslashes(data, dataSize);
                x.hasName = true;
            } else if (h[0] == 0x02) {
                x.folder = ToBackslashes(data, dataSize);
            } else if (h[0] == 0x42 && dataSize >= 16) {
                x.packed = Le64(data);
                x.size = Le32(data + 8) | static_cast<uint64_t>(Le32(data + 12)) << 32;
                x.hasSizes = true;
            }
            total += size;
            size = Le16(h.data() + size - 2);
        }
        return Status::Ok;
    }

    Status ParseOne(uint64_t& pos, uint64_t fileSize) {
        uint8_t h[256 + 2] = {};
        if (fileSize - pos < 22) return Status::Truncated;
        if (!source_.ReadAt(pos, h, 22)) return Status::Truncated;
        if (!IsMethodName(h + 2)) return Status::Corrupt;
        Member m;
        m.method.assign(reinterpret_cast<const char*>(h + 2), 5);
        uint64_t packed = Le32(h + 7);
        m.size = Le32(h + 11);
        const int level = h[20];
        std::string name;
        Extended x;
        uint64_t dataOffset = 0;

        if (level == 0 || level == 1) {
            const size_t headerSize = h[0];
            if (headerSize < 22 || fileSize - pos < headerSize + 2) return Status::Truncated;
            if (!source_.ReadAt(pos, h, headerSize + 2)) return Status::Truncated;
            uint8_t sum = 0;
            for (size_t i = 2; i < headerSize + 2; ++i) sum = static_cast<uint8_t>(sum + h[i]);
            if (sum != h[1]) return Status::Corrupt;
            const size_t nameLength = h[21];
            const size_t needed = 22 + nameLength + 2 + (level == 1 ? 3 : 0);
            if (needed > headerSize + 2) return Status::Corrupt;
            // Amiga archivers put a comment after a zero byte in the name.
            name = ToBackslashes(h + 22, strnlen(reinterpret_cast<const char*>(h + 22), nameLength));
            m.crc = Le16(h + 22 + nameLength);
            m.dosDateTime = Le32(h + 15);
            m.attributes = h[19];
            dataOffset = pos + headerSize + 2;
            if (level == 1) {
                uint64_t extended = 0;
                const Status s = ReadExtendedHeaders(dataOffset, Le16(h + headerSize), fileSize, extended, x);
                if (s != Status::Ok) return s;
                if (x.hasName) name = x.name;
                if (x.hasSizes) {
                    packed = x.packed;
                    m.size = x.size;
                }
                if (extended > packed) return Status::Corrupt;  // the packed size counts them
                packed -= extended;
                dataOffset += extended;
            }
        } else if (level == 2) {
            const uint32_t headerSize = Le16(h);
            if (headerSize < 26 || fileSize - pos < headerSize) return Status::Truncated;
            if (!source_.ReadAt(pos, h, 26)) return Status::Truncated;
            m.crc = Le16(h + 21);
            m.attributes = 0x20;
            uint64_t extended = 0;
            // OS-9 LHa (system 'K') writes a header size two bytes short of
            // its extended headers; the data follows them.
            const uint64_t headerEnd = pos + headerSize + (h[23] == 'K' ? 2 : 0);
            const Status s = ReadExtendedHeaders(pos + 26, Le16(h + 24), headerEnd, extended, x);
            if (s != Status::Ok) return s;
            name = x.name;
            if (x.hasSizes) {
                packed = x.packed;
                m.size = x.size;
            }
            dataOffset = std::max<uint64_t>(pos + headerSize, pos + 26 + extended);
        } else {
            return Status::Unsupported;
        }

        if (fileSize - dataOffset < packed) return Status::Truncated;
        std::string folder = x.folder;
        if (!folder.empty() && folder.back() != '\\') folder += '\\';
        m.path = folder + name;
        m.packed = packed;
        m.dataOffset = dataOffset;
        // Amiga LhA stores an empty folder as a stored member named with a trailing '/'.
        m.directory = m.method == "-lhd-" || (m.method == "-lh0-" && !m.path.empty() && m.path.back() == '\\');
        members_.push_back(std::move(m));
        pos = dataOffset + packed;
        return Status::Ok;
    }
};

}  // namespace

Status OpenLzh(Source& source, std::unique_ptr<Archive>& archive) {
    auto lzh = std::make_unique<LzhArchive>(source);
    const Status s = lzh->Parse();
    if (s != Status::Ok) return s;
    archive = std::move(lzh);
    return Status::Ok;
}

}  // namespace arc
