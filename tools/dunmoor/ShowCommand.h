#ifndef DUNMOOR_TOOLS_DUNMOOR_SHOWCOMMAND_H
#define DUNMOOR_TOOLS_DUNMOOR_SHOWCOMMAND_H

#include <cstdint>
#include <ostream>
#include <string>

#include "Disc.h"

#include "Library.h"

namespace cli {

// Prints the entry at text position (decimal) of the first usable book at root, from there to
// its end, as EntryTextToUtf8 renders it. Returns 0; 1 with a message on err when the book does
// not open or cannot be read; 2 for a position that is not a number 0..2147483647.
int RunShow(const Disc& disc, const std::string& position, std::ostream& out, std::ostream& err);

// The entry at position of the open book, rendered, to out. 0, or 1 with a message on err.
int PrintEntry(dunmoor::Library* library, uint32_t position, std::ostream& out, std::ostream& err);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_SHOWCOMMAND_H
