// The calls of the book-access library that a search makes on one book, as the exports of
// Dunmoor.h name them: the viewer reaches the library's own book through the design's exports
// and a book held in a slot through the slot-taking ones (ExportCalls.h); the command-line
// reader calls a library instance of its own. Results as Dunmoor.h gives them.
#ifndef SEARCH_BOOKCALLS_H
#define SEARCH_BOOKCALLS_H

#include <cstdint>

#include "Dunmoor.h"

namespace search {

class BookCalls {
 public:
  virtual ~BookCalls() = default;
  // The searches the book offers (kDunmoor...Search bits), -1 without a book.
  virtual int32_t SearchModes() = 0;
  virtual int32_t GetWordProperties(char* key, WordProperties* properties) = 0;
  virtual int32_t SearchKeywords(char* key, WordProperties* properties) = 0;
  virtual int32_t FullTextBegin(const char* key) = 0;
  virtual int32_t FullTextNext(WordProperties* properties) = 0;
  virtual int32_t GetWordItem(int32_t index, WordItem* item) = 0;
  virtual int32_t GetHit(int32_t index, DunmoorHit* hit) = 0;
  // epwGetWordsAround (key, textPosition, count, properties, place); a library without it has
  // no keys to give.
  virtual int32_t GetWordsAround(char*, int32_t, int32_t, WordProperties*, int32_t*) { return kDunmoorRefused; }
};

}  // namespace search

#endif  // SEARCH_BOOKCALLS_H
