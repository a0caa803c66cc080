#include "HalfWidthKana.h"

#include <gtest/gtest.h>

#include <cstring>

#include "SearchKey.h"

namespace booktext {
namespace {

TEST(HalfWidthKana, LettersAndTheirSoundMarksBecomeTheFullWidthKana) {
  EXPECT_EQ(WidenHalfWidthKana(U"ｶｷ"), U"カキ");
  EXPECT_EQ(WidenHalfWidthKana(U"ｶﾞｷﾞﾂﾞﾄﾞﾊﾞﾊﾟﾎﾟｳﾞ"), U"ガギヅドバパポヴ");
  EXPECT_EQ(WidenHalfWidthKana(U"ｺｰﾋｰ｡｢ﾃｽﾄ｣"), U"コーヒー。「テスト」");
  // A mark that joins nothing stays a mark of its own; other text is left as it is.
  EXPECT_EQ(WidenHalfWidthKana(U"ｱﾞｯﾟﾞ"), U"ア゛ッ゜゛");
  EXPECT_EQ(WidenHalfWidthKana(U"柿ｶｷ abc"), U"柿カキ abc");
  EXPECT_FALSE(IsHalfWidthKana(U'カ'));
}

TEST(HalfWidthKana, TheSearchKeyOfHalfWidthTextIsThatOfTheFullWidth) {
  auto same = [](const char* half, const char* full) {
    const SearchKey a = BuildSearchKey(half), b = BuildSearchKey(full);
    return a.length == b.length && std::memcmp(a.bytes, b.bytes, a.length + 1) == 0;
  };
  EXPECT_TRUE(same("\xB6\xB7", "\x83\x4A\x83\x4C"));          // ｶｷ, カキ
  EXPECT_TRUE(same("\xB6\xDE\xCA\xDF", "\x83\x4B\x83\x70"));  // ｶﾞﾊﾟ, ガパ
  EXPECT_TRUE(same("\xBA\xB0\xCB\xB0*", "\x83\x52\x81\x5B\x83\x71\x81\x5B*"));  // ｺｰﾋｰ*, コーヒー*
  // Half-width punctuation and a lone mark are as any other byte: dropped at the start, else a space.
  EXPECT_TRUE(same("\xA4\xDE\xB6\xA1\xB7", "\x83\x4A\x81\x40\x83\x4C"));
}

}  // namespace
}  // namespace booktext
