#include "TextTrim.h"

#include <cstring>

#include "ControlCodes.h"

namespace calvetta {

namespace {

namespace code = booktext::code;

// The held part of [start, end): its first pair in step with start and its end; a code outside it
// reads as zero bytes, which no code begins with.
struct HeldPairs {
  int32_t from;
  int32_t to;
};
HeldPairs PairsHeld(const HeldText& text, int32_t start, int32_t to) {
  int32_t from = start < text.base ? text.base : start;
  if ((from - start) & 1) ++from;
  if (to > text.base + text.size) to = text.base + text.size;
  return {from, to};
}

bool CodeAt(const HeldText& text, int32_t p, uint8_t c) {
  return p + 1 < text.base + text.size && text.data[p + 1 - text.base] == c;
}

// The first pair p in [start, end), in step with start, that is the code 1F c; -1 when none.
// The escape byte is looked for with memchr: the text is long, its codes are few.
int32_t FirstCode(const HeldText& text, int32_t start, int32_t end, uint8_t c) {
  const HeldPairs held = PairsHeld(text, start, end);
  for (int32_t p = held.from; p < held.to;) {
    const void* found = std::memchr(text.data + (p - text.base), code::kEscape, static_cast<size_t>(held.to - p));
    if (!found) return -1;
    const int32_t q = text.base + static_cast<int32_t>(static_cast<const uint8_t*>(found) - text.data);
    if (((q - start) & 1) == 0 && CodeAt(text, q, c)) return q;
    p = q + 1;
    if ((p - start) & 1) ++p;
  }
  return -1;
}

// The last such pair in [start, end); -1 when none.
int32_t LastCode(const HeldText& text, int32_t start, int32_t end, uint8_t c) {
  const HeldPairs held = PairsHeld(text, start, end);
  if (held.from >= held.to) return -1;
  for (int32_t p = held.from + ((held.to - 1 - held.from) / 2) * 2; p >= held.from; p -= 2)
    if (text.data[p - text.base] == code::kEscape && CodeAt(text, p, c)) return p;
  return -1;
}

}  // namespace

void TrimForward(const HeldText& text, int32_t start, int32_t* end) {
  if (const int32_t p = FirstCode(text, start, *end, code::kEndText); p >= 0) {
    *end = p + 1;
    return;
  }
  if (*end - 1 < start) return;
  if (const int32_t p = LastCode(text, start, *end, code::kNewline); p >= 0) *end = p + 1;
}

bool TrimBackward(const HeldText& text, int32_t* start, int32_t end) {
  if (end - 1 < *start) return false;
  int32_t p = LastCode(text, *start, end, code::kBeginText);
  if (p >= 0) {
    *start = p + 2;
    return true;
  }
  p = FirstCode(text, *start, end, code::kNewline);
  if (p < 0) return false;
  *start = p + 2;
  return true;
}

}  // namespace calvetta
