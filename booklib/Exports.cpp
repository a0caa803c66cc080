// The exported functions, under their plain names (Dunmoor.def). Each forwards to the
// process-wide Library; no exception leaves the library (an allocation failure becomes the
// export's failure result).
#include "Dunmoor.h"
#include "Library.h"

using dunmoor::TheLibrary;

namespace {

template <typename Work>
int32_t Guarded(Work work) {
  try {
    return work();
  } catch (...) {
    return dunmoor::kFailed;
  }
}

template <typename Work>
void GuardedVoid(Work work) {
  try {
    work();
  } catch (...) {
  }
}

}  // namespace

extern "C" {

int32_t IsEpwBook(const char* root, char* title) {
  return Guarded([&] { return dunmoor::Library::IsEpwBook(root, title); });
}

int32_t OpenEpwing(const char* root) {
  return Guarded([&] { return TheLibrary().OpenEpwing(root); });
}

void CloseEpwing(void) {
  GuardedVoid([] { TheLibrary().CloseEpwing(); });
}

int32_t epwGetBooks(void) {
  return Guarded([] { return TheLibrary().GetBooks(); });
}

int32_t epwGetBookInfo(int32_t index, BookInfo* info) {
  return Guarded([&] { return TheLibrary().GetBookInfo(index, info); });
}

int32_t epwSelectBook(int32_t index) {
  return Guarded([&] { return TheLibrary().SelectBook(index); });
}

int32_t epwBooksOpen(void) {
  return Guarded([] { return TheLibrary().BooksOpen(); });
}

void epwBooksClose(void) {
  GuardedVoid([] { TheLibrary().BooksClose(); });
}

}  // extern "C"
