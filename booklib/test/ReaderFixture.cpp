#include "ReaderFixture.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "BookFixture.h"

namespace fixture {

uint32_t TextArea::Entry(char letter, int count) {
  uint32_t at = Position();
  Raw({0x1F, 0x41, 0x01, 0x00, 0x23, static_cast<uint8_t>(letter), 0x1F, 0x61});
  Letters(letter, count);
  Raw({0x1F, 0x0A});
  return at;
}

void TextArea::Letters(char letter, int count) {
  for (int i = 0; i < count; ++i) Raw({0x23, static_cast<uint8_t>(letter)});
}

void TextArea::Raw(const Bytes& raw) { bytes.insert(bytes.end(), raw.begin(), raw.end()); }

void TextArea::PadTo(uint32_t position) {
  if (position > Position()) bytes.resize(position - 2048, 0);
}

TextBook::TextBook(const TextArea& text, std::vector<uint8_t> identifiers, int blocks) {
  size_t needed = (2048 + text.Data().size() + 2047) / 2048;
  file = TextFileBytes(identifiers, std::max<int>(blocks, static_cast<int>(needed)));
  std::copy(text.Data().begin(), text.Data().end(), file.begin() + 2048);
  WriteDisc(root, {{0x00, "", "BOOK"}}, file);
  if (lib.OpenEpwing(root.Str().c_str()) == kDunmoorSuccess) lib.BooksOpen();
}

Bytes TextBook::At(uint32_t from, uint32_t count) const {
  return Bytes(file.begin() + from, file.begin() + from + count);
}

void TextBook::SetHits(const std::vector<uint32_t>& positions) {
  std::vector<dunmoor::HitRecord>& hits = lib.Book()->Hits();
  hits.clear();
  for (uint32_t position : positions) hits.push_back({position, 0, 0});
}

SampleBook::SampleBook() {
  std::filesystem::path disc = testfiles::BuiltBook("sample");
  std::ifstream map(disc.string() + ".map");
  std::string line;
  while (std::getline(map, line)) {
    std::istringstream words(line);
    std::string kind, id, what;
    words >> kind;
    if (kind == "entry") {
      uint32_t position = 0;
      words >> id >> what >> position;
      entries[id] = position;
    } else if (kind == "menu") {
      words >> menu;
    }
  }
  if (entries.empty()) return;
  file = testfiles::ReadFile(disc / "SAMPLE" / "DATA" / "HONMON");
  std::string root = std::filesystem::path(disc).make_preferred().string();
  opened = lib.OpenEpwing(root.c_str()) == kDunmoorSuccess && lib.BooksOpen() == kDunmoorSuccess;
}

uint32_t SampleBook::EntryAfter(uint32_t position) const {
  uint32_t after = UINT32_MAX;
  for (const auto& [id, at] : entries)
    if (at > position && at < after) after = at;
  return after;
}

int32_t ReadUntilFailure(const std::function<int32_t()>& read, int32_t failed) {
  int32_t result = 0;
  for (int i = 0; i < 40; ++i) {
    result = read();
    if (result == failed) return result;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return result;
}

}  // namespace fixture
