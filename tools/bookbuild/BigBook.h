// A large generated book for timing searches: a Japanese dictionary of random but plausible
// entries (kana readings, kanji written forms, Latin words, glosses of realistic length), with
// words planted so that a few searches have known hit counts.
//
// Indexes, all with every IndexStyle field 0:
//   kana  0x90  group layout     every Japanese entry under its reading
//   asis  0x91  variable layout  the kanji written form, when the entry has one
//   alpha 0x92  group layout     the Latin entries
//   back  0x70  variable layout  every Japanese entry under its reading, backwards
//   keyword 0x80 variable layout the English words (4 letters or more) of the first sense, a
//                                Latin headword, and two planted keywords
// and the text area descriptor (0x00).
// Entries stand in dictionary order: Japanese by normalised reading, then Latin.
#ifndef DUNMOOR_TOOLS_BOOKBUILD_BIGBOOK_H
#define DUNMOOR_TOOLS_BOOKBUILD_BIGBOOK_H

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "BookModel.h"

namespace bookbuild {

struct BigBookOptions {
  size_t entries = 200000;  // at least kMinBigBookEntries
  uint64_t seed = 0x5EED2024;
};

constexpr size_t kMinBigBookEntries = 1000;

// A search with a known number of hits: `word` is UTF-8, with '*' as a leading (suffix
// search) or trailing (prefix search) wildcard.
struct BenchWord {
  std::string name;
  std::string word;
  size_t expected = 0;
};

struct BigBook {
  DiscDef disc;
  std::vector<BenchWord> benchWords;  // exact, prefix, suffix
};

// Planted words. The exact word is shared by kExactHits entries; every hundredth entry reading
// begins with the prefix and every twentieth ends with the suffix. No other reading matches any
// of them, neither as written nor in normal form.
inline constexpr const char* kBenchExactWord = "こうしょう";
inline constexpr const char* kBenchPrefix = "しょう";
inline constexpr const char* kBenchSuffix = "せい";
constexpr size_t kExactHits = 10;
// Keywords planted in entries 1 and 2 (the first) and 1 and 3 (the second) of every kPlantEvery.
inline constexpr const char* kBenchKeyword = "persimmon";
inline constexpr const char* kBenchSecondKeyword = "orchard";
constexpr size_t kPlantEvery = 50000;
inline size_t PrefixHits(size_t entries) { return entries / 100; }
inline size_t SuffixHits(size_t entries) { return entries / 20; }

// The keyword searches of a book's keyword keys, with their counts: one planted keyword, both
// (their words separated by a comma, which the key builder makes a word break) and two
// 2-letter prefixes of thousands of keys each.
void AddKeywordWords(const BookDef& book, std::vector<BenchWord>* words);

// Deterministic: the same options give the same book. Throws BuildError when entries is below
// kMinBigBookEntries.
BigBook MakeBigBook(const BigBookOptions& options);

// The same entries as a source for the freepwing conversion script of the test books
// (tests/books/freepwing/dictionary.txt's format): "[tag] reading 【written】" or "[tag] latin",
// then the gloss lines. freepwing indexes the reading, the written form and the Latin word in
// its one as-is index. It also indexes a reading with katakana a second time with the katakana
// made hiragana; where both forms match a planted word, the entry is found twice (the two keys
// do not stand together in the index). Returns the planted words with the counts of that book.
std::vector<BenchWord> WriteFreePwingSource(const BigBook& big, std::ostream& out);

}  // namespace bookbuild

#endif  // DUNMOOR_TOOLS_BOOKBUILD_BIGBOOK_H
