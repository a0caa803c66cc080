// Where the builder put things: what tests assert against and corrupt, and what the program
// prints with --map. Positions are byte offsets into the book's text file; paths are relative
// to the disc root and '/'-separated.
#ifndef DUNMOOR_TOOLS_BOOKBUILD_LAYOUTMAP_H
#define DUNMOOR_TOOLS_BOOKBUILD_LAYOUTMAP_H

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "BookModel.h"

namespace bookbuild {

struct IndexLayout {
  std::string name;
  uint8_t id = 0;
  uint32_t startPage = 0;
  std::vector<std::pair<uint32_t, uint32_t>> levels;  // first and last page, top level first
  size_t recordCount = 0;
  // The leaf pages are the last level.
  std::pair<uint32_t, uint32_t> Leaves() const { return levels.back(); }
  size_t NodeLevels() const { return levels.size() - 1; }
};

struct DataLayout {
  uint32_t position = 0;
  uint32_t size = 0;
};

struct BookLayout {
  std::string dirName;
  std::string textFile;  // path of the text file
  uint32_t textFileSize = 0;
  std::map<std::string, uint32_t> entryText;     // entry ID -> position of its first byte
  std::map<std::string, uint32_t> entryHeading;  // entry ID -> position of its heading
  std::vector<IndexLayout> indexes;              // descriptor order
  std::optional<uint32_t> menu;
  std::map<std::string, DataLayout> pictures;    // data position (colour: of the 8-byte header)
  std::map<std::string, DataLayout> sounds;
  std::array<std::string, kFontSlotCount> fontFiles;  // empty when the slot has no font

  const IndexLayout* Index(const std::string& name) const;
};

struct LayoutMap {
  std::string catalogFile;
  std::vector<BookLayout> books;

  const BookLayout* Book(const std::string& dirName) const;
  std::string ToText() const;
};

}  // namespace bookbuild

#endif  // DUNMOOR_TOOLS_BOOKBUILD_LAYOUTMAP_H
