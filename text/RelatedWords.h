// The words a looked-up string may stand for besides itself, for a reader who takes words from
// running text: the same word in the other kana (カキ, かき), with old or other forms of its kanji
// made today's and back (學校, 学校), and the dictionary forms it may be an inflection of (食べた,
// 食べる; Deinflect.h), each with how it was found. What the dictionary holds decides: these are
// only candidates, each searched exactly.
#ifndef BOOKTEXT_RELATEDWORDS_H
#define BOOKTEXT_RELATEDWORDS_H

#include <string>
#include <string_view>
#include <vector>

namespace booktext {

// How a related word was found.
enum class Relation { kKana, kVariant, kDeinflected, kLeading, kVoicing, kLongVowel };

struct RelatedWord {
  std::u32string word;
  Relation how;
};

// Foldings that find too much to be on by default.
struct RelatedOptions {
  bool voicing = false;    // 清音 ↔ 濁音: voiced kana searched unvoiced (が → か)
  bool longVowel = false;  // 長音: ー searched as the vowel it stands for (カード → カアド)
};

// Katakana as hiragana (toHiragana) or hiragana as katakana; ヴ, ヵ and ヶ become う, か and け as
// the books' own key rules make them. Other characters stay.
std::u32string FoldKana(std::u32string_view word, bool toHiragana);

// The other forms of kanji c that name the same character (old and new forms, glyph variants),
// each once; empty for none.
std::vector<char32_t> KanjiVariants(char32_t c);

// The related words of word, in the order a list shows them: the other kana, the kanji variants,
// then the dictionary forms of the word and of those; each once, the word itself never.
std::vector<RelatedWord> RelatedWords(std::u32string_view word, const RelatedOptions& options = {});

// The beginnings of word to try when neither it nor its related words find anything, longest
// first: down to two characters, or one when the word begins with a kanji.
std::vector<std::u32string> LeadingParts(std::u32string_view word);

// What HOW says of a relation, for a list's label and the command line: "kana", "variant",
// "deinflected", "leading", "voicing", "long-vowel".
const char* RelationName(Relation how);

}  // namespace booktext

#endif  // BOOKTEXT_RELATEDWORDS_H
