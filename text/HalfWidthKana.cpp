#include "HalfWidthKana.h"

namespace booktext {

namespace {

// U+FF61.. in order: the full-width character of each.
constexpr char16_t kFullWidth[] = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ', u'ョ', u'ッ', u'ー',
    u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ', u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ',
    u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ', u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ',
    u'ム', u'メ', u'モ', u'ヤ', u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜'};
constexpr char32_t kFirst = 0xFF61, kVoiced = 0xFF9E, kSemiVoiced = 0xFF9F;

// ハ ヒ フ ヘ ホ: バ and パ follow each.
bool SemiVoiceable(char32_t c) { return c >= U'ハ' && c <= U'ホ' && (c - U'ハ') % 3 == 0; }

// カ to チ and ツ to ト (ッ between them has no voiced form), and ハ to ホ: the voiced form follows.
bool Voiceable(char32_t c) {
  if (c >= U'カ' && c <= U'チ') return (c - U'カ') % 2 == 0;
  if (c >= U'ツ' && c <= U'ト') return (c - U'ツ') % 2 == 0;
  return SemiVoiceable(c);
}

}  // namespace

bool IsHalfWidthKana(char32_t c) { return c >= kFirst && c <= kSemiVoiced; }

std::u32string WidenHalfWidthKana(std::u32string_view word) {
  std::u32string wide;
  wide.reserve(word.size());
  for (size_t i = 0; i < word.size(); ++i) {
    const char32_t c = word[i];
    if (!IsHalfWidthKana(c)) {
      wide += c;
      continue;
    }
    char32_t full = kFullWidth[c - kFirst];
    const char32_t mark = i + 1 < word.size() ? word[i + 1] : 0;
    if (mark == kVoiced && full == U'ウ') {
      full = U'ヴ';
      ++i;
    } else if (mark == kVoiced && Voiceable(full)) {
      full += 1;
      ++i;
    } else if (mark == kSemiVoiced && SemiVoiceable(full)) {
      full += 2;
      ++i;
    }
    wide += full;
  }
  return wide;
}

}  // namespace booktext
