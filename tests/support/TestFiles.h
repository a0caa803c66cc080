// Small file helpers for tests: a scratch directory that removes itself, and whole-file
// reads and writes. std::filesystem only, so the same helpers serve the Windows tests.
#ifndef DUNMOOR_TESTS_SUPPORT_TESTFILES_H
#define DUNMOOR_TESTS_SUPPORT_TESTFILES_H

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace testfiles {

using Bytes = std::vector<uint8_t>;

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path; }
  // The path as the library takes it (native separators), optionally with a component.
  std::string Str(const std::string& child = "") const;

 private:
  std::filesystem::path path;
};

void WriteFile(const std::filesystem::path& path, const Bytes& bytes);
Bytes ReadFile(const std::filesystem::path& path);

// Writes a screenshot as a 24-bit BMP file (creating its folder): rgb(x, y) gives the pixel at
// (x, y) from the top left as 0xRRGGBB. False when the file cannot be written.
bool WriteBmp24(const std::filesystem::path& path, int width, int height,
                const std::function<uint32_t(int x, int y)>& rgb);

// Copies a directory tree (for tests that change a read-only book).
void CopyTree(const std::filesystem::path& from, const std::filesystem::path& to);

// Where the test books are: the ones the build makes (DUNMOOR_BOOKS_DIR) and the third-party
// ones (DUNMOOR_SHARED_BOOKS), as compiled into the test programs.
std::filesystem::path BuiltBook(const std::string& name);
std::filesystem::path SharedBook(const std::string& name);
// The text position of entry `entry` of a built book, from the map the book builder writes
// beside it (NAME.map: "entry ID text POSITION ..."); -1 when the map has no such entry.
int32_t MappedEntryPosition(const std::string& book, const std::string& entry);

}  // namespace testfiles

#endif  // DUNMOOR_TESTS_SUPPORT_TESTFILES_H
