// The three ways a search finds entries, and which call of the library serves each: by
// headword (the word indexes), by keyword (the keyword index, 1 to 5 words) and by any word of
// the text. The numbers are those the viewer keeps in its settings ("search", "Mode").
#ifndef SEARCH_SEARCHKIND_H
#define SEARCH_SEARCHKIND_H

#include <cstdint>

#include "BookCalls.h"

namespace search {

enum class SearchKind : int { kHeadword = 0, kKeyword = 1, kFullText = 2 };
constexpr SearchKind kSearchKinds[] = {SearchKind::kHeadword, SearchKind::kKeyword, SearchKind::kFullText};

// A kind's calls: a counted search answers with its hit count in one call; a scan is begun and
// then stepped a piece at a time (FullTextNext) until it is over.
struct KindCalls {
  int32_t libraryBit;  // what epwGetSearchModes reports for it
  int32_t (BookCalls::*count)(char* key, WordProperties* properties);  // null for a scan
  int32_t (BookCalls::*begin)(const char* key);                        // null for a counted search
  int32_t (BookCalls::*next)(WordProperties* properties);              // a scan's next piece
};

const KindCalls& CallsOf(SearchKind kind);

// Whether modes (epwGetSearchModes' bits; -1 for none) include kind.
inline bool Offers(int32_t modes, SearchKind kind) { return modes > 0 && (modes & CallsOf(kind).libraryBit) != 0; }

}  // namespace search

#endif  // SEARCH_SEARCHKIND_H
