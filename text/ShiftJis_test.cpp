#include "ShiftJis.h"

#include <gtest/gtest.h>

#include <set>

namespace booktext {
namespace {

BytePair Sjis(unsigned code) { return {static_cast<uint8_t>(code >> 8), static_cast<uint8_t>(code)}; }
unsigned Code(BytePair p) { return (p.first << 8) | p.second; }

TEST(ShiftJis, KnownCharacters) {
  struct Case {
    unsigned sjis, jis;
  } cases[] = {
      {0x8140, 0x2121},  // ideographic space
      {0x817E, 0x215F},  // last cell before the 0x7F gap
      {0x8180, 0x2160},  // first cell after it
      {0x829F, 0x2421},  // small a: first cell of an even row
      {0x82A0, 0x2422},  // a
      {0x8260, 0x2341},  // full-width A
      {0x8281, 0x2361},  // full-width a
      {0x88A4, 0x3026},  // love (kanji)
      {0x9FFC, 0x5E7E},  // last cell below the gap in lead bytes
      {0xE040, 0x5F21},  // first lead byte after the gap
      {0xEAA4, 0x7426},  // last kanji of the second level
      {0xEFFC, 0x7E7E},  // last cell of the last row
  };
  for (const Case& c : cases) {
    BytePair jis, sjis;
    EXPECT_TRUE(SjisToJis(Sjis(c.sjis), &jis)) << std::hex << c.sjis;
    EXPECT_EQ(Code(jis), c.jis) << std::hex << c.sjis;
    EXPECT_TRUE(JisToSjis(Sjis(c.jis), &sjis)) << std::hex << c.jis;
    EXPECT_EQ(Code(sjis), c.sjis) << std::hex << c.jis;
  }
}

// Every JIS X 0208 code maps to its own Shift-JIS pair and back; every convertible Shift-JIS
// pair lands in the JIS range. Together: the conversion is a one-to-one map of the two ranges.
TEST(ShiftJis, AllCodesRoundTrip) {
  std::set<unsigned> seen;
  for (unsigned row = 0x21; row <= 0x7E; ++row) {
    for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
      BytePair sjis, back;
      ASSERT_TRUE(JisToSjis(Sjis(row << 8 | cell), &sjis));
      ASSERT_TRUE(IsSjisLeadByte(sjis.first));
      ASSERT_TRUE(SjisToJis(sjis, &back));
      ASSERT_EQ(Code(back), row << 8 | cell);
      seen.insert(Code(sjis));
    }
  }
  EXPECT_EQ(seen.size(), 94u * 94u);
  size_t converted = 0;
  for (unsigned code = 0; code <= 0xFFFF; ++code) {
    BytePair jis;
    if (!SjisToJis(Sjis(code), &jis)) {
      EXPECT_EQ(Code(jis), code) << "copied unchanged";
      continue;
    }
    ++converted;
    ASSERT_TRUE(jis.first >= 0x21 && jis.first <= 0x7E && jis.second >= 0x21 && jis.second <= 0x7E)
        << std::hex << code;
  }
  EXPECT_EQ(converted, 94u * 94u);
}

TEST(ShiftJis, PairsOutsideTheRangesAreNotConverted) {
  for (unsigned code : {0x8120u, 0x813Fu, 0x817Fu, 0x81FDu, 0x8100u, 0xA1A1u, 0xDF40u, 0x8040u,
                        0x9900u, 0x9F20u, 0x9F7Fu, 0xF040u, 0xFCFCu, 0x4142u}) {
    BytePair jis;
    EXPECT_FALSE(SjisToJis(Sjis(code), &jis)) << std::hex << code;
    EXPECT_EQ(Code(jis), code);
  }
  for (unsigned code : {0x2020u, 0x217Fu, 0x7F21u, 0xA121u, 0x0021u}) {
    BytePair sjis;
    EXPECT_FALSE(JisToSjis(Sjis(code), &sjis)) << std::hex << code;
    EXPECT_EQ(Code(sjis), code);
  }
}

TEST(ShiftJis, InPlaceStopsAtTheTerminatorAndTheBuffer) {
  char text[] = {0x24, 0x22, 0x30, 0x26, 0x00, 0x24, 0x22};
  JisToSjisInPlace(text, sizeof text);
  EXPECT_EQ(std::string(text, 4), "\x82\xA0\x88\xA4");
  EXPECT_EQ(text[5], 0x24) << "nothing after the terminator is touched";

  char odd[] = {0x24, 0x22, 0x24, 0x00, 0x24, 0x22};  // the terminator in a pair's second place
  JisToSjisInPlace(odd, sizeof odd);
  EXPECT_EQ(odd[2], 0x24);
  EXPECT_EQ(odd[4], 0x24);

  char unterminated[] = {0x24, 0x22, 0x24, 0x24, 0x24};  // no terminator: the size bounds it
  JisToSjisInPlace(unterminated, 3);
  EXPECT_EQ(static_cast<uint8_t>(unterminated[0]), 0x82);
  EXPECT_EQ(unterminated[2], 0x24);

  char external[] = {static_cast<char>(0xA1), 0x21, 0x24, 0x22, 0};  // copied, the walk goes on
  JisToSjisInPlace(external, sizeof external);
  EXPECT_EQ(static_cast<uint8_t>(external[0]), 0xA1);
  EXPECT_EQ(static_cast<uint8_t>(external[2]), 0x82);
}

TEST(ShiftJis, PackedCodesGiveZeroWhenNotConverted) {
  EXPECT_EQ(JisToSjis(uint16_t{0x7426}), 0xEAA4);
  EXPECT_EQ(SjisToJis(uint16_t{0xEAA4}), 0x7426);
  EXPECT_EQ(SjisToJis(uint16_t{0x4142}), 0u);  // two single-byte characters
  EXPECT_EQ(SjisToJis(uint16_t{0x817F}), 0u);  // 0x7F is never a trail byte
  EXPECT_EQ(JisToSjis(uint16_t{0xA121}), 0u);  // an external character
}

}  // namespace
}  // namespace booktext
