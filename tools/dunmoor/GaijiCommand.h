#ifndef DUNMOOR_TOOLS_DUNMOOR_GAIJICOMMAND_H
#define DUNMOOR_TOOLS_DUNMOOR_GAIJICOMMAND_H

#include <ostream>
#include <string>

#include "Disc.h"

namespace cli {

// Prints the external character code (hex, e.g. A121) of the first usable book at root as text:
// one line a glyph row, '#' ink and '.' paper, at the font's nominal width. kind is "narrow" or
// "wide", size 16, 24, 30, 32 or 48 (empty: 16). Returns 0; 1 with a message on err when the
// book does not open, has no font of that kind and size, or the code lies outside the font; 2
// for arguments that are not a code, a kind and a size.
int RunGaiji(const Disc& disc, const std::string& code, const std::string& kind, const std::string& size,
             std::ostream& out, std::ostream& err);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_GAIJICOMMAND_H
