// Splits a fuzzer's input into the values a target needs. Reading past the end gives zero
// bytes, so every input, however short, drives a whole run.
#ifndef DUNMOOR_FUZZ_FUZZINPUT_H
#define DUNMOOR_FUZZ_FUZZINPUT_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace fuzz {

using Bytes = std::vector<uint8_t>;

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data(data), size(size) {}

  uint8_t Byte() { return at < size ? data[at++] : 0; }
  uint16_t Word() { return static_cast<uint16_t>(Byte() << 8 | Byte()); }
  uint32_t Long() { return uint32_t{Word()} << 16 | Word(); }
  // A section: a 16-bit big-endian length, then that many bytes (fewer at the end of input).
  Bytes Section() {
    size_t want = Word();
    size_t n = std::min(want, size - at);
    Bytes out(data + at, data + at + n);
    at += n;
    return out;
  }
  Bytes Rest() {
    Bytes out(data + at, data + size);
    at = size;
    return out;
  }

 private:
  const uint8_t* data;
  size_t size;
  size_t at = 0;
};

// A broken promise of the code under test: reported like a crash, so that the fuzzer keeps the
// input and the replay test fails.
#define FUZZ_CHECK(condition)                                                    \
  do {                                                                           \
    if (!(condition)) {                                                          \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                              \
    }                                                                            \
  } while (0)

}  // namespace fuzz

#endif  // DUNMOOR_FUZZ_FUZZINPUT_H
