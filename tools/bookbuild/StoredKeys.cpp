#include "StoredKeys.h"

#include <algorithm>

namespace bookbuild {

namespace {

constexpr uint16_t kLongVowel = 0x213C;

bool IsKana(uint16_t c) { return (c >> 8) == 0x24 || (c >> 8) == 0x25; }

template <typename Pred>
void EraseIf(JisString* key, Pred pred) {
  key->erase(std::remove_if(key->begin(), key->end(), pred), key->end());
}

// Second byte of the vowel that a long vowel mark after a kana with second byte b stands for.
uint8_t VowelAfter(uint8_t b) {
  if (b >= 0x2B && b <= 0x42) return static_cast<uint8_t>(0x22 + 2 * (((b - 0x2B) % 10) / 2));
  if (b >= 0x43 && b <= 0x45) return 0x26;
  if (b >= 0x46 && b <= 0x47) return 0x28;
  if (b >= 0x48 && b <= 0x49) return 0x2A;
  if (b >= 0x4A && b <= 0x4E) return static_cast<uint8_t>(0x22 + 2 * ((b - 0x4A) % 5));
  if (b >= 0x5E && b <= 0x62) return static_cast<uint8_t>(0x22 + 2 * ((b - 0x5E) % 5));
  if (b >= 0x69 && b <= 0x6D) return static_cast<uint8_t>(0x22 + 2 * ((b - 0x69) % 5));
  if (b >= 0x4F && b <= 0x5D) return static_cast<uint8_t>(0x22 + 2 * ((b - 0x4F) / 3));
  switch (b) {
    case 0x63: case 0x6E: case 0x75: return 0x21;
    case 0x64: case 0x6F: return 0x22;
    case 0x70: return 0x24;
    case 0x65: return 0x25;
    case 0x66: case 0x74: return 0x26;
    case 0x76: return 0x27;
    case 0x71: return 0x28;
    case 0x67: return 0x29;
    case 0x68: case 0x72: return 0x2A;
    default: return b;
  }
}

// Applies `change` to the second byte of every kana whose second byte is listed.
template <size_t N>
void MapKana(JisString* key, const uint8_t (&from)[N], int delta) {
  for (uint16_t& c : *key) {
    if (!IsKana(c)) continue;
    uint8_t b = c & 0xFF;
    if (std::find(std::begin(from), std::end(from), b) != std::end(from))
      c = static_cast<uint16_t>((c & 0xFF00) | static_cast<uint8_t>(b + delta));
  }
}

bool KeptSymbol(uint16_t c) {
  return c == 0x2126 || (c >= 0x2133 && c <= 0x213A) || c == 0x213C || c == 0x2147 || c == 0x215D;
}

void RemoveSymbols(JisString* key) {
  EraseIf(key, [](uint16_t c) {
    uint8_t row = c >> 8;
    return row == 0x22 || (row >= 0x28 && row <= 0x2F) || (row == 0x21 && !KeptSymbol(c));
  });
}

}  // namespace

KeyNormalizer::KeyNormalizer(const std::array<uint8_t, 12>& fields, uint8_t available, uint8_t convert)
    : fields_(fields), convert_(convert) {
  if (available == 1) fields_.fill(0);
}

JisString KeyNormalizer::Normalize(const JisString& input) const {
  for (int i = 0; i < 12; ++i) {
    if (fields_[i] > (i == 3 ? 2 : 1)) return input;  // a field out of range: no conversion at all
  }
  JisString key = input;
  if (convert_ == 3) {
    RemoveSymbols(&key);
    return key;
  }
  auto on = [&](int field) { return fields_[field - 1] == 0; };
  if (on(1)) {
    for (uint16_t& c : key) {
      if (c == 0x2574) c = 0x2426;
      else if (c == 0x2575) c = 0x242B;
      else if (c == 0x2576) c = 0x2431;
      else if (c >= 0x2521 && c <= 0x2576) c = static_cast<uint16_t>(0x2400 | (c & 0xFF));
    }
  }
  if (on(2)) {
    for (uint16_t& c : key)
      if (c >= 0x2361 && c <= 0x237A) c = static_cast<uint16_t>(c - 0x20);
  }
  if (on(3)) EraseIf(&key, [](uint16_t c) { return c == 0x2147 || c == 0x215D || c == 0x2126; });
  // The long vowel mark: always dropped at the start; elsewhere per field 4.
  size_t lead = 0;
  while (lead < key.size() && key[lead] == kLongVowel) ++lead;
  key.erase(key.begin(), key.begin() + static_cast<long>(lead));
  JisString vowels;
  for (uint16_t c : key) {
    if (c != kLongVowel || vowels.empty() || fields_[3] == 1) {
      vowels.push_back(c);
    } else if (fields_[3] == 0) {
      uint16_t before = vowels.back();
      vowels.push_back(static_cast<uint16_t>((before & 0xFF00) | VowelAfter(before & 0xFF)));
    }
  }
  key = vowels;
  if (on(5)) MapKana(&key, {0x43}, 1);
  if (on(6)) MapKana(&key, {0x63, 0x65, 0x67}, 1);
  if (on(7)) MapKana(&key, {0x21, 0x23, 0x25, 0x27, 0x29, 0x6E}, 1);
  if (on(8)) {
    MapKana(&key, {0x2C, 0x2E, 0x30, 0x32, 0x34, 0x36, 0x38, 0x3A, 0x3C, 0x3E, 0x40, 0x42, 0x45, 0x47,
                   0x49, 0x50, 0x53, 0x56, 0x59, 0x5C}, -1);
  }
  if (on(9)) MapKana(&key, {0x51, 0x54, 0x57, 0x5A, 0x5D}, -2);
  RemoveSymbols(&key);
  return key;
}

JisString KeyNormalizer::SearchForm(const JisString& word) const {
  JisString key = word;
  EraseIf(&key, [](uint16_t c) { return c == 0x2121; });
  if (key.size() == 1 && key[0] == kLongVowel) return key;
  return Normalize(key);
}

JisString FilterTypedKey(const JisString& word) {
  JisString out;
  for (uint16_t c : word) {
    uint8_t row = c >> 8;
    if ((row >= 0x23 && row <= 0x27) || row >= 0x30 || (c >= 0x2133 && c <= kLongVowel)) out.push_back(c);
  }
  return out;
}

JisString Reversed(JisString key) {
  std::reverse(key.begin(), key.end());
  return key;
}

std::vector<uint8_t> KeyBytes(const JisString& key) {
  std::vector<uint8_t> out;
  for (uint16_t c : key) {
    out.push_back(static_cast<uint8_t>(c >> 8));
    out.push_back(static_cast<uint8_t>(c));
  }
  return out;
}

}  // namespace bookbuild
