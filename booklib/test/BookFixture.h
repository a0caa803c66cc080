// Hand-made catalogs and text files for the library's unit tests: just the bytes the catalog
// and index-table readers look at, so that each test shows the layout it depends on.
// (Whole books come from the book builder; see tests/.)
#ifndef DUNMOOR_BOOKLIB_TEST_BOOKFIXTURE_H
#define DUNMOOR_BOOKLIB_TEST_BOOKFIXTURE_H

#include <cstdint>
#include <string>
#include <vector>

#include "TestFiles.h"

namespace fixture {

using testfiles::Bytes;

struct Entry {
  uint8_t type = 0x00;
  std::string title;      // bytes as stored (JIS X 0208), padded with zero bytes to 80
  std::string directory;  // bytes as stored, padded with spaces to 8
  std::string fontNames;  // bytes 100-163, padded with zero bytes
};

// A catalog file: 16-byte header with the entry count (or countOverride), then the entries.
Bytes CatalogBytes(const std::vector<Entry>& entries, int countOverride = -1);

// A text file beginning with an index table of the given identifiers (start pages 2, 3, ...),
// padded to whole 2048-byte blocks (at least blocks).
Bytes TextFileBytes(const std::vector<uint8_t>& identifiers, int blocks = 2);

// Writes a disc below root: the catalog and, for each entry, dir/DATA/HONMON with textFile.
void WriteDisc(const testfiles::TempDir& root, const std::vector<Entry>& entries,
               const Bytes& textFile = TextFileBytes({0x91}));

// "ＡＢ..." as JIS bytes: the full-width form of an ASCII letter string.
std::string FullWidth(const std::string& ascii);

}  // namespace fixture

#endif  // DUNMOOR_BOOKLIB_TEST_BOOKFIXTURE_H
