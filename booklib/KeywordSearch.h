// Keyword search: entries found by the words of the book's keyword index (identifier 0x80, the
// pages of a word index). Each word is normalised by the index's style as a typed headword is
// and matches every key that begins with it; an entry is a hit when every word matches one of
// its keys. Hits come once each, in the order the index lists the first word's matches.
#ifndef DUNMOOR_BOOKLIB_KEYWORDSEARCH_H
#define DUNMOOR_BOOKLIB_KEYWORDSEARCH_H

#include <vector>

#include "BookState.h"
#include "Dunmoor.h"
#include "KeyNormalizer.h"
#include "WordSearch.h"

namespace dunmoor {

// The book's keyword index, or nullptr when it has none that can be searched.
const IndexDescriptor* KeywordIndexOf(const std::vector<IndexDescriptor>& indexes);

// The words of a key: split at full-width spaces, with wildcards taken out; empty words dropped.
std::vector<JisChars> KeywordsOf(const JisChars& key);

// Fills book->Hits() (emptied first). kNotFound also without a keyword index, without words
// or with more than kDunmoorMostKeywords of them.
SearchResult RunKeywordSearch(std::vector<JisChars> words, BookState* book);

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_KEYWORDSEARCH_H
