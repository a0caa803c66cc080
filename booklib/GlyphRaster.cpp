#include "GlyphRaster.h"

#include <algorithm>

namespace dunmoor {

namespace {

// Ink at stored column c of a row's bytes (Glyph::Ink, with the row found once).
bool InkAt(const uint8_t* row, int c) { return (row[c / 8] & (0x80 >> (c % 8))) != 0; }

// floor(a / b) for b > 0, also for negative a.
int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

}  // namespace

void ForEachInkArea(const Glyph& glyph, int32_t left, int32_t top, int32_t right, int32_t bottom,
                    const PixelArea& clip, const std::function<void(const PixelArea&)>& paint) {
  const GlyphGeometry& g = glyph.Geometry();
  int64_t w = static_cast<int64_t>(right) - left;
  int64_t h = static_cast<int64_t>(bottom) - top;
  if (w < 0 || h < 0) return;
  for (int r = 0; r < g.height; ++r) {
    int64_t y0 = top + FloorDiv(r * h, g.height);
    int64_t y1 = top + FloorDiv((r + 1) * h, g.height);
    y0 = std::max(y0, clip.top);
    y1 = std::min(y1, clip.bottom);
    if (y0 >= y1) continue;
    const uint8_t* row = glyph.bits + r * g.bytesPerRow;
    for (int c = 0; c < g.drawnColumns; ++c) {
      if (!InkAt(row, c)) continue;
      int64_t x0 = std::max(left + FloorDiv(c * w, g.width), clip.left);
      int64_t x1 = std::min(left + FloorDiv((c + 1) * w, g.width), clip.right);
      if (x0 < x1) paint(PixelArea{x0, y0, x1, y1});
    }
  }
}

std::vector<uint8_t> GlyphPicture24(const Glyph& glyph, uint32_t ink, uint32_t paper) {
  const GlyphGeometry& g = glyph.Geometry();
  int width = PictureWidth(glyph);
  size_t stride = static_cast<size_t>(width) * 3;
  std::vector<uint8_t> picture(stride * static_cast<size_t>(g.height));
  for (int r = 0; r < g.height; ++r) {
    uint8_t* out = &picture[stride * static_cast<size_t>(g.height - 1 - r)];  // bottom-up
    const uint8_t* row = glyph.bits + r * g.bytesPerRow;
    for (int c = 0; c < width; ++c) {
      uint32_t colour = InkAt(row, c) ? ink : paper;
      *out++ = static_cast<uint8_t>(colour >> 16);  // blue
      *out++ = static_cast<uint8_t>(colour >> 8);   // green
      *out++ = static_cast<uint8_t>(colour);        // red
    }
  }
  return picture;
}

int MonochromeStride(const Glyph& glyph) { return (glyph.Geometry().bytesPerRow + 1) / 2 * 2; }

std::vector<uint8_t> MonochromeBits(const Glyph& glyph) {
  const GlyphGeometry& g = glyph.Geometry();
  size_t stride = static_cast<size_t>(MonochromeStride(glyph));
  std::vector<uint8_t> bits(stride * static_cast<size_t>(g.height), 0xFF);
  for (int r = 0; r < g.height; ++r)
    for (int b = 0; b < g.bytesPerRow; ++b)
      bits[stride * static_cast<size_t>(r) + static_cast<size_t>(b)] =
          static_cast<uint8_t>(~glyph.bits[r * g.bytesPerRow + b]);
  return bits;
}

}  // namespace dunmoor
