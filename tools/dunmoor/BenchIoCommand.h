#ifndef DUNMOOR_TOOLS_DUNMOOR_BENCHIOCOMMAND_H
#define DUNMOOR_TOOLS_DUNMOOR_BENCHIOCOMMAND_H

#include <ostream>
#include <string>

#include "Disc.h"

namespace cli {

// The baseline that every search and heading read stands on, measured in the same way: repeat
// times each, on the first usable book at root, a disc check followed by a read of one 2048-byte
// page, of 32 pages (64 KiB), and of a 500-byte heading. Prints
// "bench-io repeat=R ns_per_page=X ns_per_32_pages=Y ns_per_heading=Z". Returns 0; 1 when the
// book cannot be opened or read; 2 for a bad repeat.
int RunBenchIo(const Disc& disc, const std::string& repeat, std::ostream& out, std::ostream& err);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_BENCHIOCOMMAND_H
