#ifndef DUNMOOR_TOOLS_DUNMOOR_SEARCHCOMMAND_H
#define DUNMOOR_TOOLS_DUNMOOR_SEARCHCOMMAND_H

#include <ostream>
#include <string>
#include <vector>

#include "Disc.h"
#include "GaijiMap.h"
#include "SearchJob.h"
#include "SearchKey.h"
#include "SearchKind.h"

namespace cli {

// The three ways a search finds entries: by headword (the word indexes), by keyword (the
// keyword index, 1 to 5 words) and by any word of the text.
using search::SearchKind;

// The key of a search of kind from its words (UTF-8): a headword or text search takes one word,
// a keyword search 1 to 5, joined by full-width spaces. False with a message on err.
bool KeyForSearch(SearchKind kind, const std::vector<std::string>& words, booktext::SearchKey* key, std::ostream& err);

// Why calls cannot run a search of kind (its message), or empty when they can.
std::string CannotSearch(search::BookCalls& calls, SearchKind kind);

// What a search whose read failed says.
extern const char kReadFailedMessage[];

// Steps job to its end: 0, or 1 with a message on err when a read or disc check failed.
int RunToEnd(search::SearchJob& job, std::ostream& err);

// Runs the search of kind on the book of calls to its end. 0 done (*hits the count, 0 for
// none), 1 the search cannot run (no keyword index) or a read or disc check failed, with a
// message on err.
int RunSearchOn(search::BookCalls& calls, SearchKind kind, const booktext::SearchKey& key, int32_t* hits,
                std::ostream& err);

// The line of hit index of job: "INDEX TEXTPOS HEADPOS HEADING" (INDEX the hit's number in its
// book), preceded by book and a blank for a book of a shelf, the heading as UTF-8 with external
// characters as map names them. False with a message on err when the heading cannot be read.
bool PrintHit(search::SearchJob& job, int32_t index, const std::string& book, const booktext::GaijiMap& map,
              std::ostream& out, std::ostream& err);

// Searches the first usable book at root (or the one --book names), with the key the viewer
// builds ('*' first or last: suffix or prefix search of headwords). Prints "hits N", then one
// line a hit: "INDEX TEXTPOS HEADPOS HEADING", positions as decimal byte offsets, the heading as
// UTF-8. Returns 0 (also for no hit: "hits 0"), or 1 with a message on err when the catalog or
// book does not open, the word cannot be typed, the book has no keyword index, or a read or
// disc check fails; 2 for a keyword search of no word or more than 5.
int RunSearch(const Disc& disc, SearchKind kind, const std::vector<std::string>& words, std::ostream& out,
              std::ostream& err);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_SEARCHCOMMAND_H
