#include "GaijiCommand.h"

#include <cstdio>

#include "BookSession.h"

namespace cli {

namespace {

bool ParseCode(const std::string& text, uint32_t* code) {
  if (text.empty() || text.size() > 4) return false;
  uint32_t value = 0;
  for (char c : text) {
    int digit = (c >= '0' && c <= '9')   ? c - '0'
                : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                         : -1;
    if (digit < 0) return false;
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  *code = value;
  return true;
}

std::string Hex(uint32_t code) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", code);
  return text;
}

}  // namespace

int RunGaiji(const Disc& disc, const std::string& code, const std::string& kind, const std::string& size,
             std::ostream& out, std::ostream& err) {
  uint32_t value = 0, dots = 16;
  dunmoor::GaijiSlot slot;
  if (!ParseCode(code, &value)) {
    err << "dunmoor: the code must be 1 to 4 hexadecimal digits, such as A121: " << code << "\n";
    return 2;
  }
  if (kind != "narrow" && kind != "wide") {
    err << "dunmoor: the kind must be narrow or wide: " << kind << "\n";
    return 2;
  }
  uint32_t wide = kind == "wide" ? 1 : 0;
  if ((!size.empty() && !ParseNumber(size, 255, &dots)) || !dunmoor::SlotFor(dots, wide, &slot)) {
    err << "dunmoor: the size must be 16, 24, 30 or 48 (32 is taken for 30): " << size << "\n";
    return 2;
  }
  dunmoor::Library library;
  if (int status = OpenBook(&library, disc, err)) return status;
  dunmoor::Glyph glyph;
  int32_t found = library.Gaiji().ReadGlyph(value, dots, wide, &glyph);
  std::string font = kind + " " + std::to_string(dots) + "-dot font";
  if (found == kDunmoorFailed) {
    err << "dunmoor: the book has no " << font << " (or it cannot be read)\n";
    return 1;
  }
  if (found != kDunmoorSuccess) {
    err << "dunmoor: " << Hex(value) << " lies outside the book's " << font << " (first code "
        << Hex(library.Gaiji().FirstCode(slot)) << ")\n";
    return 1;
  }
  const dunmoor::GlyphGeometry& g = glyph.Geometry();
  for (int r = 0; r < g.height; ++r) {
    std::string row;
    for (int c = 0; c < g.width; ++c) row += glyph.Ink(r, c) ? '#' : '.';
    out << row << "\n";
  }
  return 0;
}

}  // namespace cli
