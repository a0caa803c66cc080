#include "TextTrim.h"

#include "ControlCodes.h"

namespace calvetta {

namespace {

namespace code = booktext::code;

bool IsCode(const HeldText& text, int32_t p, uint8_t c) {
  return text.At(p) == code::kEscape && text.At(p + 1) == c;
}

// The last pair of the range [start, end], in step with start.
int32_t LastPair(int32_t start, int32_t end) { return start + ((end - 1 - start) / 2) * 2; }

}  // namespace

void TrimForward(const HeldText& text, int32_t start, int32_t* end) {
  for (int32_t p = start; p < *end; p += 2) {
    if (IsCode(text, p, code::kEndText)) {
      *end = p + 1;
      return;
    }
  }
  if (*end - 1 < start) return;
  for (int32_t p = LastPair(start, *end); p >= start; p -= 2) {
    if (IsCode(text, p, code::kNewline)) {
      *end = p + 1;
      return;
    }
  }
}

bool TrimBackward(const HeldText& text, int32_t* start, int32_t end) {
  if (end - 1 < *start) return false;
  for (int32_t p = LastPair(*start, end); p >= *start; p -= 2) {
    if (IsCode(text, p, code::kBeginText)) {
      *start = p + 2;
      return true;
    }
  }
  for (int32_t p = *start; p < end; p += 2) {
    if (IsCode(text, p, code::kNewline)) {
      *start = p + 2;
      return true;
    }
  }
  return false;
}

}  // namespace calvetta
