#ifndef DUNMOOR_TOOLS_DUNMOOR_BENCHOPENCOMMAND_H
#define DUNMOOR_TOOLS_DUNMOOR_BENCHOPENCOMMAND_H

#include <ostream>
#include <string>

#include "Disc.h"

namespace cli {

// repeat times: opens the catalog at root and its first usable book (timed), then closes both
// (not timed). Prints "bench-open repeat=R ns_per_open=X". Returns 0; 1 with a message on err
// when an open fails; 2 when repeat is not a number 1..1000000000.
int RunBenchOpen(const Disc& disc, const std::string& repeat, std::ostream& out, std::ostream& err);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_BENCHOPENCOMMAND_H
