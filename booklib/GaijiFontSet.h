// The external-character fonts of the open book: up to eight bitmap font files, one for each
// kind (wide, narrow) and size (16, 24, 30, 48 dots).
#ifndef DUNMOOR_BOOKLIB_GAIJIFONTSET_H
#define DUNMOOR_BOOKLIB_GAIJIFONTSET_H

#include <cstdint>

namespace dunmoor {

class GaijiFontSet {
 public:
  // Opens the font files named in the catalog's 64-byte block of font names (eight 8-byte
  // fields in slot order) in the external-character directory. Slots whose file is missing
  // stay missing; the set counts as open in any case.
  void Open(const char* gaijiDirectory, const char* fontNames);
  void Close();
  bool IsOpen() const { return opened; }

 private:
  bool opened = false;
};

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_GAIJIFONTSET_H
