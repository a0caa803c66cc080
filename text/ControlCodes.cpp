#include "ControlCodes.h"

namespace booktext::code {

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

size_t HeadingLength(const char* buffer, size_t size) {
  bool argument = false;
  size_t i = 0;
  for (; i + 1 < size; i += 2) {
    const uint8_t first = static_cast<uint8_t>(buffer[i]), second = static_cast<uint8_t>(buffer[i + 1]);
    if (argument) {
      argument = false;
      continue;
    }
    if (first == 0 || second == 0) break;
    argument = first == kEscape && (second == kBeginDecoration || second == kBeginDecoration2);
  }
  return i;
}

}  // namespace booktext::code
