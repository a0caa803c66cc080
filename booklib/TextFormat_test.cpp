#include "TextFormat.h"

#include <gtest/gtest.h>

#include <vector>

namespace dunmoor::text {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(TextFormat, PositionsInBothFormsNameTheSameByte) {
  const uint8_t bcd[] = {0x00, 0x00, 0x00, 0x02, 0x01, 0x28};
  const uint8_t numeric[] = {0x00, 0x00, 0x00, 0x02, 0x00, 0x80};
  EXPECT_EQ(DecodeBcdPosition(bcd), 2176);
  EXPECT_EQ(DecodeNumericPosition(numeric), 2176);
  const uint8_t link[] = {0x00, 0x00, 0x01, 0x23, 0x00, 0x10};
  EXPECT_EQ(DecodeBcdPosition(link), (123 - 1) * 2048 + 10);
}

TEST(TextFormat, BcdStopsAtTheFirstNibbleThatIsNoDigit) {
  const uint8_t digits[] = {0x00, 0x00, 0x12, 0x34};
  EXPECT_EQ(DecodeBcd(digits, 4), 1234u);
  const uint8_t badLow[] = {0x1A, 0x23};  // "1a23" reads as 1
  EXPECT_EQ(DecodeBcd(badLow, 2), 1u);
  const uint8_t badFirst[] = {0xA1, 0x23};  // no digit before the bad one
  EXPECT_EQ(DecodeBcd(badFirst, 2), 0u);
  const uint8_t largest[] = {0x99, 0x99, 0x99, 0x99};
  EXPECT_EQ(DecodeBcd(largest, 4), 99999999u);
}

TEST(TextFormat, PositionsOutsideTheFileRangeAreRefused) {
  uint32_t out = 7;
  EXPECT_FALSE(ToFilePosition(PositionOf(0, 10), &out));  // block 0 lies before the file
  EXPECT_FALSE(ToFilePosition(PositionOf(99999999, 0), &out));
  EXPECT_FALSE(ToFilePosition(DecodeNumericPosition(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0, 0}.data()), &out));
  EXPECT_EQ(out, 7u);
  ASSERT_TRUE(ToFilePosition(PositionOf(1, 0), &out));
  EXPECT_EQ(out, 0u);
}

TEST(TextFormat, EntryStartNeedsAllThreeBytes) {
  Bytes start = {0x1F, 0x41, 0x01, 0x00};
  Bytes keyword = {0x1F, 0x41, 0x02, 0x00};
  EXPECT_TRUE(IsEntryStart(start.data(), start.size()));
  EXPECT_FALSE(IsEntryStart(start.data(), 2));
  EXPECT_FALSE(IsEntryStart(keyword.data(), keyword.size()));
}

TEST(TextFormat, FindCodeStaysInsideTheBlock) {
  Bytes block = {0x1F, 0x42, 0x23, 0x41, 0x1F, 0x62, 0, 0, 0, 0x02, 0, 0x10, 0x1F};
  EXPECT_EQ(FindCode(block.data(), block.size(), 0x62), 4u);
  EXPECT_EQ(FindCode(block.data(), block.size(), 0x63), block.size());
  EXPECT_EQ(FindCode(block.data(), 5, 0x62), 5u);  // the pair is cut by the block's end
}

TEST(TextFormat, WalkerStepsUnitByUnit) {
  Bytes text = {0x1F, 0x02,                    // begin text
                0x1F, 0x09, 0x00, 0x02,        // indent 2
                0x24, 0x22,                    // あ
                0xB1, 0x21,                    // external character
                0x1F, 0x41, 0x01, 0x00,        // entry start
                0x00, 0x00,                    // neither character nor code
                0x1F, 0x62, 0x00, 0x00};       // end of reference, cut short
  TextWalker walker(text.data(), text.size());
  std::vector<TextUnit> units;
  TextUnit unit;
  while (walker.Next(&unit)) units.push_back(unit);
  using K = TextUnit::Kind;
  ASSERT_EQ(units.size(), 7u);
  EXPECT_EQ(units[0].kind, K::kControl);
  EXPECT_EQ(units[1].length, 4u);
  EXPECT_EQ(units[2].kind, K::kCharacter);
  EXPECT_EQ(units[2].code, 0x2422);
  EXPECT_EQ(units[3].kind, K::kExternalCharacter);
  EXPECT_EQ(units[3].code, 0xB121);
  EXPECT_EQ(units[4].code, 0x41);
  EXPECT_EQ(units[5].kind, K::kOther);
  EXPECT_EQ(units[6].kind, K::kTruncated);
  EXPECT_EQ(units[6].offset + units[6].length, text.size());

  Bytes odd = {0x24, 0x22, 0x24};
  TextWalker tail(odd.data(), odd.size());
  ASSERT_TRUE(tail.Next(&unit));
  ASSERT_TRUE(tail.Next(&unit));
  EXPECT_EQ(unit.kind, K::kTruncated);
  EXPECT_EQ(unit.length, 1u);
  EXPECT_FALSE(tail.Next(&unit));
}

}  // namespace
}  // namespace dunmoor::text
