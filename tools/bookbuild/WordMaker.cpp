#include "WordMaker.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>
#include <vector>

#include "JisText.h"

namespace bookbuild {

namespace {

constexpr uint16_t kLongVowelMark = 0x213C;
constexpr uint16_t kSmallTsu = 0x2443;
constexpr uint16_t kN = 0x2473;
constexpr uint16_t kHiraganaU = 0x2426;
constexpr uint16_t kHiraganaI = 0x2424;

struct Syllable {
  JisString kana;
  int vowel = 0;  // 0 a, 1 i, 2 u, 3 e, 4 o
};

JisString FromUtf8(std::string_view text) {
  JisString out;
  size_t pos = 0;
  char32_t cp;
  while (booktext::NextUtf8(text, &pos, &cp)) out.push_back(booktext::UnicodeToJis(cp));
  return out;
}

// The syllables a reading is made of. Plain ones come first in each vowel column, so that
// plain syllables can be drawn more often than voiced and semi-voiced ones.
struct SyllableTable {
  std::array<std::vector<Syllable>, 5> plain;
  std::array<std::vector<Syllable>, 5> voiced;
  std::vector<Syllable> contracted;  // きゃ きゅ きょ ...
  std::vector<Syllable> foreign;     // katakana only: ファ ティ ヴァ ...
  JisString geminable;               // kana that small tsu may stand before

  SyllableTable() {
    const char* plainColumns[5] = {"あかさたなはまやらわ", "いきしちにひみり", "うくすつぬふむゆる",
                                   "えけせてねへめれ", "おこそとのほもよろ"};
    const char* voicedColumns[5] = {"がざだばぱ", "ぎじびぴ", "ぐずぶぷ", "げぜでべぺ", "ごぞどぼぽ"};
    for (int v = 0; v < 5; ++v) {
      for (uint16_t c : FromUtf8(plainColumns[v])) plain[v].push_back({{c}, v});
      for (uint16_t c : FromUtf8(voicedColumns[v])) voiced[v].push_back({{c}, v});
    }
    const JisString small = FromUtf8("ゃゅょ");
    const int smallVowel[3] = {0, 2, 4};
    for (uint16_t c : FromUtf8("きしちにひみりぎじびぴ"))
      for (int s = 0; s < 3; ++s) contracted.push_back({{c, small[s]}, smallVowel[s]});
    const char* foreignText[] = {"ファ", "フィ", "フェ", "フォ", "ティ", "ディ", "ウィ", "ウェ", "ヴァ", "ヴィ", "デュ"};
    const int foreignVowel[] = {0, 1, 3, 4, 1, 1, 1, 3, 0, 1, 2};
    for (size_t i = 0; i < std::size(foreignText); ++i) foreign.push_back({FromUtf8(foreignText[i]), foreignVowel[i]});
    geminable = FromUtf8("かきくけこさしすせそたちつてとぱぴぷぺぽ");
  }
};

const SyllableTable& Syllables() {
  static const SyllableTable table;
  return table;
}

uint16_t ToKatakana(uint16_t c) { return (c >> 8) == 0x24 ? static_cast<uint16_t>(0x2500 | (c & 0xFF)) : c; }

const char* const kGlossWords[] = {
    "to", "be", "of", "the", "a", "an", "in", "on", "for", "with", "by", "make", "take", "give",
    "go", "come", "see", "hold", "keep", "turn", "set", "run", "open", "close", "light", "heavy",
    "small", "large", "old", "new", "high", "low", "long", "short", "word", "book", "page", "line",
    "house", "river", "mountain", "tree", "water", "fire", "stone", "road", "town", "country",
    "person", "child", "friend", "teacher", "work", "study", "school", "office", "market", "price",
    "trade", "talk", "negotiation", "proof", "evidence", "nature", "character", "quality",
    "property", "tendency", "system", "method", "manner", "state", "condition", "sense", "feeling",
    "thought", "idea", "plan", "purpose", "reason", "result", "effect", "cause", "change", "growth",
    "rise", "fall", "flow", "way", "time", "day", "year", "season", "spring", "summer", "autumn",
    "winter", "morning", "evening", "night", "(formal)", "(colloquial)", "(literary)", "(law)",
    "(medicine)", "(music)", "(botany)", "(zoology)", "(physics)", "(economics)"};

const char* const kParticles[] = {"を", "に", "の", "が", "で", "と", "は", "から", "まで"};

}  // namespace

uint64_t Random::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

void WordMaker::AppendSyllable(JisString* out, bool katakana, bool first) {
  const SyllableTable& table = Syllables();
  const Syllable* s = nullptr;
  uint32_t kind = random_.Below(100);
  if (katakana && kind >= 95) {
    s = &table.foreign[random_.Below(static_cast<uint32_t>(table.foreign.size()))];
  } else if (kind >= 88) {
    s = &table.contracted[random_.Below(static_cast<uint32_t>(table.contracted.size()))];
  } else {
    int vowel = static_cast<int>(random_.Below(5));
    const auto& column = kind >= 70 ? table.voiced[vowel] : table.plain[vowel];
    s = &column[random_.Below(static_cast<uint32_t>(column.size()))];
  }
  bool geminate = !first && random_.Chance(7) &&
                  std::find(table.geminable.begin(), table.geminable.end(), s->kana[0]) != table.geminable.end();
  if (geminate) out->push_back(katakana ? ToKatakana(kSmallTsu) : kSmallTsu);
  for (uint16_t c : s->kana) out->push_back(katakana ? ToKatakana(c) : c);
  if (katakana) {
    if (random_.Chance(25)) out->push_back(kLongVowelMark);
  } else if (s->vowel == 4 && random_.Chance(30)) {
    out->push_back(kHiraganaU);  // こう, しょう: the long o
  } else if (s->vowel == 3 && random_.Chance(12)) {
    out->push_back(kHiraganaI);  // せい, けい: the long e
  }
  if (!first && random_.Chance(9)) out->push_back(katakana ? ToKatakana(kN) : kN);
}

JisString WordMaker::Reading(int syllables, bool katakana) {
  JisString out;
  for (int i = 0; i < syllables; ++i) AppendSyllable(&out, katakana, i == 0);
  return out;
}

JisString WordMaker::AnyReading() {
  static const int kLengths[] = {1, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 5, 5, 6};
  int syllables = kLengths[random_.Below(std::size(kLengths))];
  return Reading(syllables, random_.Chance(12));
}

JisString WordMaker::KanjiForm() {
  static const int kLengths[] = {1, 2, 2, 2, 2, 2, 3, 3, 4};
  int count = kLengths[random_.Below(std::size(kLengths))];
  JisString out;
  while (static_cast<int>(out.size()) < count) {
    // First-level kanji: rows 0x30-0x4F, the last row ending at 0x4F53.
    uint16_t code = static_cast<uint16_t>((0x30 + random_.Below(0x20)) << 8 | (0x21 + random_.Below(94)));
    if (code <= 0x4F53 && booktext::JisToUnicode(code) != 0) out.push_back(code);
  }
  return out;
}

std::string WordMaker::LatinWord() {
  static const char kConsonants[] = "bcdfghklmnprstvwz";
  static const char kVowels[] = "aeiou";
  size_t length = 3 + random_.Below(10);
  std::string out;
  while (out.size() < length) {
    out += kConsonants[random_.Below(sizeof kConsonants - 1)];
    out += kVowels[random_.Below(sizeof kVowels - 1)];
    if (random_.Chance(25)) out += kConsonants[random_.Below(sizeof kConsonants - 1)];
  }
  out.resize(length);
  if (random_.Chance(10)) out[0] = static_cast<char>(out[0] - 'a' + 'A');
  return out;
}

std::string WordMaker::GlossLine() {
  std::string out;
  if (random_.Chance(70)) {
    int words = 2 + static_cast<int>(random_.Below(5));
    for (int i = 0; i < words; ++i) {
      if (i > 0) out += random_.Chance(20) ? "; " : " ";
      out += kGlossWords[random_.Below(std::size(kGlossWords))];
    }
    return out;
  }
  int parts = 1 + static_cast<int>(random_.Below(3));
  for (int i = 0; i < parts; ++i) {
    out += JisToUtf8(KanjiForm());
    out += kParticles[random_.Below(std::size(kParticles))];
  }
  out += JisToUtf8(Reading(2, false));
  out += "。";
  return out;
}

int WordMaker::GlossLineCount() {
  static const int kCounts[] = {1, 1, 2, 2, 2, 3, 3, 4};
  return kCounts[random_.Below(std::size(kCounts))];
}

std::string JisToUtf8(const JisString& text) {
  std::string out;
  for (uint16_t c : text) booktext::AppendUtf8(&out, booktext::JisToUnicode(c));
  return out;
}

}  // namespace bookbuild
