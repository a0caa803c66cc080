// BookCalls over the exports of Dunmoor.dll as a caller binds them (DunmoorExports): the
// library's own book through the design's exports, and a book held in a slot through the
// slot-taking ones. An export the bound library lacks answers as a book that cannot do it.
#ifndef SEARCH_EXPORTCALLS_H
#define SEARCH_EXPORTCALLS_H

#include "BookCalls.h"
#include "SearchKind.h"

namespace search {

// The searches the bound library can run at all, whatever book is open (kDunmoor...Search bits).
int32_t LibraryModes(const DunmoorExports& api);

class OwnBookCalls : public BookCalls {
 public:
  explicit OwnBookCalls(const DunmoorExports& api) : api(api) {}
  int32_t SearchModes() override;
  int32_t GetWordProperties(char* key, WordProperties* properties) override;
  int32_t SearchKeywords(char* key, WordProperties* properties) override;
  int32_t FullTextBegin(const char* key) override;
  int32_t FullTextNext(WordProperties* properties) override;
  int32_t GetWordItem(int32_t index, WordItem* item) override;
  // Only the match is known of the library's own hits to a library without epwSlotGetHit.
  int32_t GetHit(int32_t index, DunmoorHit* hit) override;
  int32_t GetWordsAround(char* key, int32_t textPosition, int32_t count, WordProperties* properties,
                         int32_t* place) override;

 private:
  const DunmoorExports& api;
};

class SlotBookCalls : public BookCalls {
 public:
  SlotBookCalls(const DunmoorExports& api, int32_t slot) : api(api), slot(slot) {}
  int32_t Slot() const { return slot; }
  int32_t SearchModes() override;
  int32_t GetWordProperties(char* key, WordProperties* properties) override;
  int32_t SearchKeywords(char* key, WordProperties* properties) override;
  int32_t FullTextBegin(const char* key) override;
  int32_t FullTextNext(WordProperties* properties) override;
  int32_t GetWordItem(int32_t index, WordItem* item) override;
  int32_t GetHit(int32_t index, DunmoorHit* hit) override;
  int32_t GetWordsAround(char* key, int32_t textPosition, int32_t count, WordProperties* properties,
                         int32_t* place) override;

  // Whether api has the slots and their calls.
  static bool Bound(const DunmoorExports& api);

 private:
  const DunmoorExports& api;
  int32_t slot;
};

}  // namespace search

#endif  // SEARCH_EXPORTCALLS_H
