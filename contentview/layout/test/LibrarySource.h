// The layout's readers over a book-access library instance (native tests).
#ifndef CALVETTA_LAYOUT_TEST_LIBRARYSOURCE_H
#define CALVETTA_LAYOUT_TEST_LIBRARYSOURCE_H

#include "Library.h"
#include "TextSource.h"

namespace layouttest {

class LibrarySource : public calvetta::TextSource {
 public:
  explicit LibrarySource(dunmoor::Library* library) : library(library) {}
  int32_t GetWordCont(int32_t index, char* buffer, uint32_t size, uint32_t* length) override {
    return library->Text().GetWordCont(index, buffer, size, length);
  }
  int32_t GetWordContNext(char* buffer, uint32_t size, uint32_t* length) override {
    return library->Text().GetWordContNext(buffer, size, length);
  }
  int32_t GetWordContLast(char* buffer, uint32_t size, uint32_t* length) override {
    return library->Text().GetWordContLast(buffer, size, length);
  }
  int32_t GetContLastNoSet(char* buffer, uint32_t size, uint32_t* length) override {
    return library->Text().GetContLastNoSet(buffer, size, length);
  }
  int32_t GetLinkContent(const char* code, char* buffer, uint32_t size, uint32_t* length) override {
    return library->Links().GetLinkContent(code, buffer, size, length);
  }
  int32_t GetLinkContByPt(int32_t position, char* buffer, uint32_t size, uint32_t* length) override {
    return library->Links().GetLinkContByPt(position, buffer, size, length);
  }

 private:
  dunmoor::Library* library;
};

}  // namespace layouttest

#endif  // CALVETTA_LAYOUT_TEST_LIBRARYSOURCE_H
