// A compressed book file read as its original: the slice index and every slice taken as they
// come. A read either fails or delivers bytes that every other way of reading the same range
// (one large read, slice-sized pieces, again from the cache) delivers too.
#include <algorithm>
#include <cstring>

#include "Ebzip.h"
#include "FuzzInput.h"
#include "FuzzTargets.h"

namespace fuzz {

namespace {

// What is read of the original at most: the index may promise far more.
constexpr uint64_t kMostRead = 256 * 1024;

}  // namespace

int FuzzEbzip(const uint8_t* data, size_t size) {
  auto stored = [data, size](uint64_t offset, void* buffer, uint32_t want, uint32_t* got) {
    uint64_t n = offset >= size ? 0 : std::min<uint64_t>(want, size - offset);
    if (n) std::memcpy(buffer, data + offset, n);
    *got = static_cast<uint32_t>(n);
    return true;
  };
  dunmoor::EbzipReader whole, pieces;
  bool opened = whole.Open(stored, size);
  FUZZ_CHECK(pieces.Open(stored, size) == opened);
  if (!opened) return 0;
  FUZZ_CHECK(whole.Level() >= 0 && whole.Level() <= dunmoor::kEbzipMaxLevel);
  uint64_t length = std::min(whole.OriginalSize(), kMostRead);

  Bytes all(length + 16, 0xA5);
  uint32_t got = 0;
  bool read = whole.Read(0, all.data(), static_cast<uint32_t>(length + 16), &got);
  if (read) {
    FUZZ_CHECK(got == length);
    for (size_t i = length; i < all.size(); ++i) FUZZ_CHECK(all[i] == 0xA5);  // nothing past the count
  }
  // The same range in odd-sized pieces, each checked against the large read where both succeed.
  for (uint64_t at = 0; at < length; at += 1999) {
    Bytes piece(1999 + 8, 0x5A);
    uint32_t n = 0;
    if (!pieces.Read(at, piece.data(), 1999, &n)) continue;
    FUZZ_CHECK(n == std::min<uint64_t>(1999, whole.OriginalSize() - at));
    for (size_t i = n; i < piece.size(); ++i) FUZZ_CHECK(piece[i] == 0x5A);
    if (read) FUZZ_CHECK(std::memcmp(piece.data(), all.data() + at, std::min<uint64_t>(n, length - at)) == 0);
  }
  // At and past the end: nothing, and no failure.
  uint8_t tail[4];
  FUZZ_CHECK(whole.Read(whole.OriginalSize(), tail, sizeof tail, &got) && got == 0);
  return 0;
}

}  // namespace fuzz
