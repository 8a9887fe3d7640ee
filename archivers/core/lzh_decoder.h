// Decoder for the static-Huffman LZSS methods of LZH archives (-lh5-, -lh6-, -lh7-, -lhx-).
#pragma once
#include <cstdint>

#include "archive.h"
#include "byte_io.h"

namespace arc {

// Decodes `packedSize` bytes at `offset` of `source` into exactly `originalSize`
// bytes, checking the CRC-16. `dictionaryBits` is 13, 15, 16 or 19.
Status DecodeLzhStream(Source& source, uint64_t offset, uint64_t packedSize, uint64_t originalSize,
                       int dictionaryBits, uint16_t expectedCrc, Sink& out);

// Decodes an -lh1- (adaptive Huffman, 4 KB window) stream the same way.
Status DecodeLh1Stream(Source& source, uint64_t offset, uint64_t packedSize, uint64_t originalSize,
                       uint16_t expectedCrc, Sink& out);

}  // namespace arc
