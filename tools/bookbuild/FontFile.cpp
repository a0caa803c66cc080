#include "FontFile.h"

#include "BuildError.h"

namespace bookbuild {

FontGeometry GeometryOf(FontSlot slot) {
  static const FontGeometry kGeometry[kFontSlotCount] = {
      {16, 16, 2}, {24, 24, 3}, {30, 30, 4}, {48, 48, 6},  // wide
      {8, 16, 1},  {12, 24, 2}, {15, 30, 2}, {24, 48, 3},  // narrow
  };
  return kGeometry[slot];
}

uint32_t GlyphOffset(FontSlot slot, uint32_t index) {
  FontGeometry g = GeometryOf(slot);
  uint32_t perUnit = static_cast<uint32_t>(g.GlyphsPerUnit());
  return kBlockSize + 1024 * (index / perUnit) + static_cast<uint32_t>(g.GlyphBytes()) * (index % perUnit);
}

Bytes MakeFontFile(FontSlot slot, const FontDef& font) {
  FontGeometry g = GeometryOf(slot);
  int firstRow = font.first >> 8, firstColumn = font.first & 0xFF;
  uint32_t places = 0;
  std::map<uint32_t, const GlyphDef*> byPlace;
  for (const auto& [code, glyph] : font.glyphs) {
    int row = code >> 8, column = code & 0xFF;
    // The reader finds glyphs only from the first code on, and only in columns 0x21-0x7E.
    if (row < firstRow || column < firstColumn || column > 0x7E)
      throw BuildError(glyph.line, "code outside this font (first code and columns up to 0x7E)");
    uint32_t index = static_cast<uint32_t>((row - firstRow) * 94 + (column - firstColumn));
    byPlace[index] = &glyph;
    places = std::max(places, index + 1);
  }
  uint32_t perUnit = static_cast<uint32_t>(g.GlyphsPerUnit());
  uint32_t units = (places + perUnit - 1) / perUnit;
  Bytes file(kBlockSize + 1024 * units, 0);
  file[8] = static_cast<uint8_t>(g.width);
  file[9] = static_cast<uint8_t>(g.height);
  file[10] = static_cast<uint8_t>(firstRow);
  file[11] = static_cast<uint8_t>(firstColumn);
  file[12] = static_cast<uint8_t>(places >> 8);
  file[13] = static_cast<uint8_t>(places);
  for (const auto& [index, glyph] : byPlace) {
    if (static_cast<int>(glyph->rows.size()) != g.height)
      throw BuildError(glyph->line, "glyph needs " + std::to_string(g.height) + " rows, has " +
                                        std::to_string(glyph->rows.size()));
    uint32_t at = GlyphOffset(slot, index);
    for (int r = 0; r < g.height; ++r) {
      const std::string& row = glyph->rows[r];
      if (static_cast<int>(row.size()) > g.bytesPerRow * 8)
        throw BuildError(glyph->line, "glyph row wider than " + std::to_string(g.bytesPerRow * 8) + " pixels");
      for (size_t c = 0; c < row.size(); ++c) {
        if (row[c] != '#' && row[c] != '.') throw BuildError(glyph->line, "glyph rows hold only '#' and '.'");
        if (row[c] == '#') file[at + r * g.bytesPerRow + c / 8] |= static_cast<uint8_t>(0x80 >> (c % 8));
      }
    }
  }
  return file;
}

}  // namespace bookbuild
