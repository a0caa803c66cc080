#include "ShelfRun_win.h"

#include <algorithm>
#include <cstring>

#include "BookTitle_win.h"
#include "HeadwordLayout.h"
#include "SearchRules.h"

namespace brisvane {

ShelfRun::ShelfRun(const BookApi& api, const std::vector<ShelfBook>& books, SearchMode mode,
                   const booktext::SearchKey& key)
    : api(api), books(books), mode(mode), key(key) {
  ticked = static_cast<int>(std::count_if(books.begin(), books.end(), [](const ShelfBook& b) { return b.ticked; }));
}

bool ShelfRun::Missing(size_t book) const { return std::find(missing.begin(), missing.end(), book) != missing.end(); }

bool ShelfRun::Step() {
  while (next < books.size() && !books[next].ticked) ++next;
  if (next >= books.size()) return false;
  const size_t at = next++;
  const ShelfBook& book = books[at];
  std::string root = ToLocalPath(book.root);
  if (root.empty() || api.OpenEpwing(root.c_str()) != kDunmoorSuccess || !api.epwBooksOpenAt ||
      api.epwBooksOpenAt(book.index) != kDunmoorSuccess) {
    ++notOpened;
    missing.push_back(at);
    return true;
  }
  if (!SearchModeControl::Offered(mode, api, true)) {
    ++noKeywords;
    return true;
  }
  int32_t count = SearchOpenBook();
  if (count < 0) {  // the disc went away while it was read
    ++notOpened;
    missing.push_back(at);
    return true;
  }
  ++searched;
  total += count;
  KeepHits(static_cast<uint32_t>(at), count);
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
