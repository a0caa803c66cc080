// The shapes of external-character glyphs and where a glyph lies in its font file.
//
// Font file (numbers big-endian):
//   bytes 0-9      not used here
//   bytes 10-11    first code of the font: row byte, then column byte
//   bytes 12-2047  rest of the 2048-byte header
//   byte 2048 ...  glyphs in code order, packed into 1024-byte units: each unit holds as many
//                  whole glyphs as fit, from its start; the bytes left at its end are padding.
// A glyph is its rows, top row first, each row a whole number of bytes, bit 7 the leftmost
// pixel, a set bit ink. Codes run 94 to a row (columns 0x21-0x7E).
#ifndef DUNMOOR_BOOKLIB_GLYPHGEOMETRY_H
#define DUNMOOR_BOOKLIB_GLYPHGEOMETRY_H

#include <cstdint>

namespace dunmoor {

// The eight font slots, in the order of the catalog's font-name block.
enum GaijiSlot { kWide16, kWide24, kWide30, kWide48, kNarrow16, kNarrow24, kNarrow30, kNarrow48 };
constexpr int kGaijiSlotCount = 8;

constexpr uint32_t kFontHeaderBytes = 2048;
constexpr uint32_t kFontUnitBytes = 1024;
constexpr uint32_t kFontFirstCodeOffset = 10;  // bytes 10-11 of the header
constexpr int kMaxGlyphBytes = 288;            // wide 48: 6 bytes a row, 48 rows

struct GlyphGeometry {
  int width;          // nominal width in pixels
  int height;
  int bytesPerRow;    // the 30-dot fonts store more columns than their nominal width
  int drawnColumns;   // columns drawn of a stored row: all, except 12 for narrow 24
  int GlyphBytes() const { return bytesPerRow * height; }
  int GlyphsPerUnit() const { return static_cast<int>(kFontUnitBytes) / GlyphBytes(); }
};

const GlyphGeometry& GeometryOf(GaijiSlot slot);

// The slot for a size (16, 24, 30 or 32 meaning 30, 48) and a wide flag (1 wide, 0 narrow),
// both taken as unsigned 8-bit values. False for any other size or flag.
bool SlotFor(uint32_t size, uint32_t wide, GaijiSlot* slot);

// Where the glyph of code (taken as unsigned 16-bit) starts in a font file of fileSize bytes
// whose first code is firstCode. False when the code is refused: its row or column lies before
// the first code's, its column is above 0x7E, or its glyph place lies beyond the whole 1024-byte
// units that the file holds (so the glyph found always lies inside the file as it was measured).
bool LocateGlyph(GaijiSlot slot, uint16_t firstCode, uint64_t fileSize, uint32_t code, uint32_t* offset);

// A glyph's stored bytes with its shape.
struct Glyph {
  GaijiSlot slot = kNarrow16;
  uint8_t bits[kMaxGlyphBytes] = {};

  const GlyphGeometry& Geometry() const { return GeometryOf(slot); }
  // Ink at row r, stored column c (both inside the stored glyph).
  bool Ink(int row, int column) const {
    return (bits[row * Geometry().bytesPerRow + column / 8] & (0x80 >> (column % 8))) != 0;
  }
};

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_GLYPHGEOMETRY_H
