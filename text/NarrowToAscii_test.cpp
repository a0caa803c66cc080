#include "NarrowToAscii.h"

#include <gtest/gtest.h>

#include <map>

namespace booktext {
namespace {

TEST(NarrowToAscii, DigitsAndLettersOfRow23) {
  for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
    bool alnum = (cell >= '0' && cell <= '9') || (cell >= 'A' && cell <= 'Z') || (cell >= 'a' && cell <= 'z');
    EXPECT_EQ(NarrowToAscii(static_cast<uint16_t>(0x2300 | cell)), alnum ? static_cast<char>(cell) : 0) << cell;
  }
}

TEST(NarrowToAscii, SymbolsOfRow21) {
  const std::map<uint16_t, char> expected = {
      {0x2121, ' '}, {0x2123, '.'}, {0x2124, ','}, {0x2125, '.'}, {0x2127, ':'}, {0x2128, ';'},
      {0x2129, '?'}, {0x212A, '!'}, {0x212B, '\\'}, {0x212C, '.'}, {0x212D, '\''}, {0x212E, '`'},
      {0x2130, '^'}, {0x2131, '-'}, {0x2132, '_'}, {0x213F, '/'}, {0x2140, '\\'}, {0x2141, '~'},
      {0x2143, '|'}, {0x2146, '`'}, {0x2147, '\''}, {0x214A, '('}, {0x214B, ')'}, {0x214C, '['},
      {0x214D, ']'}, {0x214E, '['}, {0x214F, ']'}, {0x2150, '{'}, {0x2151, '}'}, {0x2152, '<'},
      {0x2153, '>'}, {0x215C, '+'}, {0x215D, '-'}, {0x2161, '='}, {0x2163, '<'}, {0x2164, '>'},
      {0x2170, '$'}, {0x2173, '%'}, {0x2174, '#'}, {0x2175, '&'}, {0x2176, '*'}, {0x2177, '@'},
  };
  for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
    uint16_t jis = static_cast<uint16_t>(0x2100 | cell);
    auto it = expected.find(jis);
    EXPECT_EQ(NarrowToAscii(jis), it == expected.end() ? 0 : it->second) << std::hex << jis;
  }
}

TEST(NarrowToAscii, OtherRowsHaveNoAsciiForm) {
  for (uint16_t jis : {0x2222, 0x2422, 0x2541, 0x3026, 0xA121, 0x0041, 0x2300, 0x237F}) {
    EXPECT_EQ(NarrowToAscii(jis), 0) << std::hex << jis;
  }
}

}  // namespace
}  // namespace booktext
