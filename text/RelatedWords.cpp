#include "RelatedWords.h"

#include "HalfWidthKana.h"

#include <algorithm>
#include <unordered_map>

#include "Deinflect.h"
#include "JisText.h"

namespace booktext {

namespace {

struct KanjiJisLink {
  char32_t kanji;
  uint16_t other;  // JIS X 0208
};
struct KanjiLink {
  char32_t kanji;
  char32_t other;
};
#include "KanjiVariants.inc"

bool IsHiragana(char32_t c) { return c >= 0x3041 && c <= 0x3096; }
bool IsKatakana(char32_t c) { return c >= 0x30A1 && c <= 0x30F6; }
bool IsKanji(char32_t c) { return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF); }

// Every variant link both ways, between characters of JIS X 0208 (what a book's text can hold).
const std::unordered_multimap<char32_t, char32_t>& VariantMap() {
  static const std::unordered_multimap<char32_t, char32_t> map = [] {
    std::unordered_multimap<char32_t, char32_t> links;
    auto link = [&](char32_t a, char32_t b) {
      if (a == b || !a || !b || !UnicodeToJis(a) || !UnicodeToJis(b)) return;
      for (const std::pair<char32_t, char32_t>& way : {std::pair{a, b}, std::pair{b, a}}) {
        auto range = links.equal_range(way.first);
        if (std::none_of(range.first, range.second, [&](const auto& l) { return l.second == way.second; }))
          links.emplace(way.first, way.second);
      }
    };
    for (const KanjiJisLink& l : kKanjidicLinks) link(l.kanji, JisToUnicode(l.other));
    for (const KanjiLink& l : kUnihanLinks) link(l.kanji, l.other);
    return links;
  }();
  return map;
}

// The voiced kana and their unvoiced forms (hiragana; katakana are folded the same way).
constexpr std::u32string_view kVoiced = U"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ";
constexpr std::u32string_view kUnvoiced = U"かきくけこさしすせそたちつてとはひふへほはひふへほ";

char32_t Unvoiced(char32_t c) {
  const bool katakana = IsKatakana(c);
  const char32_t h = katakana ? c - 0x60 : c;
  const size_t at = kVoiced.find(h);
  if (at == std::u32string_view::npos) return c;
  return katakana ? kUnvoiced[at] + 0x60 : kUnvoiced[at];
}

// The vowel a long vowel mark after c stands for, or 0.
char32_t VowelAfter(char32_t c) {
  if (IsKatakana(c)) c -= 0x60;
  static const std::u32string_view rows[5] = {U"あかがさざただなはばぱまやらわぁゃ", U"いきぎしじちぢにひびぴみりぃ",
                                              U"うくぐすずつづぬふぶぷむゆるぅゅ", U"えけげせぜてでねへべぺめれぇ",
                                              U"おこごそぞとどのほぼぽもよろをぉょ"};
  static const char32_t vowels[5] = {U'あ', U'い', U'う', U'え', U'お'};
  for (int v = 0; v < 5; ++v)
    if (rows[v].find(c) != std::u32string_view::npos) return vowels[v];
  return 0;
}

}  // namespace

std::u32string FoldKana(std::u32string_view word, bool toHiragana) {
  std::u32string out(word);
  for (char32_t& c : out) {
    if (toHiragana && IsKatakana(c)) {
      if (c == U'ヴ') c = U'う';
      else if (c == U'ヵ') c = U'か';
      else if (c == U'ヶ') c = U'け';
      else c -= 0x60;
    } else if (!toHiragana && IsHiragana(c) && c <= 0x3093) {
      c += 0x60;
    }
  }
  return out;
}

std::vector<char32_t> KanjiVariants(char32_t c) {
  std::vector<char32_t> variants;
  auto range = VariantMap().equal_range(c);
  for (auto it = range.first; it != range.second; ++it) variants.push_back(it->second);
  std::sort(variants.begin(), variants.end());
  return variants;
}

std::vector<RelatedWord> RelatedWords(std::u32string_view typed, const RelatedOptions& options) {
  // Half-width katakana are searched full-width already (the search key): the rest is found
  // from that form.
  const std::u32string widened = WidenHalfWidthKana(typed);
  const std::u32string_view word = widened;
  std::vector<RelatedWord> related;
  auto offer = [&](std::u32string candidate, Relation how) {
    if (candidate.empty() || candidate == word || candidate == typed) return;
    if (std::any_of(related.begin(), related.end(), [&](const RelatedWord& r) { return r.word == candidate; })) return;
    related.push_back({std::move(candidate), how});
  };
  // The other kana, of a word written in kana only (食べた is not 食ベタ).
  if (!word.empty() && std::all_of(word.begin(), word.end(), [](char32_t c) {
        return IsHiragana(c) || IsKatakana(c) || c == U'ー';
      })) {
    offer(FoldKana(word, true), Relation::kKana);
    offer(FoldKana(word, false), Relation::kKana);
  }
  // Each kanji in turn made its other forms (one at a time: a word rarely mixes old and new).
  std::u32string all(word);
  bool anyVariant = false;
  for (size_t i = 0; i < word.size(); ++i) {
    const std::vector<char32_t> variants = KanjiVariants(word[i]);
    for (char32_t v : variants) {
      std::u32string one(word);
      one[i] = v;
      offer(one, Relation::kVariant);
    }
    if (!variants.empty() && IsKanji(word[i])) {
      all[i] = variants.front();
      anyVariant = true;
    }
  }
  if (anyVariant) offer(all, Relation::kVariant);
  if (options.voicing) {
    std::u32string plain(word);
    for (char32_t& c : plain) c = Unvoiced(c);
    offer(plain, Relation::kVoicing);
  }
  if (options.longVowel) {
    std::u32string spelled(word);
    for (size_t i = 1; i < spelled.size(); ++i)
      if (spelled[i] == U'ー' && VowelAfter(spelled[i - 1]))
        spelled[i] = IsKatakana(spelled[i - 1]) ? VowelAfter(spelled[i - 1]) + 0x60 : VowelAfter(spelled[i - 1]);
    offer(spelled, Relation::kLongVowel);
  }
  // The dictionary forms of the word, and of its hiragana form (カキマシタ).
  for (const std::u32string& form : {std::u32string(word), FoldKana(word, true)})
    for (const Deinflection& d : Deinflect(form)) offer(d.word, Relation::kDeinflected);
  return related;
}

std::vector<std::u32string> LeadingParts(std::u32string_view word) {
  std::vector<std::u32string> parts;
  const size_t shortest = !word.empty() && IsKanji(word[0]) ? 1 : 2;
  for (size_t length = word.size(); length-- > shortest;) parts.emplace_back(word.substr(0, length));
  return parts;
}

const char* RelationName(Relation how) {
  switch (how) {
    case Relation::kKana: return "kana";
    case Relation::kVariant: return "variant";
    case Relation::kDeinflected: return "deinflected";
    case Relation::kLeading: return "leading";
    case Relation::kVoicing: return "voicing";
    case Relation::kLongVowel: return "long-vowel";
  }
  return "related";
}

}  // namespace booktext
