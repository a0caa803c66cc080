#include "FontFile.h"

#include <gtest/gtest.h>

#include "BuildError.h"

namespace bookbuild {
namespace {

GlyphDef Solid(int height, int width) { return {1, std::vector<std::string>(height, std::string(width, '#'))}; }

TEST(FontFile, UnitsHoldWholeGlyphsAndPadding) {
  EXPECT_EQ(GlyphOffset(kWide24, 14), 3072u);  // 14 glyphs of 72 bytes and 16 bytes of padding
  EXPECT_EQ(GlyphOffset(kWide24, 13), 2048u + 13 * 72);
  EXPECT_EQ(GlyphOffset(kWide48, 3), 3072u);
  EXPECT_EQ(GlyphOffset(kNarrow30, 17), 3072u);
  EXPECT_EQ(GlyphOffset(kNarrow16, 64), 3072u);

  FontDef font;
  font.present = true;
  font.first = 0xA121;
  font.glyphs[0xA121 + 13] = Solid(24, 24);
  font.glyphs[0xA121 + 14] = Solid(24, 10);
  Bytes file = MakeFontFile(kWide24, font);
  ASSERT_EQ(file.size(), 2048u + 2048u);
  EXPECT_EQ(file[10], 0xA1);
  EXPECT_EQ(file[11], 0x21);
  EXPECT_EQ(file[13], 15);  // glyph places
  size_t last = 2048 + 13 * 72;
  EXPECT_EQ(file[last], 0xFF);
  EXPECT_EQ(file[last + 71], 0xFF);
  for (size_t i = last + 72; i < 3072; ++i) EXPECT_EQ(file[i], 0) << i;  // padding
  EXPECT_EQ(file[3072], 0xFF);      // 10 columns: 8 + 2 ink bits
  EXPECT_EQ(file[3073], 0xC0);
  EXPECT_EQ(file[3074], 0x00);
}

TEST(FontFile, RowsFollowTheFirstCode) {
  FontDef font;
  font.present = true;
  font.first = 0xA121;
  font.glyphs[0xA221] = Solid(16, 8);  // one row further: glyph place 94
  Bytes file = MakeFontFile(kNarrow16, font);
  EXPECT_EQ(file.size(), 2048u + 2 * 1024);
  EXPECT_EQ(file[GlyphOffset(kNarrow16, 94)], 0xFF);
  EXPECT_EQ(file[GlyphOffset(kNarrow16, 94) - 1], 0x00);
  // wide 30 stores 32 columns a row
  FontDef wide;
  wide.present = true;
  wide.glyphs[0xA121] = Solid(30, 32);
  EXPECT_EQ(MakeFontFile(kWide30, wide)[2048 + 3], 0xFF);
}

TEST(FontFile, RefusesGlyphsTheFontCannotHold) {
  FontDef font;
  font.present = true;
  font.first = 0xA130;
  font.glyphs[0xA221] = Solid(16, 8);  // column before the first column
  EXPECT_THROW(MakeFontFile(kNarrow16, font), BuildError);
  font.glyphs.clear();
  font.glyphs[0xA130] = Solid(15, 8);  // one row short
  EXPECT_THROW(MakeFontFile(kNarrow16, font), BuildError);
  font.glyphs[0xA130] = Solid(16, 9);  // wider than the stored row
  EXPECT_THROW(MakeFontFile(kNarrow16, font), BuildError);
}

}  // namespace
}  // namespace bookbuild
