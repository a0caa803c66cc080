#ifndef DUNMOOR_TOOLS_DUNMOOR_AROUNDCOMMAND_H
#define DUNMOOR_TOOLS_DUNMOOR_AROUNDCOMMAND_H

#include <ostream>
#include <string>

#include "Disc.h"

namespace cli {

// The keys of the word index around word (UTF-8, as a headword search takes it, no '*'): its
// place, count keys before it and count after it, in the index's order. Prints "keys N place P",
// then a line a key: "INDEX TEXTPOS HEADPOS KEY", INDEX from 0 (P that of the first key not
// below the word), KEY as stored (normalised) in UTF-8. 0 done; 1 with a message on err when the
// book does not open, the word cannot be typed or has a '*', the book has no index for it, or
// a read fails; 2 for a count that is no number up to 16383.
int RunAround(const Disc& disc, const std::string& word, const std::string& count, std::ostream& out,
              std::ostream& err);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_AROUNDCOMMAND_H
