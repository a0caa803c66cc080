// Lays out one range of held text into LineRecords: the character, wrapping and control-code
// rules of the view. Used by ContentLayout; stateless between calls (the layout state starts
// afresh for every range).
#ifndef CALVETTA_LAYOUT_LINEBUILDER_H
#define CALVETTA_LAYOUT_LINEBUILDER_H

#include <cstdint>
#include <vector>

#include "ContentLayout.h"
#include "HeldText.h"
#include "LineRecord.h"

namespace calvetta {

// How a range ended.
enum class RangeEnd {
  kRangeDone,  // the range was used up; a line in progress was not kept
  kEndCode,    // an end code (1F 03) ended the text; the last line carries end mark 1
  kTooLong,    // the range is longer than kMaxLayoutRange: nothing was laid out
};

// Lays out [a, b): pairs starting at a, a + 2, ... below b (b is the last byte of the range).
// `out` is cleared first. Line numbers are left 0.
RangeEnd BuildLines(const HeldText& text, int32_t a, int32_t b, const Metrics& metrics,
                    int32_t usableWidth, std::vector<LineRecord>* out);

// The small form of a large hiragana or katakana (rows 0x24 and 0x25), or the code unchanged.
uint16_t SmallKana(uint16_t jis);

}  // namespace calvetta

#endif  // CALVETTA_LAYOUT_LINEBUILDER_H
