#ifndef DUNMOOR_TOOLS_DUNMOOR_SEARCHCOMMAND_H
#define DUNMOOR_TOOLS_DUNMOOR_SEARCHCOMMAND_H

#include <ostream>
#include <string>

#include "Disc.h"

namespace cli {

// Searches word (UTF-8) in the first usable book at root, with the key the viewer builds from
// it ('*' first or last: suffix or prefix search). Prints "hits N", then one line a hit:
// "INDEX TEXTPOS HEADPOS HEADING", positions as decimal byte offsets, the heading as UTF-8.
// Returns 0 (also for no hit: "hits 0"), or 1 with a message on err when the catalog or book
// does not open, the word cannot be typed, or a read or disc check fails.
int RunSearch(const Disc& disc, const std::string& word, std::ostream& out, std::ostream& err);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_SEARCHCOMMAND_H
