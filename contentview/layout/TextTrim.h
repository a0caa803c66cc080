// Trimming a range of held text to whole paragraphs before it is laid out. A range [start, end]
// names its pairs start, start + 2, ... below end (end is the range's last byte).
#ifndef CALVETTA_LAYOUT_TEXTTRIM_H
#define CALVETTA_LAYOUT_TEXTTRIM_H

#include <cstdint>

#include "LineBuilder.h"

namespace calvetta {

// End of a range: just after the first end code 1F 03 in it, else just after its last newline
// 1F 0A, else unchanged. (end then names the code byte of 1F 03 or 1F 0A.)
void TrimForward(const HeldText& text, int32_t start, int32_t* end);

// Start of a range laid out before text already shown: just after the last 1F 02 in it, else
// just after its first newline. Returns false (start unchanged) when the range has neither.
bool TrimBackward(const HeldText& text, int32_t* start, int32_t end);

}  // namespace calvetta

#endif  // CALVETTA_LAYOUT_TEXTTRIM_H
