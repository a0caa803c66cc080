#include "GlyphGeometry.h"

#include <gtest/gtest.h>

namespace dunmoor {
namespace {

// A font file of n whole glyph units after its header.
constexpr uint64_t FileOfUnits(uint64_t n) { return kFontHeaderBytes + n * kFontUnitBytes; }

uint32_t Offset(GaijiSlot slot, uint16_t first, uint64_t size, uint32_t code) {
  uint32_t offset = 0;
  EXPECT_TRUE(LocateGlyph(slot, first, size, code, &offset)) << std::hex << code;
  return offset;
}

bool Refused(GaijiSlot slot, uint16_t first, uint64_t size, uint32_t code) {
  uint32_t offset = 0xDEAD;
  bool found = LocateGlyph(slot, first, size, code, &offset);
  return !found && offset == 0xDEAD;
}

TEST(GlyphGeometry, UnitsHoldWholeGlyphsWithPadding) {
  struct Row {
    GaijiSlot slot;
    int glyphsPerUnit, padding, drawnColumns;
  };
  const Row rows[] = {{kNarrow16, 64, 0, 8},  {kNarrow24, 21, 16, 12}, {kNarrow30, 17, 4, 16},
                      {kNarrow48, 7, 16, 24}, {kWide16, 32, 0, 16},    {kWide24, 14, 16, 24},
                      {kWide30, 8, 64, 32},   {kWide48, 3, 160, 48}};
  for (const Row& row : rows) {
    const GlyphGeometry& g = GeometryOf(row.slot);
    EXPECT_EQ(g.GlyphsPerUnit(), row.glyphsPerUnit) << row.slot;
    EXPECT_EQ(1024 - g.GlyphsPerUnit() * g.GlyphBytes(), row.padding) << row.slot;
    EXPECT_EQ(g.drawnColumns, row.drawnColumns) << row.slot;
    EXPECT_LE(g.GlyphBytes(), kMaxGlyphBytes);
  }
}

TEST(GlyphGeometry, SlotsBySizeAndKind) {
  const uint32_t sizes[] = {16, 24, 30, 48};
  for (int i = 0; i < 4; ++i) {
    GaijiSlot wide, narrow;
    ASSERT_TRUE(SlotFor(sizes[i], 1, &wide));
    ASSERT_TRUE(SlotFor(sizes[i], 0, &narrow));
    EXPECT_EQ(wide, static_cast<GaijiSlot>(kWide16 + i));
    EXPECT_EQ(narrow, static_cast<GaijiSlot>(kNarrow16 + i));
  }
  GaijiSlot slot;
  ASSERT_TRUE(SlotFor(32, 1, &slot));
  EXPECT_EQ(slot, kWide30);
  ASSERT_TRUE(SlotFor(0x130, 0x100, &slot));  // both read as unsigned 8-bit values
  EXPECT_EQ(slot, kNarrow48);
  EXPECT_FALSE(SlotFor(16, 2, &slot));
  for (uint32_t size : {0u, 8u, 15u, 17u, 31u, 33u, 64u, 0xFFu}) EXPECT_FALSE(SlotFor(size, 1, &slot)) << size;
}

TEST(GlyphGeometry, GlyphPlacesRunAcrossRowsAndUnits) {
  uint64_t big = FileOfUnits(1000);
  EXPECT_EQ(Offset(kNarrow16, 0xA121, big, 0xA121), 2048u);  // glyph 0
  // One row further is glyph 94: unit 1 (64 a unit), place 30 in it.
  EXPECT_EQ(Offset(kNarrow16, 0xA121, big, 0xA221), 2048u + 1024 + 30 * 16);
  EXPECT_EQ(Offset(kWide16, 0xA121, big, 0xA221), 2048u + 2 * 1024 + 30 * 32);
  // Wide 24: glyph 14 opens the second unit, after 16 bytes of padding.
  EXPECT_EQ(Offset(kWide24, 0xA121, big, 0xA121 + 13), 2048u + 13 * 72);
  EXPECT_EQ(Offset(kWide24, 0xA121, big, 0xA121 + 14), 3072u);
  EXPECT_EQ(Offset(kWide48, 0xA121, big, 0xA124), 3072u);
  // A first column other than 0x21 shortens every row of the font.
  EXPECT_EQ(Offset(kNarrow16, 0xB130, big, 0xB130), 2048u);
  EXPECT_EQ(Offset(kNarrow16, 0xB130, big, 0xB230), 2048u + 1024 + 30 * 16);
  // Only the low 16 bits of the code count.
  EXPECT_EQ(Offset(kNarrow16, 0xA121, big, 0x1A122), 2048u + 16);
}

TEST(GlyphGeometry, CodesOutsideTheFontAreRefused) {
  uint64_t big = FileOfUnits(1000);
  for (uint32_t row = 0xB1; row <= 0xFE; row += 7) {
    EXPECT_TRUE(Refused(kWide16, 0xB130, big, row << 8 | 0x7F)) << row;
    EXPECT_TRUE(Refused(kWide16, 0xB130, big, row << 8 | 0xFF)) << row;
    EXPECT_TRUE(Refused(kWide16, 0xB130, big, row << 8 | 0x2F)) << row;  // before the first column
    EXPECT_FALSE(Refused(kWide16, 0xB130, big, row << 8 | 0x7E)) << row;
  }
  EXPECT_TRUE(Refused(kWide16, 0xB130, big, 0xB07E));  // before the first row
  EXPECT_TRUE(Refused(kWide16, 0xB130, big, 0));
}

TEST(GlyphGeometry, PlacesBeyondTheFilesUnitsAreRefused) {
  // One unit of narrow 16 holds places 0-63: A121..A160.
  uint64_t oneUnit = FileOfUnits(1);
  EXPECT_EQ(Offset(kNarrow16, 0xA121, oneUnit, 0xA160), 2048u + 63 * 16);
  EXPECT_TRUE(Refused(kNarrow16, 0xA121, oneUnit, 0xA161));
  EXPECT_TRUE(Refused(kNarrow16, 0xA121, oneUnit, 0xA221));
  // A unit cut short holds no glyph that can be read; nor does a file without any unit.
  EXPECT_TRUE(Refused(kNarrow16, 0xA121, oneUnit + 1023, 0xA161));
  EXPECT_TRUE(Refused(kWide48, 0xA121, FileOfUnits(1) - 1, 0xA121));
  EXPECT_TRUE(Refused(kWide48, 0xA121, kFontHeaderBytes, 0xA121));
  EXPECT_TRUE(Refused(kWide48, 0xA121, 14, 0xA121));
  // Exactly full: the last place of the last unit is found.
  EXPECT_EQ(Offset(kWide48, 0xA121, FileOfUnits(2), 0xA126), 2048u + 1024 + 2 * 288);
  EXPECT_TRUE(Refused(kWide48, 0xA121, FileOfUnits(2), 0xA127));
  // The last code a big font reaches.
  EXPECT_EQ(Offset(kNarrow16, 0xA121, FileOfUnits(2), 0xA221 + 33), 2048u + 1024 + 63 * 16);
  EXPECT_TRUE(Refused(kNarrow16, 0xA121, FileOfUnits(2), 0xA221 + 34));
}

}  // namespace
}  // namespace dunmoor
