// Checksums used by the archive formats.
#pragma once
#include <cstddef>
#include <cstdint>

namespace arc {

// CRC-16 as used by LZH archives (polynomial 0xA001, reflected, initial value 0).
uint16_t UpdateCrc16(uint16_t crc, const uint8_t* data, size_t size);

// CRC-32 as used by ZIP archives (same as zlib's crc32).
uint32_t UpdateCrc32(uint32_t crc, const uint8_t* data, size_t size);

}  // namespace arc
