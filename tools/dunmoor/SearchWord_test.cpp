#include "SearchWord.h"

#include <gtest/gtest.h>

#include <sstream>

namespace cli {
namespace {

TEST(SearchWord, Utf8BecomesShiftJis) {
  std::string sjis;
  char32_t bad = 0;
  ASSERT_TRUE(Utf8ToSjis("a愛あ　Ａ*ｱ", &sjis, &bad));
  EXPECT_EQ(sjis, "a\x88\xA4\x82\xA0\x81\x40\x82\x60*\xB1");
  EXPECT_FALSE(Utf8ToSjis("a\xF0\x9F\x98\x80", &sjis, &bad));  // an emoji has no JIS code
  EXPECT_EQ(bad, 0x1F600u);
  EXPECT_FALSE(Utf8ToSjis("a\xFF", &sjis, &bad));
  EXPECT_EQ(bad, 0xFFFDu);
}

TEST(SearchWord, KeysAsTheViewerBuildsThem) {
  std::ostringstream err;
  booktext::SearchKey key;
  ASSERT_TRUE(KeyFromWord(" がっこう*", &key, err));
  EXPECT_EQ(std::string(key.bytes, key.length), "\x24\x2C\x24\x43\x24\x33\x24\x26\x21\x76");
  ASSERT_TRUE(KeyFromWord("*ｂｏｏｋ ", &key, err));
  EXPECT_EQ(std::string(key.bytes, key.length), "\x21\x76\x23\x42\x23\x4F\x23\x4F\x23\x4B\x21\x21");
  EXPECT_FALSE(KeyFromWord("\xE2\x82\xAC", &key, err));  // the euro sign
  EXPECT_NE(err.str().find("U+20AC"), std::string::npos);
}

}  // namespace
}  // namespace cli
