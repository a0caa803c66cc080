// Byte-level helpers for writing the book's files: big-endian numbers, BCD fields and the two
// encodings of a text position (block, offset), where position = (block - 1) * 2048 + offset.
#ifndef DUNMOOR_TOOLS_BOOKBUILD_BYTES_H
#define DUNMOOR_TOOLS_BOOKBUILD_BYTES_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bookbuild {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kBlockSize = 2048;

void PutBe16(Bytes* out, uint32_t value);
void PutBe32(Bytes* out, uint32_t value);
// Writes value into out[at..at+3] big-endian; out must be large enough.
void SetBe32(Bytes* out, size_t at, uint32_t value);

// value as `width` bytes of BCD, two decimal digits a byte, most significant first. The caller
// keeps value below 10^(2*width).
void PutBcd(Bytes* out, uint32_t value, int width);
// 6 bytes: block as 4 bytes of BCD, offset as 2 bytes of BCD.
void PutBcdPosition(Bytes* out, uint32_t position);
// 6 bytes: block as a 32-bit number, offset as a 16-bit number (index pages).
void PutNumericPosition(Bytes* out, uint32_t position);
// Overwrites 6 bytes at `at` with the BCD position.
void SetBcdPosition(Bytes* out, size_t at, uint32_t position);

inline uint32_t BlockOf(uint32_t position) { return position / kBlockSize + 1; }
inline uint32_t OffsetOf(uint32_t position) { return position % kBlockSize; }
// Pads out with zero bytes up to the next block boundary.
void PadToBlock(Bytes* out);

}  // namespace bookbuild

#endif  // DUNMOOR_TOOLS_BOOKBUILD_BYTES_H
