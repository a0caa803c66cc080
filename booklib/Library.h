// The library's process-wide state and the work behind every export. The exports (Exports.cpp)
// forward to one Library instance; tests make instances of their own.
//
// Two nested stages: a catalog loaded from a disc root (OpenEpwing .. CloseEpwing), and inside
// it at most one open book (epwBooksOpen .. epwBooksClose).
#ifndef DUNMOOR_BOOKLIB_LIBRARY_H
#define DUNMOOR_BOOKLIB_LIBRARY_H

#include <cstdint>
#include <memory>

#include "BookState.h"
#include "Catalog.h"
#include "Dunmoor.h"
#include "GaijiFontSet.h"
#include "MediaRequests.h"
#include "ReadCursor.h"

namespace dunmoor {

// Result values shared by every export.
constexpr int32_t kSuccess = 1;
constexpr int32_t kGoesOn = 0;
constexpr int32_t kFailed = -1;
constexpr int32_t kBadArgument = -2;

// More usable books than this in one catalog make the catalog unusable for opening.
constexpr size_t kMaxUsableBooks = 200;

class Library {
 public:
  Library() = default;
  ~Library();
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  static int32_t IsEpwBook(const char* root, char* title);
  int32_t OpenEpwing(const char* root);
  void CloseEpwing();
  int32_t GetBooks() const;
  int32_t GetBookInfo(int32_t index, BookInfo* info) const;
  int32_t SelectBook(int32_t index);
  int32_t BooksOpen();
  // Opens the book of catalog record index: 1, -2 for an index outside the records or an
  // unusable record, -1 when it cannot be opened. Closes an open book first.
  int32_t BooksOpenAt(int32_t index);
  void BooksClose();
  // The open book's character map file (the Unicode text of its external characters), named
  // after the book directory with ".map", beside the catalog or in the book's folder: 1 with
  // its path in path (size bytes with the zero); -2 when the book has none or the path does not
  // fit; -1 when no book is open.
  int32_t GetCharacterMap(char* path, uint32_t size) const;

  // Word search (Library.cpp, WordSearch.cpp).
  int32_t GetWordProperties(char* key, WordProperties* properties);
  int32_t GetWordItem(int32_t index, WordItem* item);

  // Text readers, references and the menu (LibraryReaders.cpp, TextReaders.cpp, References.cpp).
  int32_t GetWordCont(int32_t index, char* buffer, uint32_t size, uint32_t* length);
  int32_t GetWordContNext(char* buffer, uint32_t size, uint32_t* length);
  int32_t GetWordContLast(char* buffer, uint32_t size, uint32_t* length);
  int32_t GetContLastNoSet(char* buffer, uint32_t size, uint32_t* length);
  int32_t GetWordContent(int32_t index, char* buffer, uint32_t size, uint32_t* length);
  int32_t GetNextContentByWord(char* buffer, uint32_t size, uint32_t* length);
  int32_t GetLastContentByWord(char* buffer, uint32_t size, uint32_t* length);
  int32_t GetLinkContent(const char* code, char* buffer, uint32_t size, uint32_t* length);
  int32_t GetLinkContByPt(int32_t position, char* buffer, uint32_t size, uint32_t* length);
  int32_t GetLinkContentEntry(const char* code, char* buffer, uint32_t size, uint32_t* length);
  int32_t GetMenuHead();

  const ReadCursor& Cursor() const { return cursor; }

  // Pictures and sound (LibraryMedia.cpp, Images.cpp, Sound.cpp).
  int32_t GetImageSize(const char* code, char* caption);
  int32_t GetImage(const char* code, char* buffer, int32_t* kind);
  int32_t GetSoundProp(const char* code, uint8_t* properties);
  int32_t GetPcmSize(const char* code);
  int32_t GetPcmCont(const char* code, char* buffer);

  // External characters: the fonts of the open book (GaijiFontSet.cpp; the drawing exports
  // are in GaijiDraw_win.cpp).
  GaijiFontSet& Gaiji() { return gaiji; }

  bool HasCatalog() const { return catalog != nullptr; }
  // The open book, or nullptr.
  BookState* Book() { return book.get(); }
  // The catalog index of the open book, -1 when none is open.
  int32_t OpenBookIndex() const { return openIndex; }
  const BookCatalog* Catalog() const { return catalog.get(); }

 private:
  // False when the catalog lists too many usable books to open any; *first receives the
  // index of the first usable record (unchanged when there is none).
  bool CountUsable(int32_t* first) const;
  int32_t OpenRecord(size_t index);

  std::unique_ptr<BookCatalog> catalog;
  std::unique_ptr<BookState> book;
  int32_t openIndex = -1;
  ReadCursor cursor;
  GaijiFontSet gaiji;
  ImageRequest imageRequest;
  PcmRequest pcmRequest;
};

// The instance behind the exports: one per process, shared by every caller that loads the
// library by name.
Library& TheLibrary();

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_LIBRARY_H
