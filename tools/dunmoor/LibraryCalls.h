// The calls a search makes on a book (search::BookCalls) on a library instance of the command's
// own, linked in.
#ifndef DUNMOOR_TOOLS_DUNMOOR_LIBRARYCALLS_H
#define DUNMOOR_TOOLS_DUNMOOR_LIBRARYCALLS_H

#include "BookCalls.h"
#include "Library.h"

namespace cli {

class LibraryCalls : public search::BookCalls {
 public:
  explicit LibraryCalls(dunmoor::Library& library) : library(library) {}
  int32_t SearchModes() override { return library.GetSearchModes(); }
  int32_t GetWordProperties(char* key, WordProperties* properties) override {
    return library.GetWordProperties(key, properties);
  }
  int32_t SearchKeywords(char* key, WordProperties* properties) override {
    return library.SearchKeywords(key, properties);
  }
  int32_t FullTextBegin(const char* key) override { return library.BeginFullText(key); }
  int32_t FullTextNext(WordProperties* properties) override { return library.NextFullText(properties); }
  int32_t GetWordItem(int32_t index, WordItem* item) override { return library.GetWordItem(index, item); }
  int32_t GetHit(int32_t index, DunmoorHit* hit) override { return library.GetHit(index, hit); }
  int32_t GetWordsAround(char* key, int32_t textPosition, int32_t count, WordProperties* properties,
                         int32_t* place) override {
    return library.GetWordsAround(key, textPosition, count, properties, place);
  }

 private:
  dunmoor::Library& library;
};

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_LIBRARYCALLS_H
