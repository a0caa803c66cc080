// A monochrome picture of the book (rows top first, width / 8 bytes a row, bit 7 leftmost, a
// set bit ink) as a 1-bit Windows bitmap file:
//   file header, 14 bytes    "BM", file size, 0, 0, data offset 62
//   info header, 40 bytes    40, width, height, 1 plane, 1 bit, no compression, image size,
//                            1 and 1 pixels per metre, 0 colours used, 0 important
//   colour table, 8 bytes    0: white 00 FF FF FF as B G R 0, 1: black
//   rows                     bottom row first, each width / 8 source bytes and zero bytes up to
//                            a multiple of 4 bytes ((width + 31) / 32 * 4 bytes a row)
// Numbers are little-endian.
#ifndef DUNMOOR_TOOLS_DUNMOOR_BMPFILE_H
#define DUNMOOR_TOOLS_DUNMOOR_BMPFILE_H

#include <cstdint>
#include <vector>

namespace cli {

constexpr uint32_t kBmpHeaderSize = 62;

// bits holds height rows of width / 8 bytes (fewer bytes count as zero bytes).
std::vector<uint8_t> MonochromeBmp(uint32_t width, uint32_t height, const std::vector<uint8_t>& bits);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_BMPFILE_H
