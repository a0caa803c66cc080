#include "ShiftJis.h"

namespace booktext {

namespace {

bool IsJisByte(uint8_t b) { return b >= 0x21 && b <= 0x7E; }
bool IsSjisTrailByte(uint8_t b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

}  // namespace

bool IsSjisLeadByte(uint8_t lead) { return (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEF); }

bool IsCp932LeadByte(uint8_t byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

bool SjisToJis(BytePair sjis, BytePair* jis) {
  if (!IsSjisLeadByte(sjis.first) || !IsSjisTrailByte(sjis.second)) {
    *jis = sjis;
    return false;
  }
  // Each lead byte covers two JIS rows: trail bytes below 0x9F the odd row, from 0x9F the even.
  unsigned lead = sjis.first >= 0xE0 ? sjis.first - 0x40u : sjis.first;
  unsigned row = (lead - 0x81u) * 2 + 0x21;
  unsigned cell;
  if (sjis.second >= 0x9F) {
    row += 1;
    cell = sjis.second - 0x7Eu;
  } else {
    cell = sjis.second - (sjis.second >= 0x80 ? 0x20u : 0x1Fu);  // 0x7F is no trail byte
  }
  *jis = {static_cast<uint8_t>(row), static_cast<uint8_t>(cell)};
  return true;
}

bool JisToSjis(BytePair jis, BytePair* sjis) {
  if (!IsJisByte(jis.first) || !IsJisByte(jis.second)) {
    *sjis = jis;
    return false;
  }
  unsigned row = jis.first, cell = jis.second;
  unsigned lead = ((row + 1) >> 1) + (row <= 0x5E ? 0x70u : 0xB0u);
  unsigned trail;
  if (row & 1) {
    trail = cell + (cell >= 0x60 ? 0x20u : 0x1Fu);
  } else {
    trail = cell + 0x7Eu;
  }
  *sjis = {static_cast<uint8_t>(lead), static_cast<uint8_t>(trail)};
  return true;
}

void JisToSjisInPlace(char* text, size_t capacity) {
  for (size_t at = 0; at + 1 < capacity && text[at] != 0 && text[at + 1] != 0; at += 2) {
    BytePair converted;
    JisToSjis({static_cast<uint8_t>(text[at]), static_cast<uint8_t>(text[at + 1])}, &converted);
    text[at] = static_cast<char>(converted.first);
    text[at + 1] = static_cast<char>(converted.second);
  }
}

uint16_t JisToSjis(uint16_t jis) {
  BytePair sjis;
  if (!JisToSjis({static_cast<uint8_t>(jis >> 8), static_cast<uint8_t>(jis & 0xFF)}, &sjis)) return 0;
  return static_cast<uint16_t>((sjis.first << 8) | sjis.second);
}

uint16_t SjisToJis(uint16_t sjis) {
  BytePair jis;
  if (!SjisToJis({static_cast<uint8_t>(sjis >> 8), static_cast<uint8_t>(sjis & 0xFF)}, &jis)) return 0;
  return static_cast<uint16_t>((jis.first << 8) | jis.second);
}

}  // namespace booktext
