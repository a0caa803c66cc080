// Keys and index descriptors for the search tests: words as JIS X 0208 codes or stored bytes,
// and descriptors with their twelve two-bit style fields written as digits.
#ifndef DUNMOOR_BOOKLIB_TEST_JISKEYS_H
#define DUNMOOR_BOOKLIB_TEST_JISKEYS_H

#include <string>

#include "BookState.h"
#include "JisText.h"
#include "KeyNormalizer.h"

namespace fixture {

inline dunmoor::JisChars Jis(const std::u32string& text) {
  dunmoor::JisChars out;
  for (char32_t c : text) out.push_back(booktext::UnicodeToJis(c));
  return out;
}

inline std::string JisBytes(const std::u32string& text) {
  std::string out;
  for (uint16_t j : Jis(text)) {
    out.push_back(static_cast<char>(j >> 8));
    out.push_back(static_cast<char>(j & 0xFF));
  }
  return out;
}

inline dunmoor::IndexDescriptor Descriptor(uint8_t id, const char* style = "000000000000", uint32_t page = 2,
                                           uint8_t availability = 0, uint8_t conversion = 0) {
  dunmoor::IndexDescriptor d{};
  d.bytes[0] = id;
  d.bytes[5] = static_cast<uint8_t>(page);
  for (int i = 0; i < 12; ++i)
    d.bytes[11 + i / 4] |= static_cast<uint8_t>((style[i] - '0') << (6 - 2 * (i % 4)));
  d.bytes[10] = availability;
  d.bytes[15] = conversion;
  return d;
}

}  // namespace fixture

#endif  // DUNMOOR_BOOKLIB_TEST_JISKEYS_H
