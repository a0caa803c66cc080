// What the book-reading targets share: a library with the fuzz disc's book open, and the checks
// that the readers keep to their documented results and buffers.
#ifndef DUNMOOR_FUZZ_BOOKRUN_H
#define DUNMOOR_FUZZ_BOOKRUN_H

#include <cstdint>
#include <functional>
#include <vector>

#include "FuzzInput.h"
#include "Library.h"

namespace fuzz {

// Writes text as the book's text file (standard catalog) and opens the book. False when the
// book does not open, which is the documented -1 of epwBooksOpen.
bool OpenTextBook(dunmoor::Library* lib, const Bytes& text);

// A caller's buffer with guard bytes behind it: Check() fails when a reader wrote past size.
class GuardedBuffer {
 public:
  explicit GuardedBuffer(uint32_t size) : size(size), bytes(size + kGuard, kFill) {}
  char* Data() { return bytes.data(); }
  uint32_t Size() const { return size; }
  void Check() const {
    for (size_t i = size; i < bytes.size(); ++i) FUZZ_CHECK(bytes[i] == kFill);
  }

 private:
  static constexpr size_t kGuard = 16;
  static constexpr char kFill = 0x5A;
  uint32_t size;
  std::vector<char> bytes;
};

// A raw reader's result: a position, or -1 (-2 only where the reader takes an index or position).
void CheckRawResult(int32_t result, uint32_t length, uint32_t size, bool mayRefuse);

// Runs an entry-at-a-time reader (1 ends, 0 goes on) to the end of its entry; every piece but
// the last must deliver something, so the number of calls is bounded by the text's size.
void ReadWholeEntry(const std::function<int32_t(char*, uint32_t, uint32_t*)>& read, uint32_t size,
                    uint64_t textSize, bool mayRefuse);

}  // namespace fuzz

#endif  // DUNMOOR_FUZZ_BOOKRUN_H
