// A copy of a test disc to damage: the files of its first book found by name as the library
// finds them (without regard to case), and byte-level changes to them. The copy is held in
// memory by the book file layer (it is on disk too, where the library's path look-ups find its
// folders), so that the thousands of damaged books open fast.
#ifndef DUNMOOR_TESTS_DAMAGED_DAMAGEDDISC_H
#define DUNMOOR_TESTS_DAMAGED_DAMAGEDDISC_H

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "TestFiles.h"

namespace damaged {

using testfiles::Bytes;

// The discs the suite damages: the sample book and freepwing's book that the build makes, and
// the third-party books. Each is present only when the build or the checkout provides it.
std::vector<std::filesystem::path> TestDiscs();

// The same books with their files compressed (NAME.ebz), each beside the plain disc it was made
// from.
std::vector<std::pair<std::filesystem::path, std::filesystem::path>> CompressedTestDiscs();

class DamagedDisc {
 public:
  explicit DamagedDisc(const std::filesystem::path& original);
  ~DamagedDisc();
  DamagedDisc(const DamagedDisc&) = delete;
  DamagedDisc& operator=(const DamagedDisc&) = delete;

  std::string Root() const { return dir.Str(); }
  const std::filesystem::path& Catalog() const { return catalog; }
  // The text file (HONMON, or HONMON.ebz on a compressed disc).
  const std::filesystem::path& Text() const { return text; }
  // The font files of the first book's gaiji folder.
  const std::vector<std::filesystem::path>& Fonts() const { return fonts; }
  const Bytes& OriginalText() const { return originalText; }
  const Bytes& OriginalCatalog() const { return originalCatalog; }

  // Puts the original text file and catalog back.
  void Restore();
  void Write(const std::filesystem::path& file, const Bytes& bytes);
  // The file with bytes replaced at offset (cut at the file's end).
  void Patch(const std::filesystem::path& file, size_t offset, const Bytes& bytes);
  void Truncate(const std::filesystem::path& file, size_t size);

 private:
  // The bytes the library reads now.
  const Bytes& Current(const std::filesystem::path& file);

  testfiles::TempDir dir;
  std::map<std::filesystem::path, Bytes> current;
  std::filesystem::path catalog;
  std::filesystem::path text;
  std::vector<std::filesystem::path> fonts;
  Bytes originalText;
  Bytes originalCatalog;
};

// The numbers of the index pages below the start page of every word index of the text file
// (node pages followed to their children, at most limit pages).
std::vector<uint32_t> IndexPages(const Bytes& text, size_t limit);
uint32_t BigEndian32(const Bytes& b, size_t at);
void PutBigEndian32(Bytes* b, size_t at, uint32_t v);

}  // namespace damaged

#endif  // DUNMOOR_TESTS_DAMAGED_DAMAGEDDISC_H
