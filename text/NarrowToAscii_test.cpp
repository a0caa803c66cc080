#include "NarrowToAscii.h"

#include <gtest/gtest.h>

namespace booktext {
namespace {

TEST(NarrowToAscii, DigitsAndLettersOfRow23) {
  for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
    bool alnum = (cell >= '0' && cell <= '9') || (cell >= 'A' && cell <= 'Z') || (cell >= 'a' && cell <= 'z');
    EXPECT_EQ(NarrowToAscii(static_cast<uint16_t>(0x2300 | cell)), alnum ? static_cast<char>(cell) : 0) << cell;
  }
}

TEST(NarrowToAscii, SymbolsOfRow21) {
  // A few symbols as English text in narrow runs uses them, and a few that have no ASCII form.
  EXPECT_EQ(NarrowToAscii(0x2121), ' ');   // ideographic space
  EXPECT_EQ(NarrowToAscii(0x2124), ',');   // ，
  EXPECT_EQ(NarrowToAscii(0x2147), '\''); // ’ as in "mother's"
  EXPECT_EQ(NarrowToAscii(0x214A), '(');   // （
  EXPECT_EQ(NarrowToAscii(0x2176), '*');   // ＊
  EXPECT_EQ(NarrowToAscii(0x2177), '@');   // ＠
  EXPECT_EQ(NarrowToAscii(0x2122), 0);     // 、
  EXPECT_EQ(NarrowToAscii(0x2126), 0);     // ・
  EXPECT_EQ(NarrowToAscii(0x2142), 0);     // ∥
  int withForm = 0;
  for (unsigned cell = 0x21; cell <= 0x7E; ++cell) withForm += NarrowToAscii(static_cast<uint16_t>(0x2100 | cell)) != 0;
  EXPECT_EQ(withForm, 42);
}

TEST(NarrowToAscii, OtherRowsHaveNoAsciiForm) {
  for (uint16_t jis : {0x2222, 0x2422, 0x2541, 0x3026, 0xA121, 0x0041, 0x2300, 0x237F}) {
    EXPECT_EQ(NarrowToAscii(jis), 0) << std::hex << jis;
  }
}

}  // namespace
}  // namespace booktext
