// The conversion of search keys that an index's IndexStyle asks for, as the reader applies it to
// a typed word; the builder applies the same conversion to the words it stores.
//
// The builder keeps this normaliser of its own, written from the format's rules apart from the
// book-access library's (booklib/KeyNormalizer): the keys the builder stores and the keys the
// library makes of a typed word meet only in the tests, so that a fault in either shows there as
// a search that misses, instead of being shared by both sides and hidden.
#ifndef DUNMOOR_TOOLS_BOOKBUILD_STOREDKEYS_H
#define DUNMOOR_TOOLS_BOOKBUILD_STOREDKEYS_H

#include <array>
#include <cstdint>
#include <vector>

namespace bookbuild {

using JisString = std::vector<uint16_t>;

class KeyNormalizer {
 public:
  // fields: IndexStyle fields 1..12 (0 convert, 1 keep, field 4 also 2 delete);
  // available: descriptor byte 10 (1: every field counts as 0); convert: descriptor byte 15
  // (3: only the removal of symbols applies).
  KeyNormalizer(const std::array<uint8_t, 12>& fields, uint8_t available, uint8_t convert);

  // Converts a key (full-width spaces already removed).
  JisString Normalize(const JisString& key) const;

  // What the reader searches for when `word` is typed: full-width spaces removed, then
  // normalised unless the key is exactly the long vowel mark.
  JisString SearchForm(const JisString& word) const;

 private:
  std::array<uint8_t, 12> fields_;
  uint8_t convert_;
};

// The typed key: only characters of rows 0x23-0x27, of rows 0x30 and above, and 0x2133-0x213C.
JisString FilterTypedKey(const JisString& word);
JisString Reversed(JisString key);
// Two bytes a character, high byte first.
std::vector<uint8_t> KeyBytes(const JisString& key);

}  // namespace bookbuild

#endif  // DUNMOOR_TOOLS_BOOKBUILD_STOREDKEYS_H
