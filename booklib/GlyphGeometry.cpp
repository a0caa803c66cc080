#include "GlyphGeometry.h"

namespace dunmoor {

namespace {

constexpr uint32_t kCodesPerRow = 94;
constexpr uint32_t kLastColumn = 0x7E;

}  // namespace

const GlyphGeometry& GeometryOf(GaijiSlot slot) {
  static const GlyphGeometry kGeometry[kGaijiSlotCount] = {
      {16, 16, 2, 16}, {24, 24, 3, 24}, {30, 30, 4, 32}, {48, 48, 6, 48},  // wide
      {8, 16, 1, 8},   {12, 24, 2, 12}, {15, 30, 2, 16}, {24, 48, 3, 24},  // narrow
  };
  return kGeometry[slot];
}

bool SlotFor(uint32_t size, uint32_t wide, GaijiSlot* slot) {
  size &= 0xFF;
  wide &= 0xFF;
  if (wide > 1) return false;
  int bySize;
  switch (size) {
    case 16: bySize = 0; break;
    case 24: bySize = 1; break;
    case 30:
    case 32: bySize = 2; break;
    case 48: bySize = 3; break;
    default: return false;
  }
  *slot = static_cast<GaijiSlot>((wide ? kWide16 : kNarrow16) + bySize);
  return true;
}

bool LocateGlyph(GaijiSlot slot, uint16_t firstCode, uint64_t fileSize, uint32_t code, uint32_t* offset) {
  code &= 0xFFFF;
  uint32_t row = code >> 8, column = code & 0xFF;
  uint32_t firstRow = firstCode >> 8u, firstColumn = firstCode & 0xFFu;
  if (row < firstRow || column < firstColumn || column > kLastColumn) return false;
  const GlyphGeometry& g = GeometryOf(slot);
  uint64_t units = fileSize > kFontHeaderBytes ? (fileSize - kFontHeaderBytes) / kFontUnitBytes : 0;
  uint64_t capacity = units * static_cast<uint64_t>(g.GlyphsPerUnit());
  uint32_t index = (row - firstRow) * kCodesPerRow + (column - firstColumn);
  // Only places inside the file's whole units hold glyphs; a place beyond them would be read
  // from padding or past the end of the file.
  if (index >= capacity) return false;
  uint32_t perUnit = static_cast<uint32_t>(g.GlyphsPerUnit());
  *offset = kFontHeaderBytes + kFontUnitBytes * (index / perUnit) +
            static_cast<uint32_t>(g.GlyphBytes()) * (index % perUnit);
  return true;
}

}  // namespace dunmoor
