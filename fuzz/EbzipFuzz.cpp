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
// A scan's two reads, from an odd start as a text area has it: long enough for whole slices of
// every level to be inflated on two threads.
constexpr uint64_t kScanStart = 6144;
constexpr uint32_t kScanPiece = 640 * 1024;

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

  // Asked for a little more than is compared: a short original ends inside the request.
  const uint64_t asked = length + 16, delivered = std::min(asked, whole.OriginalSize());
  Bytes all(asked + 16, 0xA5);
  uint32_t got = 0;
  bool read = whole.Read(0, all.data(), static_cast<uint32_t>(asked), &got);
  if (read) {
    FUZZ_CHECK(got == delivered);
    for (size_t i = got; i < all.size(); ++i) FUZZ_CHECK(all[i] == 0xA5);  // nothing past the count
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
  // A scan's reads of a larger original: long ones (whole slices on two threads), each going on
  // where the last stopped, against stretches of the same ranges read through the slice cache.
  if (whole.OriginalSize() > kScanStart + 2 * kScanPiece) {
    dunmoor::EbzipReader scan, slices;
    FUZZ_CHECK(scan.Open(stored, size) && slices.Open(stored, size));
    Bytes piece(kScanPiece), part(kScanPiece / 8);
    for (uint64_t at = kScanStart; at < kScanStart + 2 * kScanPiece; at += kScanPiece) {
      if (!scan.Read(at, piece.data(), kScanPiece, &got)) continue;
      FUZZ_CHECK(got == kScanPiece);
      // Its first, a middle and its last stretch: a slice in the wrong place shows in any.
      const uint32_t stretch = static_cast<uint32_t>(part.size());
      for (uint32_t from : {0u, kScanPiece / 2 - 1000, kScanPiece - stretch}) {
        uint32_t n = 0;
        if (!slices.Read(at + from, part.data(), static_cast<uint32_t>(part.size()), &n)) continue;
        FUZZ_CHECK(n == part.size() && std::memcmp(part.data(), piece.data() + from, n) == 0);
      }
    }
  }
  // At and past the end: nothing, and no failure.
  uint8_t tail[4];
  FUZZ_CHECK(whole.Read(whole.OriginalSize(), tail, sizeof tail, &got) && got == 0);
  return 0;
}

}  // namespace fuzz
