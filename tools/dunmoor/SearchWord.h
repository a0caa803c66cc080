// A search word typed on the command line (UTF-8) as the viewer would receive it from its word
// box (Shift-JIS), and the search key the viewer builds from it.
#ifndef DUNMOOR_TOOLS_DUNMOOR_SEARCHWORD_H
#define DUNMOOR_TOOLS_DUNMOOR_SEARCHWORD_H

#include <string>
#include <string_view>

#include "SearchKey.h"

namespace cli {

// ASCII stays one byte, half-width katakana (U+FF61..U+FF9F) become their single Shift-JIS
// byte, every other character its two-byte Shift-JIS form through its JIS X 0208 code. False,
// with the character in *unconvertible, when a character has no such form (malformed UTF-8
// counts as U+FFFD).
bool Utf8ToSjis(std::string_view utf8, std::string* sjis, char32_t* unconvertible);

// The key for word: false with a message on err when the word cannot be typed in Shift-JIS.
bool KeyFromWord(const std::string& word, booktext::SearchKey* key, std::ostream& err);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_SEARCHWORD_H
