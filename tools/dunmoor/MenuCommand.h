#ifndef DUNMOOR_TOOLS_DUNMOOR_MENUCOMMAND_H
#define DUNMOOR_TOOLS_DUNMOOR_MENUCOMMAND_H

#include <ostream>
#include <string>

#include "Disc.h"

namespace cli {

// Prints "menu at POS" and the menu text (rendered as by show) of the first usable book at
// root, or "this book has no menu". Returns 0, or 1 with a message on err when the book does
// not open or cannot be read.
int RunMenu(const Disc& disc, std::ostream& out, std::ostream& err);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_MENUCOMMAND_H
