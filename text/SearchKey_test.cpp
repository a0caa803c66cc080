#include "SearchKey.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace booktext {
namespace {

std::string Key(std::string_view typed) {
  SearchKey key = BuildSearchKey(typed);
  EXPECT_EQ(key.bytes[key.length], 0);
  return std::string(key.bytes, key.length);
}

TEST(SearchKey, AsciiLettersAndDigitsBecomeFullWidthUpperCase) {
  EXPECT_EQ(Key("abc"), "\x23\x41\x23\x42\x23\x43");
  EXPECT_EQ(Key("aB9z0Z"), "\x23\x41\x23\x42\x23\x39\x23\x5A\x23\x30\x23\x5A");
  EXPECT_EQ(Key("ab*"), "\x23\x41\x23\x42\x21\x76");
  EXPECT_EQ(Key("*ab"), "\x21\x76\x23\x41\x23\x42");
}

TEST(SearchKey, EveryAsciiByte) {
  for (int c = 1; c < 0x80; ++c) {
    std::string typed = std::string("x") + static_cast<char>(c);
    std::string expected = "\x23\x58";
    if (std::isalnum(c)) {
      expected += '\x23';
      expected += static_cast<char>(std::toupper(c));
    } else if (c == '*') {
      expected += "\x21\x76";
    } else {
      expected += "\x21\x21";
    }
    EXPECT_EQ(Key(typed), expected) << c;
    // Leading, only letters, digits and '*' make it into the key.
    std::string alone = expected.substr(2) == "\x21\x21" ? "" : expected.substr(2);
    EXPECT_EQ(Key(std::string(1, static_cast<char>(c))), alone) << c;
  }
}

TEST(SearchKey, BlanksAreDroppedWhileLeadingAndKeptAfter) {
  EXPECT_EQ(Key(" a "), "\x23\x41\x21\x21");
  EXPECT_EQ(Key("\x81\x40" "a" "\x81\x40"), "\x23\x41\x21\x21");  // ideographic spaces
  EXPECT_EQ(Key("  ,.\x81\x40 a b"), "\x23\x41\x21\x21\x23\x42");
  EXPECT_EQ(Key("   "), "");
  EXPECT_EQ(Key(""), "");
}

TEST(SearchKey, DoubleByteCharactersBecomeJis) {
  EXPECT_EQ(Key("\x88\xA4"), "\x30\x26");                                      // love (kanji)
  EXPECT_EQ(Key("\x82\xA0\x82\xA2"), "\x24\x22\x24\x24");                      // a i (hiragana)
  EXPECT_EQ(Key("\x82\x81\x82\x9A\x82\x60"), "\x23\x41\x23\x5A\x23\x41");      // full-width a z A
  EXPECT_EQ(Key("\x81\x96\x82\xA0"), "\x21\x76\x24\x22");                      // full-width '*' stays
  EXPECT_EQ(Key("\x82\xA0" "1"), "\x24\x22\x23\x31");
}

TEST(SearchKey, UnconvertibleAndSingleHighBytes) {
  // A pair that does not convert is dropped whole, and does not clear "leading".
  EXPECT_EQ(Key("\x81\x20" " a"), "\x23\x41");
  EXPECT_EQ(Key(std::string_view("\x9F\x00" "a", 3)), "\x23\x41") << "a zero trail byte is no character";
  // Half-width katakana (the full-width kana in the key) and the other single high bytes are
  // single characters: they do not swallow the character after them.
  EXPECT_EQ(Key("\xB1" "a"), "\x25\x22\x23\x41");
  EXPECT_EQ(Key("a\xB1" "b"), "\x23\x41\x25\x22\x23\x42");
  EXPECT_EQ(Key("a\xFD\x80\xA0"), "\x23\x41\x21\x21\x21\x21\x21\x21");
  // User-defined rows do not convert.
  EXPECT_EQ(Key("\xF0\x40" "a"), "\x23\x41");
  // A lead byte cut off at the end is dropped.
  EXPECT_EQ(Key("a\x88"), "\x23\x41");
}

TEST(SearchKey, TheBufferBoundsTheKey) {
  SearchKey key = BuildSearchKey(std::string(400, 'a'));
  EXPECT_EQ(key.length, 254u);
  EXPECT_EQ(key.bytes[254], 0);
  SearchKey kanji = BuildSearchKey(std::string(127, 'b') + "\x88\xA4");
  EXPECT_EQ(kanji.length, 254u) << "the 128th character does not fit";
  EXPECT_EQ(kanji.bytes[252], 0x23);
}

}  // namespace
}  // namespace booktext
