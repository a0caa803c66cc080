// A disc that the fuzz targets put their inputs into, held in memory: one book
// BOOK with its text file DATA/HONMON and eight external-character fonts GAIJI/F0 .. F7.
#ifndef DUNMOOR_FUZZ_FUZZDISC_H
#define DUNMOOR_FUZZ_FUZZDISC_H

#include <string>

#include "FuzzInput.h"

namespace fuzz {

// A catalog listing the one book BOOK (type 0x00) with the fonts F0 .. F7 in slot order.
Bytes StandardCatalog();

// A small text file: the index table (menu at page 2, an as-is index at page 3), the menu text
// and one leaf page with one entry.
Bytes SmallTextFile();

class FuzzDisc {
 public:
  // The process's disc, made on first use with the standard catalog and the small text file.
  static FuzzDisc& Get();

  const std::string& Root() const { return root; }
  void WriteCatalog(const Bytes& catalog);
  // Puts the standard catalog back when another was written.
  void UseStandardCatalog();
  void WriteText(const Bytes& text);
  // The same font file under all eight names; an empty one removes them.
  void WriteFonts(const Bytes& font);

 private:
  FuzzDisc();
  std::string root;
  bool standardCatalog = false;
};

}  // namespace fuzz

#endif  // DUNMOOR_FUZZ_FUZZDISC_H
