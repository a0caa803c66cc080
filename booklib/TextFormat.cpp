#include "TextFormat.h"

#include <cstdint>

namespace dunmoor::text {

uint32_t DecodeBcd(const uint8_t* field, size_t n) {
  uint32_t value = 0;
  for (size_t i = 0; i < n; ++i) {
    const unsigned nibbles[2] = {static_cast<unsigned>(field[i] >> 4), field[i] & 0x0Fu};
    for (unsigned digit : nibbles) {
      if (digit > 9) return value;
      value = value * 10 + digit;
    }
  }
  return value;
}

int64_t DecodeBcdPosition(const uint8_t* p) { return PositionOf(DecodeBcd(p, 4), DecodeBcd(p + 4, 2)); }

bool IsEntryStart(const uint8_t* text, size_t size) {
  return size >= 3 && text[0] == kEscape && text[1] == kBeginKeyword && text[2] == 0x01;
}

size_t FindCode(const uint8_t* text, size_t size, uint8_t code, size_t from) {
  for (size_t at = from; at + 1 < size; ++at) {
    if (text[at] == kEscape && text[at + 1] == code) return at;
  }
  return size;
}

bool TextWalker::Next(TextUnit* unit) {
  if (at >= size) return false;
  const uint8_t* p = text + at;
  size_t left = size - at;
  unit->offset = at;
  if (p[0] == kEscape) {
    bool complete;
    unit->length = ControlLength(p, left, &complete);
    unit->kind = complete ? TextUnit::Kind::kControl : TextUnit::Kind::kTruncated;
    unit->code = left >= 2 ? p[1] : 0;
  } else if (left < 2) {
    unit->kind = TextUnit::Kind::kTruncated;
    unit->length = left;
    unit->code = p[0];
  } else {
    unit->length = 2;
    unit->code = static_cast<uint16_t>((p[0] << 8) | p[1]);
    bool jisByte0 = p[0] >= 0x21 && p[0] <= 0x7E;
    bool jisByte1 = p[1] >= 0x21 && p[1] <= 0x7E;
    if (jisByte0 && jisByte1) {
      unit->kind = TextUnit::Kind::kCharacter;
    } else if (p[0] >= 0xA1) {
      unit->kind = TextUnit::Kind::kExternalCharacter;
    } else {
      unit->kind = TextUnit::Kind::kOther;
    }
  }
  at += unit->length;
  return true;
}

}  // namespace dunmoor::text
