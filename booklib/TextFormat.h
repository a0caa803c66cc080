// The bytes of a book's text file, as every reader of the library sees them: positions,
// characters and the 0x1F control codes. This is the one place that knows the byte format;
// other modules ask it rather than testing bytes themselves.
//
// Positions. The text file is a sequence of 2048-byte blocks numbered from 1; the pair
// (block, offset) names the byte at (block - 1) * 2048 + offset. Pairs are written in two forms:
//
//   numeric, 6 bytes   block: 32-bit big-endian   offset: 16-bit big-endian   (index pages)
//   BCD, 6 bytes       block: 4 bytes BCD         offset: 2 bytes BCD         (inside text)
//
// Characters are 2-byte units: JIS X 0208 in its 7-bit form (both bytes 0x21..0x7E), or an
// external character (first byte 0xA1 or above). Control codes are 0x1F, a code byte and a
// fixed number of argument bytes (ControlCodes.h); every length is even.
#ifndef DUNMOOR_BOOKLIB_TEXTFORMAT_H
#define DUNMOOR_BOOKLIB_TEXTFORMAT_H

#include <cstddef>
#include <cstdint>

#include "ControlCodes.h"

namespace dunmoor::text {

constexpr uint32_t kBlockSize = 2048;

// The control codes (kEscape, Code, FixedCodeLength, ControlLength) come from the shared text
// library, so that the library, the content view and the book builder read one table.
using namespace booktext::code;

// A BCD field of n bytes as the library reads it: each byte printed as two lowercase hex
// digits, the digits read as a decimal number. A nibble of 10 or more ends the number there
// (no digit before it gives 0): 00 00 12 34 -> 1234, 1A -> 1.
uint32_t DecodeBcd(const uint8_t* field, size_t n);

inline uint32_t ReadBigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

inline uint16_t ReadBigEndian16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

// (block - 1) * 2048 + offset as a signed 64-bit value: block 0 gives a negative position, and
// large blocks exceed what a 32-bit position holds. Use ToFilePosition before reading there.
inline int64_t PositionOf(uint32_t block, uint32_t offset) {
  return (static_cast<int64_t>(block) - 1) * kBlockSize + offset;
}

// The 6-byte BCD pair at p.
int64_t DecodeBcdPosition(const uint8_t* p);

// The 6-byte numeric pair at p.
inline int64_t DecodeNumericPosition(const uint8_t* p) {
  return PositionOf(ReadBigEndian32(p), ReadBigEndian16(p + 4));
}

// True and *out = position when 0 <= position <= INT32_MAX: the range of positions the
// library hands out (negative values are its failure results).
inline bool ToFilePosition(int64_t position, uint32_t* out) {
  if (position < 0 || position > INT32_MAX) return false;
  *out = static_cast<uint32_t>(position);
  return true;
}

// True when text (size bytes) begins with the entry start code 1F 41 01: a keyword whose first
// argument byte is 0x01, the own heading of the entry that starts there.
bool IsEntryStart(const uint8_t* text, size_t size);

// Offset of the first byte pair 0x1F, code at or after from within text[0..size), or size when
// there is none. The scan never leaves the caller's block.
size_t FindCode(const uint8_t* text, size_t size, uint8_t code, size_t from = 0);

// A step of TextWalker.
struct TextUnit {
  enum class Kind {
    kCharacter,          // JIS X 0208 character; code = both bytes
    kExternalCharacter,  // first byte 0xA1 or above; code = both bytes
    kControl,            // 1F code ...; code = the code byte
    kOther,              // two bytes that are neither (shown by readers as they like)
    kTruncated,          // the text ends inside a unit or a control code
  };
  Kind kind;
  size_t offset;  // from the start of the walked text
  size_t length;
  uint16_t code;
};

// Steps through text unit by unit: characters, external characters and whole control codes.
// Bounded by the bytes it is given; a unit cut by the end comes out as kTruncated.
class TextWalker {
 public:
  TextWalker(const uint8_t* text, size_t size) : text(text), size(size) {}
  bool Next(TextUnit* unit);
  size_t Offset() const { return at; }

 private:
  const uint8_t* text;
  size_t size;
  size_t at = 0;
};

}  // namespace dunmoor::text

#endif  // DUNMOOR_BOOKLIB_TEXTFORMAT_H
