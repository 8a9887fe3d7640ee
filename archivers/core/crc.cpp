#include "crc.h"

#include <array>
#include <zlib.h>

namespace arc {
namespace {

// Eight tables for slicing-by-8: the LZH decoder is fast enough that a
// byte-at-a-time checksum would dominate its run time.
struct Crc16Tables {
    std::array<std::array<uint16_t, 256>, 8> t{};
    Crc16Tables() {
        for (unsigned i = 0; i < 256; ++i) {
            uint16_t c = static_cast<uint16_t>(i);
            for (int k = 0; k < 8; ++k) c = (c & 1) ? static_cast<uint16_t>((c >> 1) ^ 0xA001) : static_cast<uint16_t>(c >> 1);
            t[0][i] = c;
        }
        for (unsigned i = 0; i < 256; ++i)
            for (int s = 1; s < 8; ++s)
                t[s][i] = static_cast<uint16_t>((t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF]);
    }
};

const Crc16Tables& Tables16() {
    static const Crc16Tables tables;
    return tables;
}

}  // namespace

uint16_t UpdateCrc16(uint16_t crc, const uint8_t* p, size_t n) {
    const auto& t = Tables16().t;
    while (n >= 8) {
        const uint32_t lo = static_cast<uint32_t>(p[0] | (p[1] << 8)) ^ crc;
        crc = static_cast<uint16_t>(t[7][lo & 0xFF] ^ t[6][lo >> 8] ^ t[5][p[2]] ^ t[4][p[3]] ^
                                    t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]]);
        p += 8;
        n -= 8;
    }
    while (n--) crc = static_cast<uint16_t>((crc >> 8) ^ t[0][(crc ^ *p++) & 0xFF]);
    return crc;
}

uint32_t UpdateCrc32(uint32_t crc, const uint8_t* data, size_t size) {
    while (size > 0) {
        const uInt chunk = size > 0x40000000 ? 0x40000000u : static_cast<uInt>(size);
        crc = static_cast<uint32_t>(crc32(crc, data, chunk));
        data += chunk;
        size -= chunk;
    }
    return crc;
}

}  // namespace arc
