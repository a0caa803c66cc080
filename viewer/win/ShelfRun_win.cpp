#include "ShelfRun_win.h"

#include <algorithm>
#include <cstring>

#include "BookTitle_win.h"
#include "HeadwordLayout.h"
#include "SearchRules.h"

namespace brisvane {

namespace {

constexpr int32_t kReadFailed = -1;
constexpr int32_t kDoesNotOpen = -2;
constexpr int32_t kCannotSearch = -3;

// The exports work on slot while this lives, then on the library's own book again.
class SlotInUse {
 public:
  SlotInUse(const BookApi& api, int32_t slot) : api(api) { api.epwUseBookSlot(slot); }
  ~SlotInUse() { api.epwUseBookSlot(0); }
  SlotInUse(const SlotInUse&) = delete;
  SlotInUse& operator=(const SlotInUse&) = delete;

 private:
  const BookApi& api;
};

}  // namespace

ShelfRun::ShelfRun(const BookApi& api, const std::vector<ShelfBook>& books, SearchMode mode,
                   const booktext::SearchKey& key, std::vector<int32_t>* slots)
    : api(api), books(books), slots(HasSlots(api) ? slots : nullptr), mode(mode), key(key) {
  ticked = static_cast<int>(std::count_if(books.begin(), books.end(), [](const ShelfBook& b) { return b.ticked; }));
  if (this->slots) this->slots->resize(books.size(), 0);
}

bool ShelfRun::HasSlots(const BookApi& api) {
  return api.epwOpenBookSlot && api.epwUseBookSlot && api.epwCloseBookSlot;
}

int32_t ShelfRun::OpenSlot(size_t at, const std::string& root) {
  int32_t slot = root.empty() ? 0 : api.epwOpenBookSlot(root.c_str(), books[at].index);
  (*slots)[at] = slot > 0 ? slot : 0;
  return (*slots)[at];
}

int32_t ShelfRun::SearchHere(size_t at) {
  if (!SearchModeControl::Offered(mode, api, true)) return kCannotSearch;
  int32_t count = SearchOpenBook();
  if (count >= 0) KeepHits(static_cast<uint32_t>(at), count);
  return count;
}

int32_t ShelfRun::SearchInSlot(size_t at, const std::string& root) {
  int32_t& slot = (*slots)[at];
  const bool kept = slot > 0;
  if (!kept && OpenSlot(at, root) == 0) return kDoesNotOpen;
  int32_t count = 0;
  {
    SlotInUse use(api, slot);
    count = SearchHere(at);
  }
  if (count != kReadFailed || !kept) return count;
  // The book kept from the search before changed or went away since: opened again, once.
  api.epwCloseBookSlot(slot);
  if (OpenSlot(at, root) == 0) return kDoesNotOpen;
  SlotInUse use(api, slot);
  return SearchHere(at);
}

int32_t ShelfRun::SearchSwitching(size_t at, const std::string& root) {
  if (root.empty() || api.OpenEpwing(root.c_str()) != kDunmoorSuccess || !api.epwBooksOpenAt ||
      api.epwBooksOpenAt(books[at].index) != kDunmoorSuccess)
    return kDoesNotOpen;
  return SearchHere(at);
}

bool ShelfRun::Missing(size_t book) const { return std::find(missing.begin(), missing.end(), book) != missing.end(); }

bool ShelfRun::Step() {
  while (next < books.size() && !books[next].ticked) ++next;
  if (next >= books.size()) return false;
  const size_t at = next++;
  const std::string root = ToLocalPath(books[at].root);
  const int32_t count = slots ? SearchInSlot(at, root) : SearchSwitching(at, root);
  if (count == kCannotSearch) {
    ++noKeywords;
  } else if (count < 0) {  // it did not open, or the disc went away while it was read
    ++notOpened;
    missing.push_back(at);
  } else {
    ++searched;
    total += count;
  }
  return true;
}

int32_t ShelfRun::SearchOpenBook() {
  // The library normalises the key in place: each book gets a copy.
  booktext::SearchKey working = key;
  WordProperties properties = {};
  int32_t result = kDunmoorRefused;
  switch (mode) {
    case SearchMode::kHeadword:
      result = api.epwGetWordProperties(working.bytes, &properties);
      break;
    case SearchMode::kKeyword:
      result = api.epwSearchKeywords(working.bytes, &properties);
      break;
    case SearchMode::kFullText:
      result = api.epwFullTextBegin(working.bytes);
      if (result != kDunmoorSuccess) break;
      do {
        result = api.epwFullTextNext(&properties);
      } while (result == kDunmoorGoesOn);
      break;
  }
  if (result == kDunmoorFailed) return -1;
  return result == kDunmoorSuccess ? properties.hitCount : 0;
}

void ShelfRun::KeepHits(uint32_t book, int32_t count) {
  char text[kDunmoorHeadingSize] = {};
  WordItem item = {};
  item.text = text;
  char first[2];
  uint32_t length = 0;
  for (int32_t i = 0; i < count && hits.size() < static_cast<size_t>(kMaxListItems); ++i) {
    // The entry's text position: where the raw reader reads the hit from.
    int32_t position = api.GetWordCont(i, first, sizeof first, &length);
    if (position < 0 || api.epwGetWordItem(i, &item) != kDunmoorSuccess) break;
    ShelfHit hit;
    hit.book = book;
    hit.textPosition = position;
    hit.heading.assign(text, HeadwordLength(text, sizeof text));
    if (mode == SearchMode::kFullText && api.epwGetHitMatch)
      api.epwGetHitMatch(i, &hit.matchPosition, &hit.matchLength);
    hits.push_back(std::move(hit));
  }
}

}  // namespace brisvane
