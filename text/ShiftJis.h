// Conversion between Shift-JIS (code page 932: what the screen, the word box, the clipboard and
// the host product hold) and the book's JIS X 0208 codes (7-bit form, both bytes 0x21..0x7E).
// The arithmetic conversion only: no table, so no character is looked up.
#ifndef BOOKTEXT_SHIFTJIS_H
#define BOOKTEXT_SHIFTJIS_H

#include <cstddef>
#include <cstdint>

namespace booktext {

// A two-byte character: first and second byte.
struct BytePair {
  uint8_t first;
  uint8_t second;
};

// True when lead is a Shift-JIS lead byte of the double-byte rows that map to JIS X 0208
// (0x81..0x9F, 0xE0..0xEF). The other high bytes are single characters in code page 932
// (0x80, 0xA0..0xDF half-width katakana, 0xFD..0xFF) or user-defined rows (0xF0..0xFC).
bool IsSjisLeadByte(uint8_t lead);

// True for the first byte of any double-byte character of code page 932: 0x81..0x9F and
// 0xE0..0xFC (the user-defined rows 0xF0..0xFC included).
bool IsCp932LeadByte(uint8_t byte);

// Shift-JIS to JIS X 0208 for lead bytes 0x81..0x9F and 0xE0..0xEF with trail bytes
// 0x40..0x7E or 0x80..0xFC. Any other pair is copied unchanged into *jis and false is returned
// ("not converted"). The user-defined rows (lead 0xF0..0xFC) are not converted: their
// arithmetic result lies outside JIS X 0208 (first byte 0x7F and up).
bool SjisToJis(BytePair sjis, BytePair* jis);

// JIS X 0208 to Shift-JIS for both bytes in 0x21..0x7E; any other pair is copied unchanged
// and false is returned.
bool JisToSjis(BytePair jis, BytePair* sjis);

// Converts a zero-terminated JIS string to Shift-JIS in place, two bytes at a time. Stops at
// a zero byte in either place of a pair and never goes past capacity bytes, so an odd length
// or a missing terminator does not run off the buffer; a lone last byte stays as it is.
void JisToSjisInPlace(char* text, size_t capacity);

// The same two conversions on codes packed high byte first: 0 when the code is not converted.
uint16_t JisToSjis(uint16_t jis);
uint16_t SjisToJis(uint16_t sjis);

}  // namespace booktext

#endif  // BOOKTEXT_SHIFTJIS_H
