#include "Library.h"

#include <cstring>

#include "platform/BookFile.h"

namespace dunmoor {

Library::~Library() {
  BooksClose();
  CloseEpwing();
}

int32_t Library::IsEpwBook(const char* root, char* title) {
  if (!root || !title) return kFailed;
  char found[kTitleBytes + 1];
  if (!FindFirstUsableTitle(root, found)) return kFailed;
  std::memcpy(title, found, sizeof found);
  return kSuccess;
}

int32_t Library::OpenEpwing(const char* root) {
  // No caller loads a second catalog over the first. If one does, the new catalog replaces
  // the old one only when it was read: a failed call leaves the state as it was.
  if (!root) return kFailed;
  auto loaded = std::make_unique<BookCatalog>();
  if (ReadCatalog(root, loaded.get()) != CatalogResult::kRead) return kFailed;
  catalog = std::move(loaded);
  return kSuccess;
}

void Library::CloseEpwing() { catalog.reset(); }

int32_t Library::GetBooks() const {
  return catalog && !catalog->empty() ? kSuccess : kFailed;
}

int32_t Library::GetBookInfo(int32_t index, BookInfo* info) const {
  if (!catalog || index < 0 || static_cast<size_t>(index) >= catalog->size() || !info) return kFailed;
  const CatalogRecord& record = (*catalog)[static_cast<size_t>(index)];
  if (!record.usable) return kFailed;
  info->type = record.type;
  if (info->title) std::memcpy(info->title, record.title, sizeof record.title);
  return kSuccess;
}

int32_t Library::SelectBook(int32_t index) {
  if (!catalog || index < 0 || static_cast<size_t>(index) >= catalog->size()) return kFailed;
  (*catalog)[static_cast<size_t>(index)].usable = 1;
  return kSuccess;
}

int32_t Library::BooksOpen() {
  if (!catalog) return kFailed;
  BooksClose();  // no caller opens over an open book; close the earlier one if one does
  const CatalogRecord* first = nullptr;
  size_t usable = 0;
  for (const CatalogRecord& record : *catalog) {
    if (!record.usable) continue;
    if (!first) first = &record;
    if (++usable == kMaxUsableBooks) return kFailed;
  }
  if (!first) return kFailed;

  auto opened = std::make_unique<BookState>();
  if (opened->Open(first->bookDirectory) != BookState::OpenResult::kOpened) return kFailed;
  book = std::move(opened);
  return kSuccess;
}

void Library::BooksClose() {
  if (!book) return;
  if (book->IsOpen() && !book->Close()) ShowLibraryMessage("The file is not closed");
  book.reset();
}

Library& TheLibrary() {
  static Library library;
  return library;
}

}  // namespace dunmoor
