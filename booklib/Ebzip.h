// Reading a book file kept in the EBZIP compressed form (NAME.ebz) as if it were the original.
//
// Compressed file, numbers big-endian:
//   header, 22 bytes   0-4   "EBZip"
//                      5     high nibble: mode (1, zlib slices), low nibble: level L, 0-5
//                      6-8   zero
//                      9-13  size of the original file, 40 bits
//                      14-17 Adler-32 of the whole original file
//                      18-21 modification time of the original file
//   slice index        N + 1 offsets of W bytes (N = ceil(size / S), slice size S = 2048 << L;
//                      W = 2, 3, 4 or 5 by the original size); offset N is the file's length
//   slices             slice i lies at [offset i, offset i+1): stored as is when it is S bytes
//                      long, otherwise one zlib stream that inflates to exactly S bytes (the
//                      last slice padded with zero bytes before compression)
//
// A read inflates only the slices it touches and keeps the most recent ones in a cache of
// bounded size, so that reading pages near each other inflates each slice once. A long read
// (half a megabyte of whole slices or more) inflates them straight into the caller's buffer,
// half of them on a second thread that ends before the read returns. Damage of any
// kind (offsets that go backwards or past the end, a stream that does not inflate to S bytes
// or fails its checksum, a size that disagrees with the index) makes the read fail; no byte of
// a damaged slice is delivered.
#ifndef DUNMOOR_BOOKLIB_EBZIP_H
#define DUNMOOR_BOOKLIB_EBZIP_H

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace dunmoor {

constexpr size_t kEbzipHeaderSize = 22;
constexpr int kEbzipMaxLevel = 5;
// Inflated slices kept, in bytes, whatever the book's size and level.
constexpr size_t kEbzipCacheBytes = 4 * 1024 * 1024;

// True when the bytes begin like an EBZIP file (magic and a known mode).
bool LooksLikeEbzip(const uint8_t* bytes, size_t size);

class EbzipReader {
 public:
  // Reads stored bytes of the compressed file at offset; *got receives the count (fewer at the
  // end of the file). False when the read itself fails.
  using StoredRead = std::function<bool(uint64_t offset, void* buffer, uint32_t size, uint32_t* got)>;

  EbzipReader();
  ~EbzipReader();
  EbzipReader(const EbzipReader&) = delete;
  EbzipReader& operator=(const EbzipReader&) = delete;

  // Reads the header and checks it against the file's stored size and its slice index. False
  // when the file is no EBZIP file or is damaged there.
  bool Open(StoredRead read, uint64_t storedSize);
  // The reader to use from now on (the same file, reached another way).
  void SetStoredRead(StoredRead reader) { read = std::move(reader); }
  uint64_t OriginalSize() const { return originalSize; }
  int Level() const { return level; }

  // Copies up to size bytes of the original file from position; *got receives the count
  // (fewer at the end, 0 at or past it). False on a failed read or damage.
  bool Read(uint64_t position, void* buffer, uint32_t size, uint32_t* got);

 private:
  struct CacheSlot {
    uint64_t slice = UINT64_MAX;  // UINT64_MAX: empty
    std::vector<uint8_t> bytes;
  };
  struct Inflater;

  // The slice inflated into its cache slot, or nullptr on damage.
  const uint8_t* Slice(uint64_t slice, uint64_t lastWanted);
  // Slices first .. last inflated straight into out, on two threads (a long read: a scan of
  // the text), past the cache. False on damage.
  bool WholeSlices(uint64_t first, uint64_t last, uint8_t* out);
  // Reads offsets first .. last + 1 of the slice index into offsets.
  bool ReadOffsets(uint64_t first, uint64_t last, std::vector<uint64_t>* offsets);
  // Reads the stored bytes of slices first .. last into storedBuffer, their offsets into
  // offsetBuffer. False on a failed read or offsets that cannot be a slice's.
  bool ReadStored(uint64_t first, uint64_t last);
  bool Unpack(Inflater& with, const uint8_t* stored, size_t storedLength, uint8_t* out);

  StoredRead read;
  uint64_t storedSize = 0;
  uint64_t originalSize = 0;
  int level = 0;
  uint32_t sliceSize = 0;
  uint64_t sliceCount = 0;
  unsigned offsetWidth = 0;
  std::vector<CacheSlot> cache;  // direct-mapped: slice % size
  std::vector<uint8_t> storedBuffer;
  std::vector<uint64_t> offsetBuffer;
  std::vector<uint8_t> offsetBytes;
  std::unique_ptr<Inflater> inflater;
  std::unique_ptr<Inflater> helper;  // the second thread's, made at the first long read
};

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_EBZIP_H
