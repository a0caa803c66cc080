// The related forms of search and bench: a headword search for a word as running text holds it
// (search::RelatedJob): the search as typed, then the hits of its related words (the other kana,
// kanji variants, dictionary forms, the beginning of a phrase), each line saying how it was found.
#ifndef DUNMOOR_TOOLS_DUNMOOR_RELATEDCOMMAND_H
#define DUNMOOR_TOOLS_DUNMOOR_RELATEDCOMMAND_H

#include <ostream>
#include <string>

#include "Disc.h"

namespace cli {

// search --related ROOT WORD: "hits N", then one line a hit in the viewer's order:
// "INDEX TEXTPOS HEADPOS HOW HEADING", INDEX the hit's number in the list, HOW "exact" for the
// search as typed, else the relation and the word: "kana:かき", "variant:学校",
// "deinflected:食べる", "leading:学校". Exit status as for search.
int RunRelatedSearch(const Disc& disc, const std::string& word, std::ostream& out, std::ostream& err);

// search --related --shelf FILE WORD: the same on every book of a shelf file, the book first on
// each line as search --shelf prints it; the books' own hits first, then the related ones.
int RunRelatedShelfSearch(const std::string& path, const std::string& word, std::ostream& out, std::ostream& err);

// bench --related ROOT WORD REPEAT HEADINGS: "bench hits=N searches=S repeat=R ns_per_search=X
// ns_per_exact=Y", X the mean time of the whole related lookup with its first HEADINGS
// headings, S the exact searches one lookup makes, Y the mean time of one exact search of the
// word as typed in the same run.
int RunRelatedBench(const Disc& disc, const std::string& word, const std::string& repeat, const std::string& headings,
                    std::ostream& out, std::ostream& err);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_RELATEDCOMMAND_H
