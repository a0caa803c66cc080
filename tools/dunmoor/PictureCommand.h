// dunmoor picture ROOT POS OUTFILE: the picture whose graphic code (1F 44 or 1F 4D) begins at
// text position POS, written to OUTFILE: a monochrome picture as a 1-bit BMP file, a colour
// picture as the stored picture file. Prints one line: kind, size, caption.
#ifndef DUNMOOR_TOOLS_DUNMOOR_PICTURECOMMAND_H
#define DUNMOOR_TOOLS_DUNMOOR_PICTURECOMMAND_H

#include <ostream>
#include <string>

#include "Disc.h"

namespace cli {

int RunPicture(const Disc& disc, const std::string& position, const std::string& outFile, std::ostream& out,
               std::ostream& err);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_PICTURECOMMAND_H
