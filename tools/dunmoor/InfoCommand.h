#ifndef DUNMOOR_TOOLS_DUNMOOR_INFOCOMMAND_H
#define DUNMOOR_TOOLS_DUNMOOR_INFOCOMMAND_H

#include <ostream>
#include <string>

#include "Disc.h"

namespace cli {

// Prints the catalog of the disc at root and the index table of the book that opens first.
// Returns the process exit code: 0, or 1 when root holds no readable catalog.
int RunInfo(const Disc& disc, std::ostream& out, std::ostream& err);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_INFOCOMMAND_H
