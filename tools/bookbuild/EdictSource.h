// A real dictionary for the tests of words as running text holds them: the Japanese-English
// dictionary file of the EDRDG (Debian's edict package, one entry a line: "KANJI [KANA]
// /gloss/gloss/" or "KANA /gloss/"), as the source of a book for bookbuild.
#ifndef DUNMOOR_TOOLS_BOOKBUILD_EDICTSOURCE_H
#define DUNMOOR_TOOLS_BOOKBUILD_EDICTSOURCE_H

#include <cstddef>
#include <string>
#include <string_view>

namespace bookbuild {

// The book source of the edict text (UTF-8): one entry a line of it, listed under its reading
// (kana index) and its written form (as-is index, kept as written: katakana stays katakana), its
// heading "READING【KANJI】", its text the heading and the glosses. A line whose written form or
// reading has a character outside JIS X 0208 is left out; such a character of a gloss becomes
// "?". *entries receives the number of entries.
std::string EdictToBookSource(std::string_view edict, size_t* entries);

}  // namespace bookbuild

#endif  // DUNMOOR_TOOLS_BOOKBUILD_EDICTSOURCE_H
