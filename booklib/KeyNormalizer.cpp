#include "KeyNormalizer.h"

#include <algorithm>

namespace dunmoor {

namespace {

constexpr int kFieldCount = 12;

uint8_t Row(uint16_t c) { return static_cast<uint8_t>(c >> 8); }
uint8_t Cell(uint16_t c) { return static_cast<uint8_t>(c & 0xFF); }
uint16_t Make(uint8_t row, uint8_t cell) { return static_cast<uint16_t>((row << 8) | cell); }
bool IsKanaRow(uint16_t c) { return Row(c) == 0x24 || Row(c) == 0x25; }

// Applies cell -> cell + delta to kana (hiragana and katakana rows) whose cell is listed.
void ShiftKana(JisChars* key, std::initializer_list<uint8_t> cells, int delta) {
  for (uint16_t& c : *key) {
    if (IsKanaRow(c) && std::find(cells.begin(), cells.end(), Cell(c)) != cells.end())
      c = Make(Row(c), static_cast<uint8_t>(Cell(c) + delta));
  }
}

void EraseIf(JisChars* key, bool (*drop)(uint16_t)) {
  key->erase(std::remove_if(key->begin(), key->end(), drop), key->end());
}

// Symbols that stay in a key: ・ (the field 3 marks), the iteration and repeat marks
// 0x2133-0x213A, ー, ’ and −. Every other symbol of row 1, all of row 2 and rows 8-15 go.
bool IsDroppedSymbol(uint16_t c) {
  uint8_t row = Row(c);
  if (row == 0x22 || (row >= 0x28 && row <= 0x2F)) return true;
  if (row != 0x21) return false;
  return !(c == 0x2126 || (c >= 0x2133 && c <= 0x213A) || c == kLongVowelMark || c == 0x2147 || c == 0x215D);
}

void ResolveLongVowels(unsigned field4, JisChars* key) {
  // Marks at the start stand for nothing.
  auto first = std::find_if(key->begin(), key->end(), [](uint16_t c) { return c != kLongVowelMark; });
  key->erase(key->begin(), first);
  JisChars out;
  out.reserve(key->size());
  for (uint16_t c : *key) {
    if (c != kLongVowelMark || field4 == 1) {
      out.push_back(c);
    } else if (field4 == 0) {
      out.push_back(VowelAfter(out.back()));  // out is not empty: leading marks are gone
    }  // field 4 = 2: deleted
  }
  *key = std::move(out);
}

}  // namespace

uint16_t VowelAfter(uint16_t previous) {
  const uint8_t row = Row(previous);
  const int b = Cell(previous);
  int vowel = b;  // any other: the character before is repeated
  if (b >= 0x2B && b <= 0x42) {
    vowel = 0x22 + 2 * (((b - 0x2B) % 10) / 2);  // か .. ぢ, two to a vowel
  } else if (b >= 0x43 && b <= 0x45) {
    vowel = 0x26;  // っ つ づ
  } else if (b == 0x46 || b == 0x47) {
    vowel = 0x28;  // て で
  } else if (b == 0x48 || b == 0x49) {
    vowel = 0x2A;  // と ど
  } else if (b >= 0x4A && b <= 0x4E) {
    vowel = 0x22 + 2 * ((b - 0x4A) % 5);  // な .. の
  } else if (b >= 0x5E && b <= 0x62) {
    vowel = 0x22 + 2 * ((b - 0x5E) % 5);  // ま .. も
  } else if (b >= 0x69 && b <= 0x6D) {
    vowel = 0x22 + 2 * ((b - 0x69) % 5);  // ら .. ろ
  } else if (b >= 0x4F && b <= 0x5D) {
    vowel = 0x22 + 2 * ((b - 0x4F) / 3);  // は .. ぽ, three to a vowel
  } else {
    switch (b) {
      case 0x63: case 0x6E: case 0x75: vowel = 0x21; break;
      case 0x64: case 0x6F: vowel = 0x22; break;
      case 0x70: vowel = 0x24; break;
      case 0x65: vowel = 0x25; break;
      case 0x66: case 0x74: vowel = 0x26; break;
      case 0x76: vowel = 0x27; break;
      case 0x71: vowel = 0x28; break;
      case 0x67: vowel = 0x29; break;
      case 0x68: case 0x72: vowel = 0x2A; break;
      default: break;
    }
  }
  return Make(row, static_cast<uint8_t>(vowel));
}

void NormalizeKey(const IndexDescriptor& descriptor, JisChars* key) {
  unsigned field[kFieldCount + 1] = {};
  for (int i = 1; i <= kFieldCount; ++i) {
    field[i] = descriptor.Availability() == 1 ? 0 : descriptor.StyleField(i);
    unsigned limit = i == 4 ? 2 : 1;
    if (field[i] > limit) return;  // a style the library does not know: search as typed
  }

  if (descriptor.ConversionSwitch() != 3) {
    if (field[1] == 0) {
      for (uint16_t& c : *key) {
        if (c == 0x2574) c = 0x2426;         // ヴ -> う
        else if (c == 0x2575) c = 0x242B;    // ヵ -> か
        else if (c == 0x2576) c = 0x2431;    // ヶ -> け
        else if (c >= 0x2521 && c <= 0x2573) c = Make(0x24, Cell(c));
      }
    }
    if (field[2] == 0) {
      for (uint16_t& c : *key)
        if (c >= 0x2361 && c <= 0x237A) c = static_cast<uint16_t>(c - 0x20);
    }
    if (field[3] == 0) EraseIf(key, [](uint16_t c) { return c == 0x2147 || c == 0x215D || c == 0x2126; });
    ResolveLongVowels(field[4], key);
    if (field[5] == 0) ShiftKana(key, {0x43}, +1);
    if (field[6] == 0) ShiftKana(key, {0x63, 0x65, 0x67}, +1);
    if (field[7] == 0) ShiftKana(key, {0x21, 0x23, 0x25, 0x27, 0x29, 0x6E}, +1);
    if (field[8] == 0)
      ShiftKana(key, {0x2C, 0x2E, 0x30, 0x32, 0x34, 0x36, 0x38, 0x3A, 0x3C, 0x3E, 0x40, 0x42, 0x45, 0x47,
                      0x49, 0x50, 0x53, 0x56, 0x59, 0x5C}, -1);
    if (field[9] == 0) ShiftKana(key, {0x51, 0x54, 0x57, 0x5A, 0x5D}, -2);
  }
  EraseIf(key, IsDroppedSymbol);
}

}  // namespace dunmoor
