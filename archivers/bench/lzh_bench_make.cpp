// Makes the benchmark's -lh1- and -lhx- archives, which Debian's lha does not write.
// Usage: lzh_bench_make lh1 OUT.lzh FILE...   (greedy -lh1- encoder, level 0 headers)
//        lzh_bench_make lhx IN.lzh OUT.lzh    (the -lh7- members of an archive with level 2
//                                              headers relabelled: the -lhx- stream differs only
//                                              in allowing more position codes)
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "crc.h"
#include "lh1_encoder.h"

namespace {

using Bytes = std::vector<uint8_t>;

bool ReadFile(const char* path, Bytes& out) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return false;
    out.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return true;
}

bool WriteFile(const char* path, const Bytes& data) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(f);
}

// Greedy matching through a hash of three bytes: the latest earlier position only.
Bytes EncodeLh1(const Bytes& in) {
    std::vector<lh1enc::Op> ops;
    std::vector<int64_t> last(1 << 16, -1);
    size_t i = 0;
    while (i < in.size()) {
        size_t length = 0, distance = 0;
        if (i + 3 <= in.size()) {
            const uint32_t h = (in[i] << 8 ^ in[i + 1] << 4 ^ in[i + 2]) & 0xFFFF;
            const int64_t at = last[h];
            last[h] = static_cast<int64_t>(i);
            if (at >= 0 && i - static_cast<size_t>(at) <= 4096) {
                while (length < 60 && i + length < in.size() && in[static_cast<size_t>(at) + length] == in[i + length])
                    ++length;
                distance = i - static_cast<size_t>(at);
            }
        }
        if (length >= 3) {
            ops.push_back({-1, static_cast<int>(length), static_cast<int>(distance)});
            i += length;
        } else {
            ops.push_back({in[i]});
            ++i;
        }
    }
    return lh1enc::EncodeOps(ops);
}

int MakeLh1(int argc, char** argv) {
    Bytes out;
    for (int a = 3; a < argc; ++a) {
        Bytes data;
        if (!ReadFile(argv[a], data)) return std::fprintf(stderr, "cannot read %s\n", argv[a]), 1;
        const Bytes packed = EncodeLh1(data);
        std::string name = argv[a];
        name = name.substr(name.find_last_of('/') + 1);
        Bytes h = {0, 0, '-', 'l', 'h', '1', '-'};
        auto put32 = [&h](uint32_t v) {
            for (int k = 0; k < 4; ++k) h.push_back(static_cast<uint8_t>(v >> (8 * k)));
        };
        put32(static_cast<uint32_t>(packed.size()));
        put32(static_cast<uint32_t>(data.size()));
        put32(0x5A8A2378);
        h.push_back(0x20);
        h.push_back(0);
        h.push_back(static_cast<uint8_t>(name.size()));
        h.insert(h.end(), name.begin(), name.end());
        const uint16_t crc = arc::UpdateCrc16(0, data.data(), data.size());
        h.push_back(static_cast<uint8_t>(crc));
        h.push_back(static_cast<uint8_t>(crc >> 8));
        h[0] = static_cast<uint8_t>(h.size() - 2);
        for (size_t k = 2; k < h.size(); ++k) h[1] = static_cast<uint8_t>(h[1] + h[k]);
        out.insert(out.end(), h.begin(), h.end());
        out.insert(out.end(), packed.begin(), packed.end());
    }
    out.push_back(0);
    return WriteFile(argv[2], out) ? 0 : 1;
}

// Level 2 headers only (lhasa reads -lhx- in those): the method is renamed
// and the header CRC (extended header 0) made again.
int RelabelLhx(const char* from, const char* to) {
    Bytes a;
    if (!ReadFile(from, a)) return 1;
    size_t pos = 0;
    while (pos + 26 <= a.size() && a[pos] | a[pos + 1]) {
        if (a[pos + 20] != 2) return std::fprintf(stderr, "not level 2 headers\n"), 1;
        const size_t headerSize = a[pos] | a[pos + 1] << 8;
        if (pos + headerSize > a.size()) return 1;
        if (std::memcmp(&a[pos + 2], "-lh7-", 5) == 0) {
            std::memcpy(&a[pos + 2], "-lhx-", 5);
            size_t crcAt = 0;
            // Each extended header: type, data, then the next one's size.
            size_t x = pos + 26;
            for (size_t size = a[pos + 24] | a[pos + 25] << 8; size >= 3 && x + size <= pos + headerSize;) {
                if (a[x] == 0x00) crcAt = x + 1;
                const size_t next = a[x + size - 2] | a[x + size - 1] << 8;
                x += size;
                size = next;
            }
            if (crcAt) {
                a[crcAt] = a[crcAt + 1] = 0;
                const uint16_t crc = arc::UpdateCrc16(0, &a[pos], headerSize);
                a[crcAt] = static_cast<uint8_t>(crc);
                a[crcAt + 1] = static_cast<uint8_t>(crc >> 8);
            }
        }
        const uint32_t packed = a[pos + 7] | a[pos + 8] << 8 | a[pos + 9] << 16 | static_cast<uint32_t>(a[pos + 10]) << 24;
        pos += headerSize + packed;
    }
    return WriteFile(to, a) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "lh1") == 0) return MakeLh1(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "lhx") == 0) return RelabelLhx(argv[2], argv[3]);
    std::fprintf(stderr, "usage: lzh_bench_make lh1 OUT FILE... | lhx IN OUT\n");
    return 2;
}
