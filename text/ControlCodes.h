// The control codes of a book's text: 0x1F, a code byte and a fixed number of argument bytes
// (every length is even). One table for everything that reads or writes them: the
// book-access library, the content view's layout and the book builder.
#ifndef BOOKTEXT_CONTROLCODES_H
#define BOOKTEXT_CONTROLCODES_H

#include <cstddef>
#include <cstdint>

namespace booktext::code {

constexpr uint8_t kEscape = 0x1F;

// Control code bytes (the byte after 0x1F).
enum Code : uint8_t {
  kBeginText = 0x02,
  kEndText = 0x03,
  kBeginNarrow = 0x04,
  kEndNarrow = 0x05,
  kBeginSubscript = 0x06,
  kEndSubscript = 0x07,
  kIndent = 0x09,
  kNewline = 0x0A,
  kBeginSuperscript = 0x0E,
  kEndSuperscript = 0x0F,
  kBeginEmphasis = 0x12,
  kEndEmphasis = 0x13,
  kBeginSkip = 0x14,
  kEndSkip = 0x15,
  kBeginKeyword = 0x41,
  kEndKeyword = 0x61,
  kBeginReference = 0x42,
  kEndReference = 0x62,
  kBeginReference2 = 0x43,
  kEndReference2 = 0x63,
  kBeginMonoGraphic = 0x44,
  kEndMonoGraphic = 0x64,
  kBeginColorGraphic = 0x4D,
  kEndColorGraphic = 0x6D,
  kBeginCdAudio = 0x48,
  kEndCdAudio = 0x68,
  kBeginSound = 0x4A,
  kEndSound = 0x6A,
  kBeginDecoration = 0xE0,
  kEndDecoration = 0xE1,
  kBeginDecoration2 = 0xE2,
  kEndDecoration2 = 0xE3,
};

// The arguments of 1F E0 that books use (freepwing's two type faces); any other is plain text.
constexpr uint16_t kDecorationItalic = 0x0001;
constexpr uint16_t kDecorationBold = 0x0003;

// Length in bytes of the control code with this code byte, 0x1F and code byte included.
// 1F 14 runs through the next 1F 15 and has no fixed length: it reports 2 here, and
// ControlLength below measures the stretch. Codes outside the table are 2 bytes long.
size_t FixedCodeLength(uint8_t code);

// Length of the control code at text[0] (text[0] == 0x1F), as far as size bytes allow. When the
// code needs more bytes than size, *complete is false and the length is size.
size_t ControlLength(const uint8_t* text, size_t size, bool* complete);

// The bytes of a heading in a buffer the library filled (epwGetWordItem): whole pairs up to the
// first that holds a zero byte, but for the argument pair of a decoration (1F E0, 1F E2), which
// may.
size_t HeadingLength(const char* buffer, size_t size);

}  // namespace booktext::code

#endif  // BOOKTEXT_CONTROLCODES_H
