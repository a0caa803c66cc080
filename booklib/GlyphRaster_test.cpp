#include "GlyphRaster.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace dunmoor {
namespace {

using Pixel = std::pair<int64_t, int64_t>;  // x, y

const PixelArea kEverywhere{INT64_MIN / 4, INT64_MIN / 4, INT64_MAX / 4, INT64_MAX / 4};

// A glyph from rows of '#' and '.', one string a row, up to the stored width.
Glyph MakeGlyph(GaijiSlot slot, const std::vector<std::string>& rows) {
  Glyph glyph;
  glyph.slot = slot;
  const GlyphGeometry& g = glyph.Geometry();
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c)
      if (rows[r][c] == '#') glyph.bits[r * g.bytesPerRow + c / 8] |= static_cast<uint8_t>(0x80 >> (c % 8));
  return glyph;
}

Glyph FullGlyph(GaijiSlot slot) {
  const GlyphGeometry& g = GeometryOf(slot);
  return MakeGlyph(slot, std::vector<std::string>(g.height, std::string(g.bytesPerRow * 8, '#')));
}

// How many times each device pixel is painted.
std::map<Pixel, int> Paint(const Glyph& glyph, int32_t left, int32_t top, int32_t right, int32_t bottom,
                           const PixelArea& clip = kEverywhere) {
  std::map<Pixel, int> painted;
  ForEachInkArea(glyph, left, top, right, bottom, clip, [&](const PixelArea& area) {
    for (int64_t y = area.top; y < area.bottom; ++y)
      for (int64_t x = area.left; x < area.right; ++x) ++painted[{x, y}];
  });
  return painted;
}

// An 8 x 16 narrow glyph with ink in a few scattered places, among them the corners.
Glyph Scattered() {
  std::vector<std::string> rows(16, "........");
  rows[0] = "#......#";
  rows[5] = "..##.#..";
  rows[15] = "#.....##";
  return MakeGlyph(kNarrow16, rows);
}

TEST(GlyphRaster, NominalSizeSetsOnePixelPerInkBit) {
  std::map<Pixel, int> painted = Paint(Scattered(), 100, 50, 108, 66);
  std::map<Pixel, int> expected = {{{100, 50}, 1}, {{107, 50}, 1}, {{102, 55}, 1}, {{103, 55}, 1},
                                   {{105, 55}, 1}, {{100, 65}, 1}, {{106, 65}, 1}, {{107, 65}, 1}};
  EXPECT_EQ(painted, expected);
}

TEST(GlyphRaster, DoubleSizeSetsFourPixelsPerInkBit) {
  std::map<Pixel, int> painted = Paint(Scattered(), 0, 0, 16, 32);
  ASSERT_EQ(painted.size(), 8u * 4);
  for (auto [x, y] : std::vector<Pixel>{{0, 0}, {14, 0}, {4, 10}, {6, 10}, {10, 10}, {0, 30}, {12, 30}, {14, 30}})
    for (auto [dx, dy] : std::vector<Pixel>{{0, 0}, {1, 0}, {0, 1}, {1, 1}})
      EXPECT_EQ(painted.count({x + dx, y + dy}), 1u) << x + dx << "," << y + dy;
}

TEST(GlyphRaster, ClearGlyphPaintsNothing) {
  EXPECT_TRUE(Paint(MakeGlyph(kWide48, {}), 0, 0, 48, 48).empty());
}

TEST(GlyphRaster, FullGlyphTilesTheRectangleOfEveryKindAndSize) {
  // Each device pixel of the rectangle belongs to exactly one glyph bit, at odd sizes too; only
  // the columns that the 30-dot fonts store beyond their nominal width paint right of it.
  const std::pair<int, int> extents[] = {{0, 0}, {7, 5}, {37, 23}, {100, 64}};
  for (int s = 0; s < kGaijiSlotCount; ++s) {
    GaijiSlot slot = static_cast<GaijiSlot>(s);
    const GlyphGeometry& g = GeometryOf(slot);
    for (auto [w, h] : extents) {
      std::map<Pixel, int> painted = Paint(FullGlyph(slot), -3, 4, -3 + w, 4 + h);
      int64_t inside = 0;
      for (const auto& [pixel, times] : painted) {
        EXPECT_EQ(times, 1) << slot;
        EXPECT_GE(pixel.second, 4);
        EXPECT_LT(pixel.second, 4 + h);
        EXPECT_GE(pixel.first, -3);
        if (pixel.first < -3 + w) ++inside;
      }
      EXPECT_EQ(inside, int64_t{w} * h) << "slot " << slot << " " << w << "x" << h;
      int extra = g.drawnColumns - g.width;  // 1 (narrow 30), 2 (wide 30), else 0
      int64_t beyond = static_cast<int64_t>(painted.size()) - inside;
      // Each extra column is as wide as a nominal one, rounded either way.
      EXPECT_GE(beyond, int64_t{extra} * (w / g.width) * h) << slot;
      EXPECT_LE(beyond, int64_t{extra} * (w / g.width + 1) * h) << slot;
    }
  }
}

TEST(GlyphRaster, ColumnsBeyondTheNominalWidth) {
  // Wide 30 at its nominal size: stored columns 30 and 31 land just right of the rectangle.
  std::vector<std::string> rows(30, "");
  rows[0] = std::string(29, '.') + "###";
  EXPECT_EQ(Paint(MakeGlyph(kWide30, rows), 0, 0, 30, 30),
            (std::map<Pixel, int>{{{29, 0}, 1}, {{30, 0}, 1}, {{31, 0}, 1}}));
  // Narrow 24 stores 16 columns but draws 12.
  std::vector<std::string> narrow(24, "");
  narrow[1] = "...........#####";
  EXPECT_EQ(Paint(MakeGlyph(kNarrow24, narrow), 0, 0, 12, 24), (std::map<Pixel, int>{{{11, 1}, 1}}));
}

TEST(GlyphRaster, InvertedOrHugeRectangles) {
  EXPECT_TRUE(Paint(FullGlyph(kNarrow16), 8, 0, 0, 16).empty());
  EXPECT_TRUE(Paint(FullGlyph(kNarrow16), 0, 16, 8, 0).empty());
  // The widest rectangle there is: only the clip's pixels are painted, and nothing overflows.
  PixelArea clip{0, 0, 4, 4};
  std::map<Pixel, int> painted = Paint(FullGlyph(kWide16), INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, clip);
  EXPECT_EQ(painted.size(), 16u);
  for (const auto& [pixel, times] : painted) EXPECT_EQ(times, 1);
}

TEST(GlyphRaster, PictureIsBottomUpBlueGreenRed) {
  std::vector<std::string> rows(24, "");
  rows[0] = "#..........#####";  // stored columns 12-15 are not part of the picture
  std::vector<uint8_t> picture = GlyphPicture24(MakeGlyph(kNarrow24, rows), 0x112233, 0xAABBCC);
  ASSERT_EQ(PictureWidth(MakeGlyph(kNarrow24, rows)), 12);
  ASSERT_EQ(picture.size(), 12u * 3 * 24);
  // RGB values carry red in the low byte: 0x112233 is blue 0x11, green 0x22, red 0x33.
  const uint8_t ink[3] = {0x11, 0x22, 0x33}, paper[3] = {0xAA, 0xBB, 0xCC};
  for (int r = 0; r < 24; ++r)
    for (int c = 0; c < 12; ++c) {
      const uint8_t* want = (r == 0 && (c == 0 || c == 11)) ? ink : paper;
      const uint8_t* got = &picture[((23 - r) * 12 + c) * 3];
      EXPECT_TRUE(got[0] == want[0] && got[1] == want[1] && got[2] == want[2]) << r << "," << c;
    }
  EXPECT_EQ(PictureWidth(FullGlyph(kWide30)), 32);
  EXPECT_EQ(GlyphPicture24(FullGlyph(kWide30), 0, 0).size(), 32u * 3 * 30);
}

TEST(GlyphRaster, MonochromeRowsAreInvertedAndEven) {
  std::vector<std::string> rows(48, "");
  rows[0] = "#......................#";
  Glyph glyph = MakeGlyph(kNarrow48, rows);
  ASSERT_EQ(MonochromeStride(glyph), 4);
  std::vector<uint8_t> bits = MonochromeBits(glyph);
  ASSERT_EQ(bits.size(), 4u * 48);
  EXPECT_EQ(std::vector<uint8_t>(bits.begin(), bits.begin() + 8),
            (std::vector<uint8_t>{0x7F, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  const int strides[] = {2, 4, 4, 6, 2, 2, 2, 4};  // wide 16..48, narrow 16..48
  for (int s = 0; s < kGaijiSlotCount; ++s) {
    Glyph full = FullGlyph(static_cast<GaijiSlot>(s));
    EXPECT_EQ(MonochromeStride(full), strides[s]) << s;
    std::vector<uint8_t> fullBits = MonochromeBits(full);
    int stored = full.Geometry().bytesPerRow;
    for (size_t i = 0; i < fullBits.size(); ++i)
      EXPECT_EQ(fullBits[i], static_cast<int>(i % strides[s]) < stored ? 0x00 : 0xFF) << s << " byte " << i;
  }
}

}  // namespace
}  // namespace dunmoor
