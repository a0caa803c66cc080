// What every reading command does first: open the catalog at a disc root and its first
// usable book, with one library instance of the command's own.
#ifndef DUNMOOR_TOOLS_DUNMOOR_BOOKSESSION_H
#define DUNMOOR_TOOLS_DUNMOOR_BOOKSESSION_H

#include <cstdint>
#include <ostream>
#include <string>

#include "Library.h"

namespace cli {

// True with the book open; otherwise a message on err (no catalog, or no book that opens).
bool OpenFirstBook(dunmoor::Library* library, const std::string& root, std::ostream& err);

// A decimal number from the command line, 0..max; false for anything else.
bool ParseNumber(const std::string& text, uint32_t max, uint32_t* value);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_BOOKSESSION_H
