// dunmoor sound ROOT POS OUTFILE: describes the sound whose code (1F 48 or 1F 4A) begins at
// text position POS: CD audio with its track and times (no file is written: the sound lies on
// an audio track of the disc), sound data in the book with its format codes and byte count,
// written to OUTFILE as a WAVE file (WaveFile.h).
#ifndef DUNMOOR_TOOLS_DUNMOOR_SOUNDCOMMAND_H
#define DUNMOOR_TOOLS_DUNMOOR_SOUNDCOMMAND_H

#include <ostream>
#include <string>

#include "Disc.h"

namespace cli {

int RunSound(const Disc& disc, const std::string& position, const std::string& outFile, std::ostream& out,
               std::ostream& err);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_SOUNDCOMMAND_H
