// Catalog bytes as the disc's catalog file: every catalog export must answer with its
// documented result, and a book opened from it must close again.
#include <cstring>

#include "FuzzDisc.h"
#include "FuzzTargets.h"
#include "Library.h"

namespace fuzz {

int FuzzCatalog(const uint8_t* data, size_t size) {
  FuzzDisc& disc = FuzzDisc::Get();
  disc.WriteCatalog(Bytes(data, data + size));
  const std::string root = disc.Root();

  char title[kDunmoorTitleSize + 8];
  std::memset(title, 0x5A, sizeof title);
  int32_t isBook = dunmoor::Library::IsEpwBook(root.c_str(), title);
  FUZZ_CHECK(isBook == 1 || isBook == -1);
  if (isBook == 1) FUZZ_CHECK(title[80] == '\0' && title[kDunmoorTitleSize] == 0x5A);
  FUZZ_CHECK(dunmoor::Library::IsEpwBook((root + "/").c_str(), title) == isBook);

  dunmoor::Library lib;
  int32_t opened = lib.OpenEpwing(root.c_str());
  FUZZ_CHECK(opened == 1 || opened == -1);
  if (opened != 1) {
    FUZZ_CHECK(lib.GetBooks() == -1 && lib.BooksOpen() == -1);
    return 0;
  }
  size_t records = lib.Catalog()->size();
  FUZZ_CHECK(records <= 0xFFFF);
  FUZZ_CHECK(lib.GetBooks() == (records > 0 ? 1 : -1));
  // The first usable record is what IsEpwBook reports (it reads entries as far as needed).
  bool anyUsable = false;
  for (int32_t i = -1; i <= static_cast<int32_t>(records) && i < 300; ++i) {
    char infoTitle[kDunmoorTitleSize];
    BookInfo info{0, infoTitle};
    int32_t result = lib.GetBookInfo(i, &info);
    FUZZ_CHECK(result == 1 || result == -1);
    if (result == 1) {
      FUZZ_CHECK(infoTitle[80] == '\0');
      anyUsable = true;
    }
  }
  FUZZ_CHECK(anyUsable == (isBook == 1) || records >= 300);
  FUZZ_CHECK(lib.SelectBook(static_cast<int32_t>(records)) == -1);
  FUZZ_CHECK(lib.SelectBook(-1) == -1);

  int32_t book = lib.BooksOpen();
  FUZZ_CHECK(book == 1 || book == -1);
  if (book == -1 && records > 0) {
    // A record marked usable by hand opens the same way as one usable by type.
    FUZZ_CHECK(lib.SelectBook(0) == 1);
    book = lib.BooksOpen();
    FUZZ_CHECK(book == 1 || book == -1);
  }
  if (book == 1) {
    int32_t menu = lib.Links().GetMenuHead();
    FUZZ_CHECK(menu >= 0 || menu == -2);
    char key[] = "\x23\x41";
    WordProperties properties{};
    int32_t found = lib.GetWordProperties(key, &properties);
    FUZZ_CHECK(found == 1 || found == -2 || found == -1);
  }
  lib.BooksClose();
  FUZZ_CHECK(lib.Links().GetMenuHead() == -1);
  lib.CloseEpwing();
  FUZZ_CHECK(lib.GetBooks() == -1);
  return 0;
}

}  // namespace fuzz
