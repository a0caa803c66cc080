// Random but plausible dictionary material for large generated books: kana readings built from
// syllables, kanji written forms, Latin words and gloss lines. Deterministic for a given seed on
// every platform (its own generator and bounded draws, no library distributions).
#ifndef DUNMOOR_TOOLS_BOOKBUILD_WORDMAKER_H
#define DUNMOOR_TOOLS_BOOKBUILD_WORDMAKER_H

#include <cstdint>
#include <string>

#include "StoredKeys.h"

namespace bookbuild {

// SplitMix64: small, fast and the same sequence everywhere.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  // 0 <= result < n (n > 0).
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }
  // True with probability percent / 100.
  bool Chance(uint32_t percent) { return Below(100) < percent; }

 private:
  uint64_t state_;
};

class WordMaker {
 public:
  explicit WordMaker(uint64_t seed) : random_(seed) {}

  // A reading of `syllables` syllables (1 or more): hiragana with voiced and semi-voiced kana,
  // contracted syllables (small ya, yu, yo), small tsu and lengthening vowels; or, when
  // `katakana`, a loanword in katakana with long vowel marks.
  JisString Reading(int syllables, bool katakana);
  // A reading of a random, mostly 2-4 syllable length; about one in eight in katakana.
  JisString AnyReading();
  // 1-4 kanji of the first level (rows 0x30-0x4F), mostly 2.
  JisString KanjiForm();
  // A lower-case (sometimes capitalised) Latin word of 3-12 letters.
  std::string LatinWord();
  // One gloss line of markup: English words (narrow text) or a short Japanese phrase.
  std::string GlossLine();
  // How many gloss lines an entry gets: 1-4, mostly 2.
  int GlossLineCount();

  Random& Rng() { return random_; }

 private:
  void AppendSyllable(JisString* out, bool katakana, bool first);

  Random random_;
};

// UTF-8 text of JIS X 0208 characters (all of them must have a Unicode character).
std::string JisToUtf8(const JisString& text);

}  // namespace bookbuild

#endif  // DUNMOOR_TOOLS_BOOKBUILD_WORDMAKER_H
