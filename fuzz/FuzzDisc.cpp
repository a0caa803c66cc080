#include "FuzzDisc.h"

#include "platform/BookFile.h"

namespace fuzz {

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

// The disc is held in memory by the book file layer: no file is written or read for an input,
// and no change watch is started on it.
FuzzDisc::FuzzDisc() : root("/dunmoor-fuzz-disc") {
  dunmoor::memoryfiles::PutFolder(root + "/BOOK/GAIJI");  // no fonts until a target writes them
  UseStandardCatalog();
  WriteText(SmallTextFile());
}

void FuzzDisc::WriteCatalog(const Bytes& catalog) {
  dunmoor::memoryfiles::Put(root + "/CATALOGS", catalog);
  standardCatalog = false;
}

void FuzzDisc::UseStandardCatalog() {
  if (standardCatalog) return;
  WriteCatalog(StandardCatalog());
  standardCatalog = true;
}

void FuzzDisc::WriteText(const Bytes& text) { dunmoor::memoryfiles::Put(root + "/BOOK/DATA/HONMON", text); }

void FuzzDisc::WriteFonts(const Bytes& font) {
  for (int slot = 0; slot < 8; ++slot) {
    std::string path = root + "/BOOK/GAIJI/F" + std::to_string(slot);
    if (font.empty()) {
      dunmoor::memoryfiles::Remove(path);
    } else {
      dunmoor::memoryfiles::Put(path, font);
    }
  }
}

}  // namespace fuzz
