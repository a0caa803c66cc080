// Turning a glyph into device pixels: the ink bits scaled into a rectangle, the whole glyph as
// a 24-bit picture, and the monochrome bitmap bits. The Windows drawing exports put these on a
// device context; everything here is plain arithmetic.
#ifndef DUNMOOR_BOOKLIB_GLYPHRASTER_H
#define DUNMOOR_BOOKLIB_GLYPHRASTER_H

#include <cstdint>
#include <functional>
#include <vector>

#include "GlyphGeometry.h"

namespace dunmoor {

// Device pixels x in [left, right), y in [top, bottom).
struct PixelArea {
  int64_t left, top, right, bottom;
  bool IsEmpty() const { return left >= right || top >= bottom; }
};

// Calls paint once for every ink bit with the device pixels that belong to it, cut to clip
// (bits whose pixels all lie outside clip, or that get no pixel at all, are skipped). With
// w = right - left and h = bottom - top, glyph row r owns the device rows from
// top + floor(r*h/H) to top + floor((r+1)*h/H) - 1, and stored column c the device columns from
// left + floor(c*w/W) likewise, W being the nominal width: the columns that the 30-dot fonts
// store beyond it land right of the rectangle. A rectangle with right < left or bottom < top
// gives no pixel. The work is bounded by the glyph's bits, whatever the rectangle.
void ForEachInkArea(const Glyph& glyph, int32_t left, int32_t top, int32_t right, int32_t bottom,
                    const PixelArea& clip, const std::function<void(const PixelArea&)>& paint);

// Width of the 24-bit picture of a glyph: its drawn columns (8, 12, 16, 24 narrow; 16, 24, 32,
// 48 wide).
inline int PictureWidth(const Glyph& glyph) { return glyph.Geometry().drawnColumns; }

// The 24-bit picture, bottom row first, each pixel blue, green, red: ink for a set bit, paper
// for a clear one. Colours are RGB values with red in the low byte. Rows are PictureWidth * 3
// bytes, always a multiple of 4.
std::vector<uint8_t> GlyphPicture24(const Glyph& glyph, uint32_t ink, uint32_t paper);

// The bits of a monochrome bitmap of the nominal width and height: each stored row inverted
// (ink 0, black; paper 1, white), rows padded to an even number of bytes with 0xFF.
std::vector<uint8_t> MonochromeBits(const Glyph& glyph);
int MonochromeStride(const Glyph& glyph);

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_GLYPHRASTER_H
