// Every export of the book-access library, run once over a disc, each result checked against
// the values its contract allows (gtest failures name the call). What came back is returned so
// that a test can also expect the exact value its damage calls for.
#ifndef DUNMOOR_TESTS_DAMAGED_EXPORTSWEEP_H
#define DUNMOOR_TESTS_DAMAGED_EXPORTSWEEP_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace damaged {

struct SweepResult {
  int32_t isBook = 0;
  int32_t openCatalog = 0;
  int32_t books = 0;
  int32_t bookInfo = 0;  // index 0
  int32_t openBook = 0;
  int32_t menu = 0;
  std::map<std::string, int32_t> searches;  // key (as UTF-8 in the test) -> result
  int32_t hitsRead = 0;                     // hits whose heading and text were read
  std::vector<int32_t> imageSizes;          // epwGetImageSize of every graphic code of the text
  std::vector<int32_t> pcmSizes;            // epwGetPcmSize of every 1F 4A sound-data code
  std::map<int, std::vector<int32_t>> glyphs;  // font slot -> ReadGlyph of its first codes
};

// root: the disc. Runs everything on a library instance of its own.
SweepResult SweepExports(const std::string& root);

}  // namespace damaged

#endif  // DUNMOOR_TESTS_DAMAGED_EXPORTSWEEP_H
