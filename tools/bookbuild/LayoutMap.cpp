#include "LayoutMap.h"

#include <cstdio>

namespace bookbuild {

namespace {

const char* const kSlotNames[kFontSlotCount] = {"wide16",   "wide24",   "wide30",   "wide48",
                                                "narrow16", "narrow24", "narrow30", "narrow48"};

std::string Position(uint32_t position) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%u (block %u offset %u)", position, position / 2048 + 1, position % 2048);
  return buf;
}

}  // namespace

const IndexLayout* BookLayout::Index(const std::string& name) const {
  for (const IndexLayout& index : indexes)
    if (index.name == name) return &index;
  return nullptr;
}

const BookLayout* LayoutMap::Book(const std::string& dirName) const {
  for (const BookLayout& book : books)
    if (book.dirName == dirName) return &book;
  return nullptr;
}

std::string LayoutMap::ToText() const {
  std::string out = "catalog " + catalogFile + "\n";
  for (const BookLayout& book : books) {
    out += "\nbook " + book.dirName + "\n";
    out += "text-file " + book.textFile + " " + std::to_string(book.textFileSize) + " bytes\n";
    for (const auto& [id, position] : book.entryText) {
      out += "entry " + id + " text " + Position(position);
      auto heading = book.entryHeading.find(id);
      if (heading != book.entryHeading.end()) out += " heading " + Position(heading->second);
      out += "\n";
    }
    if (book.menu) out += "menu " + Position(*book.menu) + "\n";
    for (const IndexLayout& index : book.indexes) {
      char id[8];
      std::snprintf(id, sizeof id, "0x%02X", index.id);
      out += "index " + index.name + " id " + id + " start-page " + std::to_string(index.startPage) +
             " records " + std::to_string(index.recordCount) + " levels";
      for (const auto& [first, last] : index.levels) out += " " + std::to_string(first) + "-" + std::to_string(last);
      out += "\n";
    }
    for (const auto& [id, data] : book.pictures)
      out += "picture " + id + " data " + Position(data.position) + " size " + std::to_string(data.size) + "\n";
    for (const auto& [id, data] : book.sounds)
      out += "sound " + id + " data " + Position(data.position) + " size " + std::to_string(data.size) + "\n";
    for (int slot = 0; slot < kFontSlotCount; ++slot)
      if (!book.fontFiles[slot].empty()) out += std::string("font ") + kSlotNames[slot] + " " + book.fontFiles[slot] + "\n";
  }
  return out;
}

}  // namespace bookbuild
