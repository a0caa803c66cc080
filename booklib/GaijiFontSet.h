// The external-character fonts of the open book: up to eight bitmap font files, one for each
// kind (wide, narrow) and size (16, 24, 30, 48 dots), and the look-up of a glyph by its code.
#ifndef DUNMOOR_BOOKLIB_GAIJIFONTSET_H
#define DUNMOOR_BOOKLIB_GAIJIFONTSET_H

#include <array>
#include <cstdint>
#include <string>

#include "GlyphGeometry.h"
#include "BookData.h"

namespace dunmoor {

constexpr size_t kFontNameFieldBytes = 8;  // one field of the catalog's 64-byte font-name block

class GaijiFontSet {
 public:
  // Opens the font files named in the catalog's 64-byte block of font names (eight 8-byte
  // fields in slot order, each a name ended by a zero byte or the field's end, used as it
  // stands) in the external-character directory. A slot stays missing when its field is empty,
  // its file does not open, or the file is too short to hold the first code (bytes 10-11). The
  // set counts as open in any case. An earlier set is closed first.
  void Open(const char* gaijiDirectory, const char* fontNames);
  void Close();
  bool IsOpen() const { return opened; }
  bool HasSlot(GaijiSlot slot) const { return slots[slot].file.IsOpen(); }
  uint16_t FirstCode(GaijiSlot slot) const { return slots[slot].firstCode; }

  // Reads the glyph of code (unsigned 16-bit) for size and wide flag (unsigned 8-bit each).
  //    1  *glyph holds it
  //   -1  the set is not open, the slot of that kind and size is missing, or the read failed
  //   -2  wide flag not 0 or 1, size not 16, 24, 30, 32 or 48 (before any slot is looked at),
  //       or the code is refused: row or column before the font's first code, column above
  //       0x7E, or a place beyond the whole 1024-byte units of the file (a file with no glyph
  //       unit after its 2048-byte header refuses every code)
  // Should the file have shrunk since it was opened, the bytes that are no longer there count
  // as paper.
  int32_t ReadGlyph(uint32_t code, uint32_t size, uint32_t wide, Glyph* glyph);

 private:
  struct Slot {
    BookData file;  // closed: the slot is missing
    uint16_t firstCode = 0;
    uint64_t fileSize = 0;  // as measured when the file was opened
  };

  bool OpenSlot(Slot* slot, const std::string& path);

  bool opened = false;
  std::array<Slot, kGaijiSlotCount> slots;
};

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_GAIJIFONTSET_H
