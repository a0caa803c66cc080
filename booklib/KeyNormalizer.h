// Normalisation of search keys by an index's IndexStyle: the typed word is brought into the
// form in which the book's maker stored the index keys.
//
// IndexStyle, bytes 11-13 of an index descriptor: twelve 2-bit fields, field 1 in bits 7-6 of
// byte 11. 0 = convert, 1 = keep; field 4 also takes 2 = delete.
//   1 katakana -> hiragana           5 small tsu -> tsu            9 semi-voiced -> unvoiced
//   2 lower-case Latin -> upper      6 small ya, yu, yo -> large   10-12 none (0 or 1)
//   3 delete marks ' - .             7 small vowels -> large
//   4 long vowel mark -> the vowel   8 voiced -> unvoiced
// An availability byte of 1 makes every field count as 0; a conversion switch of 3 leaves only
// the final removal of symbols.
#ifndef DUNMOOR_BOOKLIB_KEYNORMALIZER_H
#define DUNMOOR_BOOKLIB_KEYNORMALIZER_H

#include <cstdint>
#include <vector>

#include "BookState.h"

namespace dunmoor {

// A key as JIS X 0208 characters, two bytes packed high byte first.
using JisChars = std::vector<uint16_t>;

constexpr uint16_t kLongVowelMark = 0x213C;  // ー

// The long vowel that a long vowel mark after this character stands for (same row).
uint16_t VowelAfter(uint16_t previous);

// Normalises key in place by the descriptor's IndexStyle and conversion switch. A style with a
// field out of range leaves the key unchanged.
void NormalizeKey(const IndexDescriptor& descriptor, JisChars* key);

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_KEYNORMALIZER_H
