#include "FuzzDisc.h"

#include <unistd.h>

#include <filesystem>
#include <memory>

#include "TestFiles.h"

namespace fuzz {

namespace fs = std::filesystem;

namespace {

void PutBigEndian16(Bytes* b, size_t at, uint32_t v) {
  (*b)[at] = static_cast<uint8_t>(v >> 8);
  (*b)[at + 1] = static_cast<uint8_t>(v);
}

void PutBigEndian32(Bytes* b, size_t at, uint32_t v) {
  PutBigEndian16(b, at, v >> 16);
  PutBigEndian16(b, at + 2, v & 0xFFFF);
}

}  // namespace

Bytes StandardCatalog() {
  Bytes c(16 + 164, 0);
  PutBigEndian16(&c, 0, 1);
  const size_t e = 16;
  c[e + 2] = 0x23;  // title "Ｂ"
  c[e + 3] = 0x42;
  const char dir[] = "BOOK    ";
  for (size_t i = 0; i < 8; ++i) c[e + 82 + i] = static_cast<uint8_t>(dir[i]);
  for (int slot = 0; slot < 8; ++slot) {
    c[e + 100 + slot * 8] = 'F';
    c[e + 100 + slot * 8 + 1] = static_cast<uint8_t>('0' + slot);
  }
  return c;
}

Bytes SmallTextFile() {
  Bytes t(3 * 2048, 0);
  PutBigEndian16(&t, 0, 2);
  t[16] = 0x01;  // menu at page 2
  PutBigEndian32(&t, 18, 2);
  t[32] = 0x91;  // as-is index at page 3
  PutBigEndian32(&t, 34, 3);
  const uint8_t menu[] = {0x1F, 0x02, 0x1F, 0x41, 0x01, 0x00, 0x23, 0x41, 0x1F, 0x61, 0x1F, 0x0A, 0x1F, 0x03};
  std::copy(menu, menu + sizeof menu, t.begin() + 2048);
  // Leaf page, last of its index, variable key length: one entry "Ａ" at the menu's keyword.
  const size_t leaf = 2 * 2048;
  t[leaf] = 0xA0;
  PutBigEndian16(&t, leaf + 2, 1);
  t[leaf + 4] = 2;
  t[leaf + 5] = 0x23;
  t[leaf + 6] = 0x41;
  PutBigEndian32(&t, leaf + 7, 2);
  PutBigEndian16(&t, leaf + 11, 2);
  PutBigEndian32(&t, leaf + 13, 2);
  PutBigEndian16(&t, leaf + 17, 6);
  return t;
}

FuzzDisc& FuzzDisc::Get() {
  static FuzzDisc disc;
  return disc;
}

namespace {

// The disc lives in memory where the system offers a memory file system: a file rewritten on
// a disk file system is flushed when it is closed (to keep its old contents safe), which would
// cost milliseconds on every input.
class DiscFolder {
 public:
  DiscFolder() {
    const fs::path shm = "/dev/shm";
    std::error_code error;
    if (fs::is_directory(shm, error)) {
      fs::path candidate = shm / ("dunmoor-fuzz-" + std::to_string(::getpid()));
      if (fs::create_directories(candidate, error) || fs::is_directory(candidate, error)) path = candidate;
    }
    if (path.empty()) {
      fallback = std::make_unique<testfiles::TempDir>();
      path = fallback->Path();
    }
  }
  ~DiscFolder() {
    std::error_code ignored;
    if (!fallback) fs::remove_all(path, ignored);
  }
  const fs::path& Path() const { return path; }

 private:
  fs::path path;
  std::unique_ptr<testfiles::TempDir> fallback;
};

}  // namespace

FuzzDisc::FuzzDisc() {
  static DiscFolder folder;  // removed when the process ends
  root = folder.Path().string();
  fs::create_directories(folder.Path() / "BOOK" / "DATA");
  fs::create_directories(folder.Path() / "BOOK" / "GAIJI");
  UseStandardCatalog();
  WriteText(SmallTextFile());
}

void FuzzDisc::WriteCatalog(const Bytes& catalog) {
  testfiles::WriteFile(fs::path(root) / "CATALOGS", catalog);
  standardCatalog = false;
}

void FuzzDisc::UseStandardCatalog() {
  if (standardCatalog) return;
  WriteCatalog(StandardCatalog());
  standardCatalog = true;
}

void FuzzDisc::WriteText(const Bytes& text) { testfiles::WriteFile(fs::path(root) / "BOOK" / "DATA" / "HONMON", text); }

void FuzzDisc::WriteFonts(const Bytes& font) {
  for (int slot = 0; slot < 8; ++slot) {
    fs::path path = fs::path(root) / "BOOK" / "GAIJI" / ("F" + std::to_string(slot));
    if (font.empty()) {
      std::error_code ignored;
      fs::remove(path, ignored);
    } else {
      testfiles::WriteFile(path, font);
    }
  }
}

}  // namespace fuzz
