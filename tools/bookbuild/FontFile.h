// An external-character font file.
//
// Bytes 0-2047: header; bytes 8-9 nominal width and height, 10-11 first code (row, column),
// 12-13 number of glyph places. From byte 2048: glyphs in code order, packed into 1024-byte
// units, each unit holding as many whole glyphs as fit and zero padding after them. A glyph is
// its rows top first, each row a whole number of bytes, bit 7 the leftmost pixel, 1 ink.
// Glyph place of a code: (row - first row) * 94 + (column - first column).
#ifndef DUNMOOR_TOOLS_BOOKBUILD_FONTFILE_H
#define DUNMOOR_TOOLS_BOOKBUILD_FONTFILE_H

#include "BookModel.h"
#include "Bytes.h"

namespace bookbuild {

struct FontGeometry {
  int width;        // nominal width in pixels
  int height;
  int bytesPerRow;  // stored row; 30-dot fonts store more columns than their nominal width
  int GlyphBytes() const { return bytesPerRow * height; }
  int GlyphsPerUnit() const { return 1024 / GlyphBytes(); }
};

FontGeometry GeometryOf(FontSlot slot);

// Offset of glyph place `index` in the file.
uint32_t GlyphOffset(FontSlot slot, uint32_t index);

// The whole font file. Throws BuildError for glyphs that do not fit the slot or lie outside
// the codes that the first code can reach.
Bytes MakeFontFile(FontSlot slot, const FontDef& font);

}  // namespace bookbuild

#endif  // DUNMOOR_TOOLS_BOOKBUILD_FONTFILE_H
