#include "HostWord.h"

#include <gtest/gtest.h>

#include <string>

namespace exchange {
namespace {

const std::string kA = "\x82\xA0";  // あ

std::string Repeat(const std::string& part, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += part;
  return text;
}

TEST(HostWordTest, LongWordsAreCutAtTheBufferSize) {
  std::string latin = Repeat("abcdefghij", 6);
  EXPECT_EQ(CutHostWord(latin, kExchangeWordBytes), latin.substr(0, 49));
  EXPECT_EQ(CutHostWord(latin, kRegistryWordBytes), latin.substr(0, 50));
  // Half-width katakana are single bytes.
  EXPECT_EQ(CutHostWord(std::string(60, '\xB1'), kExchangeWordBytes), std::string(49, '\xB1'));
  EXPECT_EQ(CutHostWord("short", kExchangeWordBytes), "short");
}

TEST(HostWordTest, ACutNeverSplitsADoubleByteCharacter) {
  std::string kana = Repeat(kA, 30);
  EXPECT_EQ(CutHostWord(kana, kExchangeWordBytes), Repeat(kA, 24));  // 48 bytes, not 49
  EXPECT_EQ(CutHostWord(kana, kRegistryWordBytes), Repeat(kA, 25));
  // One single byte before shifts the pairs: then 49 bytes fit exactly.
  EXPECT_EQ(CutHostWord("x" + kana, kExchangeWordBytes), "x" + Repeat(kA, 24));
  // A second byte in the ASCII range (0x40..0x7E) belongs to its lead byte.
  std::string hyou = "\x95\x5C";  // 表
  EXPECT_EQ(CutHostWord(Repeat("a", 48) + hyou, kExchangeWordBytes), Repeat("a", 48));
  // User-defined rows are double-byte too.
  EXPECT_EQ(CutHostWord(Repeat("a", 48) + "\xF0\x40", kExchangeWordBytes), Repeat("a", 48));
}

TEST(HostWordTest, BrokenBytesEndTheWordWithoutReadingFurther) {
  EXPECT_EQ(CutHostWord("ab\x82", kExchangeWordBytes), "ab");  // a lead byte at the very end
  EXPECT_EQ(CutHostWord(std::string("ab\0cd", 5), kExchangeWordBytes), "ab");
  EXPECT_EQ(CutHostWord(std::string("\x82\0x", 3), kExchangeWordBytes), "");  // NUL as second byte
  EXPECT_EQ(CutHostWord("", kExchangeWordBytes), "");
  EXPECT_EQ(CutHostWord(kA, 0), "");
}

}  // namespace
}  // namespace exchange
