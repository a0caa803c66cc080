#include "KeywordSearch.h"

#include <algorithm>

namespace dunmoor {

const IndexDescriptor* KeywordIndexOf(const std::vector<IndexDescriptor>& indexes) {
  const IndexDescriptor* index = FindIndex(indexes, kKeywordIndex);
  return index && index->StartPage() >= 1 ? index : nullptr;
}

std::vector<JisChars> KeywordsOf(const JisChars& key) {
  std::vector<JisChars> words(1);
  for (uint16_t c : key) {
    if (c == kFullWidthSpace) {
      if (!words.back().empty()) words.emplace_back();
    } else if (c != kWildcard) {
      words.back().push_back(c);
    }
  }
  if (words.back().empty()) words.pop_back();
  return words;
}

namespace {

// A set of text positions (never UINT32_MAX) with open addressing: thousands of entries a
// search, where a node-based set would spend more time allocating than the search takes.
class PositionSet {
 public:
  // slots: storage of the caller's, reused from search to search.
  PositionSet(size_t expected, std::vector<uint32_t>* slots) : slots(*slots) {
    size_t size = 16;
    while (size < expected * 2) size *= 2;
    this->slots.assign(size, kEmpty);
    mask = size - 1;
  }
  // True when position was not there yet.
  bool Insert(uint32_t position) {
    for (size_t at = Hash(position);; at = (at + 1) & mask) {
      if (slots[at] == position) return false;
      if (slots[at] == kEmpty) {
        slots[at] = position;
        return true;
      }
    }
  }
  bool Contains(uint32_t position) const {
    for (size_t at = Hash(position);; at = (at + 1) & mask) {
      if (slots[at] == position) return true;
      if (slots[at] == kEmpty) return false;
    }
  }

 private:
  static constexpr uint32_t kEmpty = UINT32_MAX;
  size_t Hash(uint32_t position) const { return (position * 0x9E3779B1u >> 7) & mask; }

  std::vector<uint32_t>& slots;
  size_t mask = 0;
};

}  // namespace

SearchResult RunKeywordSearch(std::vector<JisChars> words, BookState* book) {
  std::vector<HitRecord>& hits = book->Hits();
  hits.clear();
  const IndexDescriptor* index = KeywordIndexOf(book->Indexes());
  if (!index || words.empty() || words.size() > kDunmoorMostKeywords) return SearchResult::kNotFound;

  // Every word is a prefix search of the index, its key normalised as a headword's would be.
  auto scan = [&](JisChars& word, std::vector<HitRecord>* found) {
    if (!(word.size() == 1 && word[0] == kLongVowelMark)) NormalizeKey(*index, &word);
    PreparedSearch search;
    search.mode = SearchMode::kPrefix;
    search.index = index;
    search.key = word;
    search.typed = word;
    return ScanIndex(search, book, found);
  };

  // The first word's hits go straight into the hit list, which is then thinned in place.
  SearchResult result = scan(words[0], &hits);
  if (result != SearchResult::kFound) return result;
  // The entries of each further word.
  std::vector<PositionSet> others;
  others.reserve(words.size());
  std::vector<HitRecord>& found = book->ScratchHits();
  for (size_t w = 1; w < words.size(); ++w) {
    result = scan(words[w], &found);
    if (result != SearchResult::kFound) {
      hits.clear();
      return result;
    }
    PositionSet& entries = others.emplace_back(found.size(), &book->ScratchSlots(w));
    for (const HitRecord& hit : found) entries.Insert(hit.textPosition);
  }

  PositionSet listed(hits.size(), &book->ScratchSlots(0));
  size_t kept = 0;
  for (const HitRecord& hit : hits) {
    bool everyWord = std::all_of(others.begin(), others.end(),
                                 [&](const PositionSet& entries) { return entries.Contains(hit.textPosition); });
    if (everyWord && listed.Insert(hit.textPosition)) hits[kept++] = hit;
  }
  hits.resize(kept);
  return hits.empty() ? SearchResult::kNotFound : SearchResult::kFound;
}

}  // namespace dunmoor
