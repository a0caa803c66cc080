#include "KeywordSearch.h"

#include <algorithm>
#include <unordered_set>

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

SearchResult RunKeywordSearch(std::vector<JisChars> words, BookState* book) {
  std::vector<HitRecord>& hits = book->Hits();
  hits.clear();
  const IndexDescriptor* index = KeywordIndexOf(book->Indexes());
  if (!index || words.empty() || words.size() > kMaxKeywords) return SearchResult::kNotFound;

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

  std::vector<HitRecord> first;
  SearchResult result = scan(words[0], &first);
  if (result != SearchResult::kFound) return result;
  // The entries of each further word, sorted for lookup.
  std::vector<std::vector<uint32_t>> others;
  std::vector<HitRecord> found;
  for (size_t w = 1; w < words.size(); ++w) {
    result = scan(words[w], &found);
    if (result != SearchResult::kFound) return result;
    std::vector<uint32_t>& entries = others.emplace_back();
    entries.reserve(found.size());
    for (const HitRecord& hit : found) entries.push_back(hit.textPosition);
    std::sort(entries.begin(), entries.end());
  }

  std::unordered_set<uint32_t> listed;
  listed.reserve(first.size());
  for (const HitRecord& hit : first) {
    bool everyWord = std::all_of(others.begin(), others.end(), [&](const std::vector<uint32_t>& entries) {
      return std::binary_search(entries.begin(), entries.end(), hit.textPosition);
    });
    if (everyWord && listed.insert(hit.textPosition).second) hits.push_back(hit);
  }
  return hits.empty() ? SearchResult::kNotFound : SearchResult::kFound;
}

}  // namespace dunmoor
