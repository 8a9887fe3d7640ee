#include "zip_reader.h"

#include <algorithm>
#include <cstring>
#include <zlib.h>

#include "crc.h"
#include "names.h"

namespace arc {
namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kZip64EndSignature = 0x06064b50;
constexpr uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr size_t kZip64EndSize = 56;  // the ZIP64 end record without its extensible data
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr uint16_t kStored = 0, kDeflated = 8;
constexpr uint32_t kUtf8Name = 1u << 11;  // general-purpose flag: the name is UTF-8
// Bytes read or inflated at a time: buffers this small are reused from the
// heap, where larger ones come fresh from the system at every extraction.
constexpr size_t kChunk = 1 << 15;

class ZipArchive final : public Archive {
public:
    ZipArchive(Source& source, Utf8NameDecoder decode) : Archive(source), decode_(decode) {}

    Status Parse() {
        uint64_t cdOffset = 0, cdSize = 0, entries = 0;
        Status s = FindCentralDirectory(cdOffset, cdSize, entries);
        if (s != Status::Ok) return s;
        const uint64_t fileSize = source_.Size();
        if (cdOffset > fileSize || cdSize > fileSize - cdOffset) return Status::Truncated;
        std::vector<uint8_t> cd(static_cast<size_t>(cdSize));
        if (!source_.ReadAt(cdOffset, cd.data(), cd.size())) return Status::Truncated;
        size_t p = 0;
        for (uint64_t i = 0; i < entries; ++i) {
            if (cd.size() - p < 46 || Le32(&cd[p]) != kCentralSignature) return Status::Corrupt;
            const uint8_t* e = &cd[p];
            const size_t nameLength = Le16(e + 28), extraLength = Le16(e + 30), commentLength = Le16(e + 32);
            if (cd.size() - p - 46 < nameLength + extraLength + commentLength) return Status::Corrupt;
            Member m;
            m.flags = Le16(e + 8);
            const uint16_t method = Le16(e + 10);
            m.method = method == kStored ? "stored" : method == kDeflated ? "deflate" : "method" + std::to_string(method);
            m.dosDateTime = (static_cast<uint32_t>(Le16(e + 14)) << 16) | Le16(e + 12);
            m.crc = Le32(e + 16);
            m.packed = Le32(e + 20);
            m.size = Le32(e + 24);
            uint64_t localOffset = Le32(e + 42);
            m.attributes = static_cast<uint8_t>(Le32(e + 38) & 0xFF);
            m.path.assign(reinterpret_cast<const char*>(e + 46), nameLength);
            ApplyZip64(e + 46 + nameLength, extraLength, m, localOffset);
            if (localOffset > UINT64_MAX - shift_) return Status::Corrupt;
            localOffset += shift_;
            // A Unicode Path field made for this very name replaces it, as UTF-8.
            const bool unicodePath = ApplyUnicodePath(e + 46 + nameLength, extraLength, m.path);
            // Folders are split by the rules of the name's encoding: read as code
            // page 932, a UTF-8 byte that looks like a lead byte would hide a '/'.
            bool doubleByte = true;
            if ((m.flags & kUtf8Name) || unicodePath) {
                doubleByte = decode_ && decode_(m.path);
                m.nameUnusable = decode_ && !doubleByte;
            }
            for (size_t k = 0; k < m.path.size(); ++k) {
                if (doubleByte && IsLeadByte(static_cast<unsigned char>(m.path[k]))) {
                    ++k;
                    continue;
                }
                if (m.path[k] == '/') m.path[k] = '\\';
            }
            m.directory = (!m.path.empty() && m.path.back() == '\\') || (m.attributes & 0x10);
            m.dataOffset = localOffset;  // the local header; its own lengths are read at extraction
            m.flags |= static_cast<uint32_t>(method) << 16;
            members_.push_back(std::move(m));
            p += 46 + nameLength + extraLength + commentLength;
        }
        return Status::Ok;
    }

    Status Extract(size_t index, Sink& out) override {
        if (index >= members_.size()) return Status::Unsupported;
        const Member& m = members_[index];
        if (m.directory || (m.flags & 1)) return Status::Unsupported;  // folder or encrypted
        uint8_t local[30];
        if (!source_.ReadAt(m.dataOffset, local, sizeof local)) return Status::Truncated;
        if (Le32(local) != kLocalSignature) return Status::Corrupt;
        const uint64_t start = m.dataOffset + 30 + Le16(local + 26) + Le16(local + 28);
        if (start > source_.Size() || m.packed > source_.Size() - start) return Status::Truncated;
        const uint16_t method = static_cast<uint16_t>(m.flags >> 16);
        if (method == kStored) return CopyStored(m, start, out);
        if (method == kDeflated) return Inflate(m, start, out);
        return Status::Unsupported;
    }

private:
    Utf8NameDecoder decode_;
    uint64_t shift_ = 0;  // bytes before the archive that its offsets do not count

    // Finds the end record (and a ZIP64 one where a consistent locator points
    // to it) and where the central directory really starts. Data before the
    // archive (a self-extracting stub) moves every offset the records give by
    // the same amount: `shift_` is added to each, as unzip does.
    Status FindCentralDirectory(uint64_t& cdOffset, uint64_t& cdSize, uint64_t& entries) {
        const uint64_t fileSize = source_.Size();
        if (fileSize < 22) return Status::NotArchive;
        const size_t tailSize = static_cast<size_t>(std::min<uint64_t>(fileSize, 22 + 65535 + 20));
        std::vector<uint8_t> tail(tailSize);
        const uint64_t tailStart = fileSize - tailSize;
        if (!source_.ReadAt(tailStart, tail.data(), tailSize)) return Status::Truncated;
        for (size_t i = tailSize - 22 + 1; i-- > 0;) {
            if (Le32(&tail[i]) != kEndSignature) continue;
            const uint8_t* e = &tail[i];
            if (Le16(e + 20) != tailSize - i - 22) continue;  // the comment must reach the end
            entries = Le16(e + 10);
            cdSize = Le32(e + 12);
            cdOffset = Le32(e + 16);
            const bool needsZip64 = entries == 0xFFFF || cdSize == 0xFFFFFFFFu || cdOffset == 0xFFFFFFFFu;
            uint64_t cdEnd = tailStart + i;  // the central directory ends where the next record starts
            uint64_t z64 = 0;
            uint8_t r[kZip64EndSize];
            if (i >= 20 && FindZip64End(tail.data() + i - 20, tailStart + i - 20, z64, r)) {
                entries = Le64(r + 32);
                cdSize = Le64(r + 40);
                cdOffset = Le64(r + 48);
                cdEnd = z64;
            } else if (needsZip64) {
                return Status::Corrupt;
            }
            if (cdSize > cdEnd) return Status::Corrupt;
            // The directory lies right before the end records; when the
            // records say it starts earlier, something was put before the
            // archive and every offset moves by that much.
            const uint64_t start = cdEnd - cdSize;
            if (start > cdOffset && !AtCentralDirectory(cdOffset, entries) && AtCentralDirectory(start, entries))
                shift_ = start - cdOffset;
            cdOffset += shift_;
            return Status::Ok;
        }
        return Status::NotArchive;
    }

    bool AtCentralDirectory(uint64_t offset, uint64_t entries) {
        if (entries == 0) return false;
        uint8_t sig[4];
        return source_.ReadAt(offset, sig, sizeof sig) && Le32(sig) == kCentralSignature;
    }

    // A ZIP64 locator counts only where its fields agree: one disk, and a
    // ZIP64 end record before it, at the offset it gives or (after data put
    // before the archive) right before it. The bytes PK\6\7 inside a name or
    // comment are no locator.
    // The record found is left in r.
    bool FindZip64End(const uint8_t* locator, uint64_t locatorOffset, uint64_t& z64, uint8_t (&r)[kZip64EndSize]) {
        if (Le32(locator) != kZip64LocatorSignature || Le32(locator + 4) != 0 || Le32(locator + 16) > 1) return false;
        const uint64_t declared = Le64(locator + 8);
        auto isEnd = [&](uint64_t at) {
            if (at > locatorOffset || locatorOffset - at < sizeof r || !source_.ReadAt(at, r, sizeof r)) return false;
            const uint64_t recordSize = Le64(r + 4);
            return Le32(r) == kZip64EndSignature && recordSize >= 44 && recordSize <= locatorOffset - at - 12 &&
                   Le32(r + 16) == 0 && Le32(r + 20) == 0 && Le64(r + 24) == Le64(r + 32);
        };
        if (isEnd(declared)) {
            z64 = declared;
            return true;
        }
        if (locatorOffset >= kZip64EndSize && locatorOffset - kZip64EndSize > declared &&
            isEnd(locatorOffset - kZip64EndSize)) {
            z64 = locatorOffset - kZip64EndSize;
            return true;
        }
        return false;
    }

    // The ZIP64 extra field holds, in order, those of the sizes and the
    // offset whose 32-bit fields are all ones.
    static void ApplyZip64(const uint8_t* extra, size_t length, Member& m, uint64_t& localOffset) {
        size_t p = 0;
        while (length - p >= 4) {
            const uint16_t id = Le16(extra + p), size = Le16(extra + p + 2);
            if (size > length - p - 4) return;
            if (id == 0x0001) {
                const uint8_t* f = extra + p + 4;
                size_t left = size;
                auto take = [&](uint64_t& v) {
                    if (v == 0xFFFFFFFFu && left >= 8) {
                        v = Le64(f);
                        f += 8;
                        left -= 8;
                    }
                };
                take(m.size);
                take(m.packed);
                take(localOffset);
                return;
            }
            p += 4 + size;
        }
    }

    // The Unicode Path extra field (0x7075): version 1, the CRC-32 of the
    // stored name it was made for, then that name in UTF-8. A field whose CRC
    // differs belongs to a name some other tool changed since, and is ignored.
    static bool ApplyUnicodePath(const uint8_t* extra, size_t length, std::string& path) {
        const uint32_t nameCrc = UpdateCrc32(0, reinterpret_cast<const uint8_t*>(path.data()), path.size());
        size_t p = 0;
        while (length - p >= 4) {
            const uint16_t id = Le16(extra + p), size = Le16(extra + p + 2);
            if (size > length - p - 4) return false;
            const uint8_t* f = extra + p + 4;
            if (id == 0x7075 && size > 5 && f[0] == 1 && Le32(f + 1) == nameCrc) {
                path.assign(reinterpret_cast<const char*>(f + 5), size - 5u);
                return true;
            }
            p += 4 + size;
        }
        return false;
    }

    Status CopyStored(const Member& m, uint64_t start, Sink& out) {
        if (m.packed != m.size) return Status::SizeMismatch;
        std::vector<uint8_t> buffer(static_cast<size_t>(std::min<uint64_t>(m.size, kChunk)));
        uint32_t crc = 0;
        for (uint64_t done = 0; done < m.size;) {
            const size_t n = static_cast<size_t>(std::min<uint64_t>(buffer.size(), m.size - done));
            if (!source_.ReadAt(start + done, buffer.data(), n)) return Status::Truncated;
            crc = UpdateCrc32(crc, buffer.data(), n);
            if (!out.Write(buffer.data(), n)) return Status::WriteFailed;
            done += n;
        }
        return crc == m.crc ? Status::Ok : Status::BadCrc;
    }

    Status Inflate(const Member& m, uint64_t start, Sink& out) {
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return Status::Unsupported;
        struct End {
            z_stream* z;
            ~End() { inflateEnd(z); }
        } end{&z};
        std::vector<uint8_t> input(kChunk), output(kChunk);
        uint64_t consumed = 0, produced = 0;
        uint32_t crc = 0;
        int r = Z_OK;
        // zlib may stop with a full output buffer while input remains to be
        // taken or output is still pending; more input is read only when it asked.
        bool wantInput = true;
        while (r != Z_STREAM_END) {
            if (z.avail_in == 0 && wantInput) {
                if (consumed == m.packed) return Status::Truncated;
                const size_t n = static_cast<size_t>(std::min<uint64_t>(input.size(), m.packed - consumed));
                if (!source_.ReadAt(start + consumed, input.data(), n)) return Status::Truncated;
                consumed += n;
                z.next_in = input.data();
                z.avail_in = static_cast<uInt>(n);
            }
            z.next_out = output.data();
            z.avail_out = static_cast<uInt>(output.size());
            r = inflate(&z, Z_NO_FLUSH);
            if (r == Z_BUF_ERROR) {
                if (z.avail_in == 0 && consumed < m.packed) {
                    wantInput = true;
                    continue;
                }
                return Status::Truncated;
            }
            if (r != Z_OK && r != Z_STREAM_END) return Status::Corrupt;
            wantInput = z.avail_out != 0;
            const size_t n = output.size() - z.avail_out;
            if (n > m.size - produced) return Status::SizeMismatch;
            crc = UpdateCrc32(crc, output.data(), n);
            if (n && !out.Write(output.data(), n)) return Status::WriteFailed;
            produced += n;
        }
        if (produced != m.size) return Status::SizeMismatch;
        return crc == m.crc ? Status::Ok : Status::BadCrc;
    }
};

}  // namespace

Status OpenZip(Source& source, std::unique_ptr<Archive>& archive) {
    return OpenZipDecodingUtf8(source, archive, nullptr);
}

Status OpenZipDecodingUtf8(Source& source, std::unique_ptr<Archive>& archive, Utf8NameDecoder decode) {
    auto zip = std::make_unique<ZipArchive>(source, decode);
    const Status s = zip->Parse();
    if (s != Status::Ok) return s;
    archive = std::move(zip);
    return Status::Ok;
}

const char* StatusText(Status status) {
    switch (status) {
        case Status::Ok: return "ok";
        case Status::NotArchive: return "not an archive";
        case Status::Corrupt: return "archive is damaged";
        case Status::Truncated: return "archive is truncated";
        case Status::BadCrc: return "CRC error";
        case Status::SizeMismatch: return "size differs from the archive's record";
        case Status::Unsupported: return "unsupported method";
        case Status::WriteFailed: return "cannot write the file";
        case Status::BadName: return "unsafe member name";
        case Status::InCabinetSet: return "member continues in another cabinet (cabinet sets are not read)";
        case Status::TooLarge: return "size too large for its packed data";
    }
    return "error";
}

}  // namespace arc
