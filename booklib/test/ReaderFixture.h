// Books for the reader tests: text files made byte by byte (each test shows the layout it reads),
// and the sample book that the build makes, with the positions its map gives.
#ifndef DUNMOOR_BOOKLIB_TEST_READERFIXTURE_H
#define DUNMOOR_BOOKLIB_TEST_READERFIXTURE_H

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "Library.h"
#include "TestFiles.h"

namespace fixture {

using testfiles::Bytes;

// Text from position 2048 (block 2) on, built piece by piece.
class TextArea {
 public:
  // Position of the next byte appended.
  uint32_t Position() const { return 2048 + static_cast<uint32_t>(bytes.size()); }
  // An entry: keyword 1F 41 01 00 with one full-width letter, 1F 61, then count full-width
  // letters and a newline 1F 0A. Returns its position.
  uint32_t Entry(char letter, int count);
  // count full-width letters.
  void Letters(char letter, int count);
  void Raw(const Bytes& raw);
  // Zero bytes up to position.
  void PadTo(uint32_t position);
  const Bytes& Data() const { return bytes; }

 private:
  Bytes bytes;
};

// A disc with one book (directory BOOK) whose text file is an index table of the given identifiers
// in block 1 (start pages 2, 3, ...) and the text area from 2048, padded with zero bytes to whole
// blocks, at least blocks of them. The book is opened by lib.
class TextBook {
 public:
  explicit TextBook(const TextArea& text, std::vector<uint8_t> identifiers = {0x91}, int blocks = 2);

  dunmoor::Library& Lib() { return lib; }
  const Bytes& File() const { return file; }
  // The bytes of the text file at [from, from + count).
  Bytes At(uint32_t from, uint32_t count) const;
  std::filesystem::path DataDir() const { return root.Path() / "BOOK" / "DATA"; }
  // Replaces the hit list by hits at these text positions.
  void SetHits(const std::vector<uint32_t>& positions);

 private:
  testfiles::TempDir root;
  Bytes file;
  dunmoor::Library lib;
};

// The sample book made by the build (books/sample), opened, with its map.
struct SampleBook {
  SampleBook();
  bool opened = false;
  dunmoor::Library lib;
  std::map<std::string, uint32_t> entries;  // entry ID -> text position
  uint32_t menu = 0;
  Bytes file;  // the text file
  // Position of the entry that follows the one at position in text order.
  uint32_t EntryAfter(uint32_t position) const;
  Bytes At(uint32_t from, uint32_t count) const { return Bytes(file.begin() + from, file.begin() + from + count); }
};

// Buffers with a fill byte, so that tests see which bytes a reader wrote.
inline std::vector<char> Filled(size_t size, char fill = '\x5A') { return std::vector<char>(size, fill); }
// The parts one after another.
inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}
// A code block as a caller copies it: the code, then zero bytes up to 512.
inline std::vector<char> Block(const Bytes& code) {
  std::vector<char> block(code.begin(), code.end());
  block.resize(512, 0);
  return block;
}
inline Bytes Head(const std::vector<char>& buffer, uint32_t length) {
  return Bytes(buffer.begin(), buffer.begin() + length);
}

// The change watch reports through the system, which may take a moment (under Wine it does):
// read is called until it returns failed, for up to two seconds; the last result is returned.
int32_t ReadUntilFailure(const std::function<int32_t()>& read, int32_t failed);

}  // namespace fixture

#endif  // DUNMOOR_BOOKLIB_TEST_READERFIXTURE_H
