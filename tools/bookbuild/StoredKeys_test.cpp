#include "StoredKeys.h"

#include <gtest/gtest.h>

#include "MarkupEncoder.h"

namespace bookbuild {
namespace {

JisString Jis(const std::string& utf8) { return WordToJis(utf8, 1); }

std::array<uint8_t, 12> Style(const std::string& digits) {
  std::array<uint8_t, 12> fields{};
  for (int i = 0; i < 12; ++i) fields[i] = static_cast<uint8_t>(digits[i] - '0');
  return fields;
}

TEST(KeyNormalizer, AllFieldsConvert) {
  KeyNormalizer all(Style("000000000000"), 0, 0);
  EXPECT_EQ(all.Normalize(Jis("がっこう")), Jis("かつこう"));
  EXPECT_EQ(all.Normalize(Jis("カード")), Jis("かあと"));
  EXPECT_EQ(all.Normalize(Jis("ｂｏｏｋ")), Jis("ＢＯＯＫ"));
  EXPECT_EQ(all.Normalize(Jis("ヴァイオリン")), Jis("うあいおりん"));
  EXPECT_EQ(all.Normalize(Jis("ぱぴぷぺぽ")), Jis("はひふへほ"));
  EXPECT_EQ(all.Normalize(Jis("きゃゅょ")), Jis("きやゆよ"));
  EXPECT_EQ(all.Normalize(Jis("ぁゎ")), Jis("あわ"));
  EXPECT_EQ(all.Normalize(Jis("ロック・ン’ロール")), Jis("ろつくんろおる"));
  // Leading long vowel marks go whatever field 4 says; symbols outside the kept set go always.
  EXPECT_EQ(all.Normalize(Jis("ーーあ【ア】")), Jis("ああ"));
}

TEST(KeyNormalizer, LongVowelTable) {
  KeyNormalizer all(Style("000000000000"), 0, 0);
  struct Case { const char* word; const char* normal; };
  const Case cases[] = {
      {"きー", "きい"}, {"すー", "すう"}, {"つー", "つう"}, {"でー", "てえ"}, {"どー", "とお"},
      {"ねー", "ねえ"}, {"ほー", "ほお"}, {"ぶー", "ふう"}, {"むー", "むう"}, {"れー", "れえ"},
      {"ゃー", "やあ"}, {"ゅー", "ゆう"}, {"ょー", "よお"}, {"わー", "わあ"}, {"をー", "をお"},
      {"んー", "んん"},  // not in the table: the character before is repeated
  };
  for (const Case& c : cases) EXPECT_EQ(all.Normalize(Jis(c.word)), Jis(c.normal)) << c.word;
}

TEST(KeyNormalizer, FieldsKeepDeleteAndOverride) {
  // field 1 keep: katakana stays, but the long vowel still takes its vowel
  EXPECT_EQ(KeyNormalizer(Style("100000000000"), 0, 0).Normalize(Jis("カード")), Jis("カアト"));
  EXPECT_EQ(KeyNormalizer(Style("000200000000"), 0, 0).Normalize(Jis("カード")), Jis("かと"));
  EXPECT_EQ(KeyNormalizer(Style("000100000000"), 0, 0).Normalize(Jis("カード")), Jis("かーと"));
  EXPECT_EQ(KeyNormalizer(Style("001000000000"), 0, 0).Normalize(Jis("ア・イ")), Jis("あ・い"));
  // availability 1 makes every field 0
  EXPECT_EQ(KeyNormalizer(Style("111111111111"), 1, 0).Normalize(Jis("ガー")), Jis("かあ"));
  // a field out of range leaves the key alone, symbols included
  EXPECT_EQ(KeyNormalizer(Style("300000000000"), 0, 0).Normalize(Jis("ガー【")), Jis("ガー【"));
  // conversion switch 3: only the symbols go
  EXPECT_EQ(KeyNormalizer(Style("000000000000"), 0, 3).Normalize(Jis("ガー【")), Jis("ガー"));
}

TEST(KeyNormalizer, SearchFormAndTypedKey) {
  KeyNormalizer all(Style("000000000000"), 0, 0);
  EXPECT_EQ(all.SearchForm(Jis("ー")), Jis("ー"));  // the long vowel alone is searched as it is
  EXPECT_EQ(all.SearchForm(Jis("カ　ード")), Jis("かあと"));
  EXPECT_EQ(FilterTypedKey(Jis("【学校】・ｂ１ー々")), Jis("学校ｂ１ー々"));
  EXPECT_EQ(Reversed(Jis("ある")), Jis("るあ"));
  EXPECT_EQ(KeyBytes(Jis("あ")), (std::vector<uint8_t>{0x24, 0x22}));
}

}  // namespace
}  // namespace bookbuild
