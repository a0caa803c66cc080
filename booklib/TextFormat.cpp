#include "TextFormat.h"

#include <cstdint>

namespace dunmoor::text {

namespace {

// Every control code that some reader acts on, with its length in bytes (0x1F and code byte
// included). Argument bytes count from the 0x1F byte:
//   1F 09 xx xx        indent level (16-bit)
//   1F 41 aa bb        keyword; aa = 0x01 opens an entry
//   1F 62 / 1F 63 + 6  end of reference, BCD target position
//   1F 44 + 10         monochrome graphic: 2 unused, height BCD4, width BCD4
//   1F 64 + 6          end of monochrome graphic, BCD position of the bits
//   1F 4D + 18         colour graphic: 12 unused, block BCD4, offset BCD2
//   1F 48 + 10         CD audio: track, unused, start min, start sec, 2 unused, len min, len sec, 2 unused
//   1F 4A + 16         sound: data in the text file or CD audio (byte 3 low nibble)
//   1F E0 / 1F E2 + 2  decoration argument
struct CodeLength {
  uint8_t code;
  uint8_t length;
};

constexpr CodeLength kLongCodes[] = {
    {kIndent, 4},           {kBeginKeyword, 4},      {kEndReference, 8},   {kEndReference2, 8},
    {kBeginMonoGraphic, 12}, {kEndMonoGraphic, 8},   {kBeginColorGraphic, 20},
    {kBeginCdAudio, 12},    {kBeginSound, 18},       {kBeginDecoration, 4}, {kBeginDecoration2, 4},
};

}  // namespace

size_t FixedCodeLength(uint8_t code) {
  for (const CodeLength& entry : kLongCodes) {
    if (entry.code == code) return entry.length;
  }
  return 2;
}

size_t ControlLength(const uint8_t* text, size_t size, bool* complete) {
  *complete = true;
  if (size < 2) {
    *complete = false;
    return size;
  }
  if (text[1] == kBeginSkip) {
    // The stretch runs through the next 1F 15, which stands on a unit boundary.
    for (size_t at = 2; at + 1 < size; at += 2) {
      if (text[at] == kEscape && text[at + 1] == kEndSkip) return at + 2;
    }
    *complete = false;
    return size;
  }
  size_t length = FixedCodeLength(text[1]);
  if (length > size) {
    *complete = false;
    return size;
  }
  return length;
}

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
