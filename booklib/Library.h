// One library instance: a catalog, its open book, the reading cursor and the pending media
// requests. The design's exports (Exports.cpp) call the process-wide one (TheLibrary) and the
// readers it hands out; the slot-taking exports call the instance of a slot (BookSlot); tests
// and the command-line reader make instances of their own.
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
#include "FullTextSearch.h"
#include "GaijiFontSet.h"
#include "Images.h"
#include "MediaRequests.h"
#include "ReadCursor.h"
#include "References.h"
#include "Sound.h"
#include "TextReaders.h"
#include "WordSearch.h"

namespace dunmoor {

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
  // epwGetWordsAround; the keys themselves into *keys as well, when given.
  int32_t GetWordsAround(char* key, int32_t textPosition, int32_t count, WordProperties* properties, int32_t* place,
                         std::vector<IndexKey>* keys = nullptr);

  // The other ways in (Library.cpp; KeywordSearch.cpp, FullTextSearch.cpp); their hits replace
  // the word search's and are read the same ways.
  int32_t GetSearchModes() const;
  int32_t SearchKeywords(char* key, WordProperties* properties);
  int32_t BeginFullText(const char* key);
  int32_t NextFullText(WordProperties* properties);
  int32_t GetHitMatch(int32_t index, uint32_t* position, uint32_t* length) const;
  // Hit index as the library keeps it: its text and heading positions and, for a full-text hit,
  // where its word lies (length 0 for the other searches). 1, -2 an index outside the hits, -1
  // no open book.
  int32_t GetHit(int32_t index, DunmoorHit* hit) const;

  // The readers of the open book (each fails with -1 while none is open): the text and the
  // references over the one shared reading cursor, the pictures and the sound over the request
  // that their size call leaves for the read that follows it.
  TextReaders Text() { return TextReaders(book.get(), cursor); }
  References Links() { return References(book.get(), cursor); }
  Images Pictures() { return Images(book.get(), imageRequest); }
  Sound Sounds() { return Sound(book.get(), pcmRequest); }
  const ReadCursor& Cursor() const { return cursor; }

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
  // A search's result as the exports give it: 1 with properties filled, -1, -2.
  int32_t Reported(SearchResult result, WordProperties* properties) const;
  // The JIS characters of the open book's external characters, read from its character map the
  // first time a full-text search needs them.
  const GaijiCharacters* BookCharacters();

  std::unique_ptr<BookCatalog> catalog;
  std::unique_ptr<BookState> book;
  int32_t openIndex = -1;
  ReadCursor cursor;
  GaijiFontSet gaiji;
  ImageRequest imageRequest;
  PcmRequest pcmRequest;
  FullTextScan fullText;
  std::unique_ptr<GaijiCharacters> characters;  // of the open book, once read
};

// The instance behind the design's exports: one per process, shared by every caller that loads
// the library by name.
Library& TheLibrary();

// Books kept open in slots of their own beside it, each a Library: slot 0 is TheLibrary(),
// slots from 1 are opened and closed by the exports epwOpenBookSlot and epwCloseBookSlot
// (results as Dunmoor.h says). BookSlot gives the library of a slot, nullptr when none is open
// under that number.
Library* BookSlot(int32_t slot);
int32_t OpenBookSlot(const char* root, int32_t index);
int32_t CloseBookSlot(int32_t slot);

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_LIBRARY_H
