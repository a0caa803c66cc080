#include "ControlCodes.h"

#include <gtest/gtest.h>

#include <vector>

namespace booktext::code {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(ControlCodes, LengthsOfCodesThatCarryArguments) {
  // A few lengths as books write them: indent and keyword carry a 16-bit argument, both kinds of
  // reference end with a 6-byte position, a sound code carries 16 bytes of fields.
  EXPECT_EQ(FixedCodeLength(0x09), 4u);
  EXPECT_EQ(FixedCodeLength(0x41), 4u);
  EXPECT_EQ(FixedCodeLength(0x62), 8u);
  EXPECT_EQ(FixedCodeLength(0x63), 8u);
  EXPECT_EQ(FixedCodeLength(0x4A), 18u);
  EXPECT_EQ(FixedCodeLength(0x43), 2u);
  EXPECT_EQ(FixedCodeLength(0x99), 2u);  // not in the table: two bytes, no effect
}

TEST(ControlCodes, SkipStretchRunsThroughTheNextEndCode) {
  Bytes stretch = {0x1F, 0x14, 0x24, 0x22, 0x1F, 0x0A, 0x1F, 0x15, 0x24, 0x24};
  bool complete = false;
  EXPECT_EQ(ControlLength(stretch.data(), stretch.size(), &complete), 8u);
  EXPECT_TRUE(complete);
  Bytes open = {0x1F, 0x14, 0x24, 0x22, 0x24, 0x24};
  EXPECT_EQ(ControlLength(open.data(), open.size(), &complete), open.size());
  EXPECT_FALSE(complete);
  Bytes cut = {0x1F, 0x62, 0x00, 0x00};
  EXPECT_EQ(ControlLength(cut.data(), cut.size(), &complete), cut.size());
  EXPECT_FALSE(complete);
}

}  // namespace
}  // namespace booktext::code
