// One search of the shelf: each ticked book opened in turn through the library's exports, the
// same search run on it (headwords, keywords or the whole text), and its hits with their
// headings kept, book by book in shelf order, each book's in its own order, up to the list's
// 32,766. A book that does not open is noted and passed over, and so is one that cannot run a
// keyword search.
//
// With a library that has book slots, each book is opened in a slot of its own (slots, by shelf
// book, 0 for none) and left open there for the caller to close; a slot already open from an
// earlier search is searched as it is. Otherwise the library's one book is switched.
#ifndef BRISVANE_VIEWER_WIN_SHELFRUN_WIN_H
#define BRISVANE_VIEWER_WIN_SHELFRUN_WIN_H

#include <cstdint>
#include <string>
#include <vector>

#include "BookApi.h"
#include "SearchKey.h"
#include "SearchModeControl_win.h"
#include "ShelfBooks.h"

namespace brisvane {

struct ShelfHit {
  uint32_t book;  // in the shelf's books
  int32_t textPosition;
  uint32_t matchPosition = 0;  // a full-text hit's word; length 0 for other hits
  uint32_t matchLength = 0;
  std::string heading;  // as epwGetWordItem gives it
};

class ShelfRun {
 public:
  ShelfRun(const BookApi& api, const std::vector<ShelfBook>& books, SearchMode mode, const booktext::SearchKey& key,
           std::vector<int32_t>* slots = nullptr);
  // Whether api has the book slots.
  static bool HasSlots(const BookApi& api);

  // Searches the next ticked book; false when every one has been.
  bool Step();
  // The ticked books, and how many of them were searched, did not open, or lack a keyword index.
  int Ticked() const { return ticked; }
  int Done() const { return searched + notOpened + noKeywords; }
  int Searched() const { return searched; }
  int NotOpened() const { return notOpened; }
  int NoKeywords() const { return noKeywords; }
  // Whether book (in the shelf) did not open in this search.
  bool Missing(size_t book) const;
  const std::vector<ShelfHit>& Hits() const { return hits; }
  // Every hit found, also those past the list's limit.
  int32_t Total() const { return total; }

 private:
  // Runs the search on the open book: its hit count, -1 when a read failed.
  int32_t SearchOpenBook();
  // Book at searched on the book the exports work on now, its hits kept: the hit count, -1 when
  // a read failed, -3 when the book cannot run the search.
  int32_t SearchHere(size_t at);
  // Book at searched in its slot, or as the library's one book: as SearchHere, or -2 when the
  // book does not open.
  int32_t SearchInSlot(size_t at, const std::string& root);
  int32_t SearchSwitching(size_t at, const std::string& root);
  // Opens book at in a slot (0 when it does not open).
  int32_t OpenSlot(size_t at, const std::string& root);
  void KeepHits(uint32_t book, int32_t count);

  const BookApi& api;
  const std::vector<ShelfBook>& books;
  std::vector<int32_t>* slots;  // null: the library's one book is switched
  SearchMode mode;
  booktext::SearchKey key;
  size_t next = 0;
  int ticked = 0, searched = 0, notOpened = 0, noKeywords = 0;
  int32_t total = 0;
  std::vector<ShelfHit> hits;
  std::vector<size_t> missing;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_SHELFRUN_WIN_H
