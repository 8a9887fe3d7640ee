#include "lzh_decoder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "crc.h"

namespace arc {
namespace {

constexpr int kLiteralCount = 510;  // 256 literals + 254 match lengths
constexpr int kLengthCodeCount = 19;
constexpr int kMaxDictionaryBits = 19;  // -lhx-
constexpr int kMaxPositionCount = kMaxDictionaryBits + 1;
// Decoded bytes gathered before a flush. The window (history + this) stays
// small: a library is loaded for each extraction, and a block of a megabyte
// comes fresh from the system every time, a page fault per 4 KB, which cost
// more than decoding the member. A few more writes cost far less.
constexpr size_t kWorkSize = size_t{32} << 10;
constexpr size_t kInputSize = size_t{16} << 10;  // packed bytes read at a time
constexpr size_t kLargestSmallHistory = size_t{1} << 16;  // -lh7-'s
constexpr int kMaxMatch = 256;

// MSB-first bit reader over a byte range of a Source. Past the end it feeds
// zero bytes and remembers how many, so the caller can tell a truncated stream.
class BitReader {
public:
    BitReader(Source& source, uint64_t offset, uint64_t size)
        : source_(source), next_(offset), end_(offset + size),
          buffer_(static_cast<size_t>(std::min<uint64_t>(size + 8, kInputSize))) {}

    // Makes at least 32 bits available.
    void Need() {
        if (count_ >= 32) return;
        while (count_ <= 56) {
            if (pos_ == len_ && !Fill()) {
                ++padding_;
                count_ += 8;
                continue;
            }
            bits_ |= static_cast<uint64_t>(buffer_[pos_++]) << (56 - count_);
            count_ += 8;
        }
    }
    uint32_t Peek(int n) const { return n ? static_cast<uint32_t>(bits_ >> (64 - n)) : 0; }
    void Skip(int n) {
        bits_ <<= n;
        count_ -= n;
    }
    uint32_t Get(int n) {
        Need();
        const uint32_t v = Peek(n);
        Skip(n);
        return v;
    }
    // More than eight zero bytes fed means bits past the end were consumed.
    bool Overrun() const { return padding_ > 8 || readError_; }
    // True when the bits consumed so far all lay inside the range.
    bool WithinRange() const { return !readError_ && padding_ * 8 <= static_cast<uint64_t>(count_); }

private:
    bool Fill() {
        if (next_ >= end_) return false;
        const size_t n = static_cast<size_t>(std::min<uint64_t>(buffer_.size(), end_ - next_));
        if (!source_.ReadAt(next_, buffer_.data(), n)) {
            readError_ = true;
            return false;
        }
        next_ += n;
        pos_ = 0;
        len_ = n;
        return true;
    }

    Source& source_;
    uint64_t next_, end_;
    std::vector<uint8_t> buffer_;
    size_t pos_ = 0, len_ = 0;
    uint64_t bits_ = 0;
    int count_ = 0;
    uint64_t padding_ = 0;
    bool readError_ = false;
};

// Canonical Huffman table with a direct lookup for short codes and a
// per-length search for the rest. Incomplete tables are accepted; a code that
// was never assigned is reported as an error when it occurs.
class Huffman {
public:
    bool Build(const uint8_t* lengths, int n, int fastBits) {
        single_ = -1;
        fastBits_ = fastBits;
        std::fill(count_, count_ + 17, 0);
        for (int i = 0; i < n; ++i) {
            if (lengths[i] > 16) return false;
            ++count_[lengths[i]];
        }
        count_[0] = 0;
        int left = 1;
        for (int len = 1; len <= 16; ++len) {
            left = (left << 1) - count_[len];
            if (left < 0) return false;  // over-subscribed
        }
        uint32_t code = 0;
        int index = 0;
        for (int len = 1; len <= 16; ++len) {
            first_[len] = code;
            offset_[len] = index;
            index += count_[len];
            code = (code + count_[len]) << 1;
        }
        int next[17];
        std::copy(offset_, offset_ + 17, next);
        for (int s = 0; s < n; ++s)
            if (lengths[s]) sorted_[next[lengths[s]]++] = static_cast<uint16_t>(s);
        fast_.assign(size_t{1} << fastBits, 0);
        for (int len = 1; len <= fastBits; ++len) {
            for (int k = 0; k < count_[len]; ++k) {
                const uint32_t c = first_[len] + k;
                const uint16_t entry = static_cast<uint16_t>((sorted_[offset_[len] + k] << 5) | len);
                const uint32_t startIndex = c << (fastBits - len);
                std::fill(fast_.begin() + startIndex, fast_.begin() + startIndex + (1u << (fastBits - len)), entry);
            }
        }
        return true;
    }
    void SetSingle(int symbol) { single_ = symbol; }

    // Returns the symbol, or -1 for a code the table does not contain. Needs 16 bits available.
    int Decode(BitReader& in) const {
        if (single_ >= 0) return single_;
        const uint16_t e = fast_[in.Peek(fastBits_)];
        if (e) {
            in.Skip(e & 31);
            return e >> 5;
        }
        const uint32_t bits = in.Peek(16);
        for (int len = fastBits_ + 1; len <= 16; ++len) {
            const uint32_t c = bits >> (16 - len);
            if (c - first_[len] < static_cast<uint32_t>(count_[len])) {
                in.Skip(len);
                return sorted_[offset_[len] + (c - first_[len])];
            }
        }
        return -1;
    }

private:
    int single_ = -1;
    int fastBits_ = 8;
    int count_[17] = {};
    uint32_t first_[17] = {};
    int offset_[17] = {};
    uint16_t sorted_[kLiteralCount] = {};
    std::vector<uint16_t> fast_;
};

class Decoder {
public:
    Decoder(Source& source, uint64_t offset, uint64_t packed, int dictionaryBits)
        : in_(source, offset, packed),
          positionCount_(dictionaryBits + 1),
          positionBits_(dictionaryBits == 13 ? 4 : 5),
          // A match reaches back at most 2^dictionaryBits bytes: the position
          // table has dictionaryBits + 1 codes, and code p stands for at most 2^p.
          history_(size_t{1} << dictionaryBits) {}

    Status Run(uint64_t originalSize, uint16_t expectedCrc, Sink& out) {
        // A local copy: stores through the byte window would make the compiler reload a member.
        const size_t history = history_;
        // Small members need only a small work area after the history. The
        // history moves to the front at each flush: -lhx-'s, eight times the
        // others', gets a work area twice its size, so that it moves as little
        // per byte as the small ones'.
        const size_t work = static_cast<size_t>(
            std::min<uint64_t>(originalSize, history > kLargestSmallHistory ? 2 * history : kWorkSize));
        std::vector<uint8_t> window(history + work + kMaxMatch + 16);
        // Matches may reach before the start of the data; that history is blanks.
        std::memset(window.data(), ' ', history);
        uint8_t* const base = window.data();
        size_t pos = history;
        size_t flushedTo = history;
        uint64_t produced = 0;
        uint16_t crc = 0;
        uint32_t blockLeft = 0;

        auto flush = [&]() -> bool {
            const size_t n = pos - flushedTo;
            crc = UpdateCrc16(crc, base + flushedTo, n);
            if (n && !out.Write(base + flushedTo, n)) return false;
            std::memmove(base, base + pos - history, history);
            pos = history;
            flushedTo = history;
            return true;
        };

        while (produced < originalSize) {
            if (blockLeft == 0) {
                blockLeft = in_.Get(16);
                if (blockLeft == 0) return Status::Corrupt;
                const Status s = ReadTables();
                if (s != Status::Ok) return s;
            }
            --blockLeft;
            in_.Need();
            const int c = literals_.Decode(in_);
            if (c < 0) return Status::Corrupt;
            if (c < 256) {
                base[pos++] = static_cast<uint8_t>(c);
                ++produced;
            } else {
                const size_t length = static_cast<size_t>(c - 253);
                const int p = positions_.Decode(in_);
                if (p < 0) return Status::Corrupt;
                size_t distance = 1;
                if (p > 0) distance = (size_t{1} << (p - 1)) + in_.Get(p - 1) + 1;
                if (length > originalSize - produced) return Status::SizeMismatch;
                const uint8_t* src = base + pos - distance;
                uint8_t* dst = base + pos;
                if (distance >= 8) {
                    for (size_t k = 0; k < length; k += 8) std::memcpy(dst + k, src + k, 8);
                } else {
                    for (size_t k = 0; k < length; ++k) dst[k] = src[k];
                }
                pos += length;
                produced += length;
            }
            if (in_.Overrun()) return Status::Truncated;
            if (pos >= history + work && !flush()) return Status::WriteFailed;
        }
        if (!flush()) return Status::WriteFailed;
        if (!in_.WithinRange()) return Status::Truncated;
        return crc == expectedCrc ? Status::Ok : Status::BadCrc;
    }

private:
    // Code lengths of the length-code table or the position table; `zeroRunAt`
    // is the index after which a 2-bit run of zero lengths follows.
    bool ReadLengthTable(Huffman& table, int symbols, int countBits, int zeroRunAt) {
        uint8_t lengths[std::max(kLengthCodeCount, kMaxPositionCount) + 4] = {};
        const int n = static_cast<int>(in_.Get(countBits));
        if (n == 0) {
            const int c = static_cast<int>(in_.Get(countBits));
            if (c >= symbols) return false;
            table.SetSingle(c);
            return true;
        }
        if (n > symbols) return false;
        int i = 0;
        while (i < n) {
            in_.Need();
            int c = static_cast<int>(in_.Peek(3));
            if (c == 7) {
                const uint32_t bits = in_.Peek(16);
                for (uint32_t mask = 1u << 12; mask && (bits & mask); mask >>= 1) ++c;
                if (c > 16) return false;
                in_.Skip(c - 3);
            } else {
                in_.Skip(3);
            }
            lengths[i++] = static_cast<uint8_t>(c);
            if (i == zeroRunAt) {
                int zeros = static_cast<int>(in_.Get(2));
                while (zeros-- > 0 && i < symbols) lengths[i++] = 0;
            }
            if (in_.Overrun()) return false;
        }
        return table.Build(lengths, symbols, 8);
    }

    bool ReadLiteralTable() {
        uint8_t lengths[kLiteralCount] = {};
        const int n = static_cast<int>(in_.Get(9));
        if (n == 0) {
            const int c = static_cast<int>(in_.Get(9));
            if (c >= kLiteralCount) return false;
            literals_.SetSingle(c);
            return true;
        }
        if (n > kLiteralCount) return false;
        int i = 0;
        while (i < n) {
            in_.Need();
            const int c = lengthCodes_.Decode(in_);
            if (c < 0) return false;
            if (c <= 2) {
                int zeros = c == 0 ? 1 : c == 1 ? static_cast<int>(in_.Get(4)) + 3 : static_cast<int>(in_.Get(9)) + 20;
                while (zeros-- > 0 && i < kLiteralCount) lengths[i++] = 0;
            } else {
                lengths[i++] = static_cast<uint8_t>(c - 2);
            }
            if (in_.Overrun()) return false;
        }
        return literals_.Build(lengths, kLiteralCount, 12);
    }

    Status ReadTables() {
        if (!ReadLengthTable(lengthCodes_, kLengthCodeCount, 5, 3) || !ReadLiteralTable() ||
            !ReadLengthTable(positions_, positionCount_, positionBits_, -1))
            return in_.Overrun() ? Status::Truncated : Status::Corrupt;
        return Status::Ok;
    }

    BitReader in_;
    int positionCount_;
    int positionBits_;
    Huffman lengthCodes_, literals_, positions_;
    const size_t history_;
};

// -lh1- (LHarc): a 4 KB window, match lengths 3..60 and literals in one
// adaptive Huffman tree that is updated after every symbol; the upper six
// bits of a match position use a fixed code, the lower six are sent as is.
class DynamicDecoder {
public:
    DynamicDecoder(Source& source, uint64_t offset, uint64_t packed) : in_(source, offset, packed) { Start(); }

    Status Run(uint64_t originalSize, uint16_t expectedCrc, Sink& out) {
        std::vector<uint8_t> ring(kRing, ' ');
        std::vector<uint8_t> pending;
        pending.reserve(kFlush + kMaxLength);
        size_t r = kRing - kMaxLength;
        uint64_t produced = 0;
        uint16_t crc = 0;
        auto flush = [&]() -> bool {
            crc = UpdateCrc16(crc, pending.data(), pending.size());
            const bool ok = pending.empty() || out.Write(pending.data(), pending.size());
            pending.clear();
            return ok;
        };
        while (produced < originalSize) {
            const int c = DecodeChar();
            if (c < 256) {
                ring[r] = static_cast<uint8_t>(c);
                r = (r + 1) & (kRing - 1);
                pending.push_back(static_cast<uint8_t>(c));
                ++produced;
            } else {
                const size_t length = static_cast<size_t>(c - 253);
                if (length > originalSize - produced) return Status::SizeMismatch;
                size_t from = (r - DecodePosition() - 1) & (kRing - 1);
                for (size_t k = 0; k < length; ++k) {
                    const uint8_t b = ring[from];
                    from = (from + 1) & (kRing - 1);
                    ring[r] = b;
                    r = (r + 1) & (kRing - 1);
                    pending.push_back(b);
                }
                produced += length;
            }
            if (in_.Overrun()) return Status::Truncated;
            if (pending.size() >= kFlush && !flush()) return Status::WriteFailed;
        }
        if (!flush()) return Status::WriteFailed;
        if (!in_.WithinRange()) return Status::Truncated;
        return crc == expectedCrc ? Status::Ok : Status::BadCrc;
    }

private:
    static constexpr size_t kRing = 4096;
    static constexpr size_t kFlush = 1 << 16;
    static constexpr int kMaxLength = 60;
    static constexpr int kSymbols = 256 - 2 + kMaxLength;  // literals and lengths 3..60
    static constexpr int kNodes = 2 * kSymbols - 1;
    static constexpr int kRoot = kNodes - 1;
    static constexpr unsigned kMaxFreq = 0x8000;

    void Start() {
        for (int i = 0; i < kSymbols; ++i) {
            freq_[i] = 1;
            son_[i] = i + kNodes;
            parent_[i + kNodes] = i;
        }
        for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
            freq_[j] = freq_[i] + freq_[i + 1];
            son_[j] = i;
            parent_[i] = parent_[i + 1] = j;
        }
        freq_[kNodes] = 0xFFFF;  // sentinel above every count
        parent_[kRoot] = 0;
    }

    // Halves the counts and rebuilds the tree when the root's count is full.
    void Rebuild() {
        int j = 0;
        for (int i = 0; i < kNodes; ++i) {
            if (son_[i] >= kNodes) {
                freq_[j] = (freq_[i] + 1) / 2;
                son_[j] = son_[i];
                ++j;
            }
        }
        for (int i = 0, n = kSymbols; n < kNodes; i += 2, ++n) {
            const unsigned f = freq_[i] + freq_[i + 1];
            int k = n - 1;
            while (f < freq_[k]) --k;
            ++k;
            for (int m = n; m > k; --m) {
                freq_[m] = freq_[m - 1];
                son_[m] = son_[m - 1];
            }
            freq_[k] = f;
            son_[k] = i;
        }
        for (int i = 0; i < kNodes; ++i) {
            const int k = son_[i];
            if (k >= kNodes) parent_[k] = i;
            else parent_[k] = parent_[k + 1] = i;
        }
    }

    void Update(int symbol) {
        if (freq_[kRoot] == kMaxFreq) Rebuild();
        int c = parent_[symbol + kNodes];
        do {
            const unsigned k = ++freq_[c];
            int l = c + 1;
            if (k > freq_[l]) {
                while (k > freq_[++l]) {}
                --l;
                freq_[c] = freq_[l];
                freq_[l] = k;
                const int i = son_[c];
                parent_[i] = l;
                if (i < kNodes) parent_[i + 1] = l;
                const int j = son_[l];
                son_[l] = i;
                parent_[j] = c;
                if (j < kNodes) parent_[j + 1] = c;
                son_[c] = j;
                c = l;
            }
            c = parent_[c];
        } while (c != 0);
    }

    int DecodeChar() {
        int c = son_[kRoot];
        while (c < kNodes) {
            c += static_cast<int>(in_.Get(1));
            c = son_[c];
        }
        c -= kNodes;
        Update(c);
        return c;
    }

    // Upper six bits: 32 codes of 3 bits, 48 of 4, 64 of 5, 48 of 6, 48 of 7,
    // 16 of 8 (counted by their first eight bits); lower six bits follow.
    uint32_t DecodePosition() {
        in_.Need();
        const uint32_t head = in_.Peek(8);
        uint32_t upper, bits;
        if (head < 32) upper = 0, bits = 3;
        else if (head < 80) upper = 1 + (head - 32) / 16, bits = 4;
        else if (head < 144) upper = 4 + (head - 80) / 8, bits = 5;
        else if (head < 192) upper = 12 + (head - 144) / 4, bits = 6;
        else if (head < 240) upper = 24 + (head - 192) / 2, bits = 7;
        else upper = 48 + (head - 240), bits = 8;
        in_.Skip(static_cast<int>(bits));
        return (upper << 6) | in_.Get(6);
    }

    BitReader in_;
    unsigned freq_[kNodes + 1] = {};
    int parent_[kNodes + kSymbols] = {};
    int son_[kNodes] = {};
};

}  // namespace

Status DecodeLh1Stream(Source& source, uint64_t offset, uint64_t packedSize, uint64_t originalSize,
                       uint16_t expectedCrc, Sink& out) {
    DynamicDecoder decoder(source, offset, packedSize);
    return decoder.Run(originalSize, expectedCrc, out);
}

Status DecodeLzhStream(Source& source, uint64_t offset, uint64_t packedSize, uint64_t originalSize,
                       int dictionaryBits, uint16_t expectedCrc, Sink& out) {
    if (dictionaryBits < 13 || dictionaryBits > kMaxDictionaryBits) return Status::Unsupported;
    Decoder decoder(source, offset, packedSize, dictionaryBits);
    return decoder.Run(originalSize, expectedCrc, out);
}

}  // namespace arc
