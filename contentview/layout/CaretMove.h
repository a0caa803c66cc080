// The keyboard's caret in the view's text: it stands on a character edge (MarkEdges.h) of a held
// line and moves over the characters as the arrow keys, Home and End ask; Shift extends a mark
// from where the caret stood to where it goes.
//
// Left and right step over one character, from a line's start to the end of the line before and
// from its end to the start of the next; up and down keep the caret's x on the neighbouring line
// (snapped to its nearest edge on the left). Portable: the window draws the caret and scrolls.
#ifndef CALVETTA_LAYOUT_CARETMOVE_H
#define CALVETTA_LAYOUT_CARETMOVE_H

#include <cstdint>
#include <vector>

#include "ContentLayout.h"
#include "LineList.h"
#include "LineRecord.h"

namespace calvetta {

struct CaretPlace {
  int32_t row = 0;   // line number
  int32_t edge = 0;  // character edge on that line
  bool operator==(const CaretPlace& other) const { return row == other.row && edge == other.edge; }
};

enum class CaretStep { kLeft, kRight, kLineStart, kLineEnd, kUp, kDown };

// Whether step goes towards the text's beginning.
inline bool StepsBack(CaretStep step) {
  return step == CaretStep::kLeft || step == CaretStep::kLineStart || step == CaretStep::kUp;
}

// Every character edge of line from its left start to its right end, left to right, each once.
std::vector<int32_t> LineEdges(const LineRecord& line, const Metrics& metrics);

// The caret at the start of line `row` (false when it is not held).
bool CaretAtLineStart(const LineList& lines, const Metrics& metrics, int32_t row, CaretPlace* caret);

// One step of caret over the held lines. False (caret unchanged) when its line is not held or the
// step would leave the held lines.
bool MoveCaret(const LineList& lines, const Metrics& metrics, CaretStep step, CaretPlace* caret);

}  // namespace calvetta

#endif  // CALVETTA_LAYOUT_CARETMOVE_H
