#include "MediaCode.h"

#include <algorithm>
#include <cstring>

#include "TextFormat.h"

namespace dunmoor::media {

bool FindEndCode(const uint8_t* code, size_t fixedLength, uint8_t endCode, size_t trailing, size_t* end) {
  const size_t limit = fixedLength + kMaxCaptionBytes;
  // A copy that ends at byte kHeldBytes is read no further; a longer one as far as the search goes.
  const size_t readable = code[kHeldBytes] == 0 ? kHeldBytes : limit + 2 + trailing;
  size_t at = fixedLength;
  while (at <= limit && at + 2 <= readable) {
    if (code[at] == 0) return false;  // the caller's copy ends here
    if (code[at] != text::kEscape) {
      at += 2;
      continue;
    }
    uint8_t byte = code[at + 1];
    if (byte == endCode) {
      if (at + 2 + trailing > readable) return false;  // the position bytes were cut off
      *end = at;
      return true;
    }
    // Another code inside the caption: step over its arguments (1F 14 counts as 2 bytes here).
    at += text::FixedCodeLength(byte);
  }
  return false;
}

bool StrictBcdPosition(const uint8_t* p, uint32_t* block, uint32_t* offset) {
  for (size_t i = 0; i < 6; ++i) {
    if ((p[i] >> 4) > 9 || (p[i] & 0x0F) > 9) return false;
  }
  *block = text::DecodeBcd(p, 4);
  *offset = text::DecodeBcd(p + 4, 2);
  return *block != 0;
}

void CopyCaption(const uint8_t* code, size_t from, size_t to, char* out, size_t limit) {
  size_t count = std::min(to - from, limit);
  std::memcpy(out, code + from, count);
  out[count] = '\0';
}

}  // namespace dunmoor::media
