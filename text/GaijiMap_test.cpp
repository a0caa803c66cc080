#include "GaijiMap.h"

#include <gtest/gtest.h>

namespace booktext {
namespace {

TEST(GaijiMap, ReadsNarrowAndWideCharactersAndSkipsWhatItCannotRead) {
  GaijiMap map = GaijiMap::Parse(
      "hA121\tu00d2\t\n"            // as the third-party book writes it, tab after the character
      "zB121\tu2776\r\n"            // CR LF
      "zB122 U0041+u0301\n"         // a blank, several code points
      "hA122\t-\n"                  // no character for it
      "hA123\tuD800\n"              // a surrogate is no character
      "xA124\tu0041\n"              // neither narrow nor wide
      "hA1\tu0041\n"                // a short code
      "zB123\tu110000\n"            // beyond Unicode
      "\n"
      "hA125");                     // cut short at the end of the file
  EXPECT_EQ(map.Lookup(0xA121, true), "\xC3\x92");                  // Ò
  EXPECT_EQ(map.Lookup(0xA121, false), "");                        // the wide A121 is another
  EXPECT_EQ(map.Lookup(0xB121, false), "\xE2\x9D\xB6");             // ❶
  EXPECT_EQ(map.Lookup(0xB122, false), "A\xCC\x81");
  for (uint16_t code : {0xA122, 0xA123, 0xA124, 0xA125}) EXPECT_EQ(map.Lookup(code, true), "") << code;
  EXPECT_EQ(map.Lookup(0xB123, false), "");
  EXPECT_TRUE(GaijiMap::Parse("not a map\n\x01\x02").Empty());
}

}  // namespace
}  // namespace booktext
