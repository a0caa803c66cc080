#include "JisText.h"

#include <gtest/gtest.h>

namespace {

TEST(JisText, KnownCharactersBothWays) {
  struct Case { uint16_t jis; char32_t cp; };
  const Case cases[] = {
      {0x2121, 0x3000},  // ideographic space
      {0x2422, 0x3042},  // あ
      {0x2522, 0x30A2},  // ア
      {0x2341, 0xFF21},  // Ａ
      {0x3021, 0x4E9C},  // 亜 (first kanji)
      {0x434F, 0x5730},  // 地
      {0x4C3E, 0x540D},  // 名
      {0x7426, 0x7199},  // last row of level 2
  };
  for (const Case& c : cases) {
    EXPECT_EQ(booktext::JisToUnicode(c.jis), c.cp) << std::hex << c.jis;
    EXPECT_EQ(booktext::UnicodeToJis(c.cp), c.jis) << std::hex << c.cp;
  }
}

TEST(JisText, AlternateUnicodeFormsMapToTheSameCode) {
  EXPECT_EQ(booktext::UnicodeToJis(0x301C), 0x2141);  // WAVE DASH
  EXPECT_EQ(booktext::UnicodeToJis(0xFF5E), 0x2141);  // FULLWIDTH TILDE
  EXPECT_EQ(booktext::UnicodeToJis(0x2212), 0x215D);
  EXPECT_EQ(booktext::UnicodeToJis(0xFF0D), 0x215D);
}

TEST(JisText, CodesOutsideTheTableHaveNoCharacter) {
  EXPECT_EQ(booktext::JisToUnicode(0x2120), 0u);
  EXPECT_EQ(booktext::JisToUnicode(0x7F21), 0u);
  EXPECT_EQ(booktext::JisToUnicode(0xA121), 0u);  // external character
  EXPECT_EQ(booktext::JisToUnicode(0x222F), 0u);  // unassigned cell of row 2
  EXPECT_EQ(booktext::UnicodeToJis(U'A'), 0u);
  EXPECT_EQ(booktext::UnicodeToJis(0x1F600), 0u);
  EXPECT_EQ(booktext::UnicodeToJis(0x2460), 0u);  // ①: only in code page 932's NEC row
  EXPECT_EQ(booktext::UnicodeToJis(0xFF07), 0u);  // ＇: only in the IBM rows
  EXPECT_EQ(booktext::JisToUnicode(0x2D21), 0x2460u);  // shown all the same when a book has it
}

TEST(JisText, Utf8DecodingSurvivesMalformedInput) {
  std::string text = "a\xE3\x81\x82" "\xE3\x81" "b\xFF";
  size_t pos = 0;
  char32_t cp;
  std::u32string got;
  while (booktext::NextUtf8(text, &pos, &cp)) got.push_back(cp);
  EXPECT_EQ(got, (std::u32string{U'a', 0x3042, 0xFFFD, 0xFFFD, U'b', 0xFFFD}));
  EXPECT_EQ(pos, text.size());

  std::string out;
  for (char32_t c : {char32_t{0x41}, char32_t{0xE9}, char32_t{0x3042}, char32_t{0x1F600}})
    booktext::AppendUtf8(&out, c);
  EXPECT_EQ(out, "A\xC3\xA9\xE3\x81\x82\xF0\x9F\x98\x80");
}

}  // namespace
