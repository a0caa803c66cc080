// The search key that the viewer hands to the book-access library: the typed word (Shift-JIS)
// as JIS X 0208 codes, two bytes a character, zero-terminated, in a 256-byte buffer.
#ifndef BOOKTEXT_SEARCHKEY_H
#define BOOKTEXT_SEARCHKEY_H

#include <cstddef>
#include <string>
#include <string_view>

namespace booktext {

constexpr size_t kSearchKeySize = 256;

struct SearchKey {
  char bytes[kSearchKeySize];  // zero-terminated; the library normalises it in place
  size_t length;               // bytes before the terminator, always even
};

// Builds the key from typed Shift-JIS text, left to right, "leading" set at the start:
//  - a double-byte character (lead byte 0x81..0x9F or 0xE0..0xEF) is converted to JIS; it is
//    dropped when the conversion fails, or when it is the ideographic space while "leading" is
//    set. A kept character clears "leading"; full-width lower-case letters become upper case.
//    A lead byte without a trail byte at the end of the text is dropped;
//  - an ASCII letter or digit becomes its full-width form (letters upper case), '*' becomes
//    the full-width asterisk 0x2176 (the library's wildcard); both clear "leading";
//  - a half-width katakana letter (0xA6..0xDD), with a sound mark (0xDE, 0xDF) right after it
//    that joins it, becomes the full-width katakana (ｶﾞ: ガ) and clears "leading";
//  - any other byte (blank, punctuation, the half-width punctuation, a sound mark alone, 0x80,
//    0xA0, 0xFD..0xFF) is dropped while "leading" is set and becomes the ideographic space 0x2121
//    otherwise.
// Characters that would not fit the buffer with its terminator (past the 127th) are dropped.
SearchKey BuildSearchKey(std::string_view typedSjis);

// The key of an exact search for word (Unicode): its characters' JIS X 0208 codes. False when a
// character has none, or the word does not fit.
bool ExactKey(std::u32string_view word, SearchKey* key);

}  // namespace booktext

#endif  // BOOKTEXT_SEARCHKEY_H
