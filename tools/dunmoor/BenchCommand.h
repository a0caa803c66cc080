#ifndef DUNMOOR_TOOLS_DUNMOOR_BENCHCOMMAND_H
#define DUNMOOR_TOOLS_DUNMOOR_BENCHCOMMAND_H

#include <cstdint>
#include <ostream>
#include <string>

#include "Disc.h"
#include "SearchCommand.h"

namespace cli {

// Opens the first usable book at root once, then repeat times searches word (the key built as
// for search, copied fresh for every search since the library normalises it in place; a
// keyword search takes the words of word, separated by blanks; a text search scans the whole
// text each time) and
// reads the headings of the first `headings` hits. Prints
// "bench hits=N repeat=R ns_per_search=X", X the mean time of one search with its headings.
// Returns 0; 1 with a message on err when the book does not open or a read fails; 2 for
// numbers that are not decimal (repeat 1..1000000000, headings 0..1000000000).
// REPEAT (1..1000000000) and HEADINGS (0..1000000000) of a bench command; false with a message
// on err (exit status 2).
bool ParseBenchCounts(const std::string& repeatText, const std::string& headingsText, uint32_t* repeat,
                      uint32_t* headings, std::ostream& err);

int RunBench(const Disc& disc, SearchKind kind, const std::string& word, const std::string& repeat,
             const std::string& headings, std::ostream& out, std::ostream& err);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_BENCHCOMMAND_H
