// The dot sizes of a book's external-character fonts (16, 24, 30, 48), and the rule by which
// a cell is drawn: from the largest font the book has that fits the cell's height, so that a
// large cell gets a finer glyph rather than a 16-dot one blown up; 16 dots whatever the cell.
#ifndef BOOKTEXT_GAIJISIZES_H
#define BOOKTEXT_GAIJISIZES_H

#include <cstdint>

namespace booktext {

// draw(size) draws the glyph from the font of that size, with a negative result when the book
// has no such font (or no such glyph in it). True when one size drew it.
template <typename Draw>
bool DrawFromLargestFittingFont(int32_t cellHeight, Draw&& draw) {
  for (uint32_t size : {48u, 30u, 24u, 16u}) {
    if (size != 16 && static_cast<int64_t>(size) > cellHeight) continue;
    if (draw(size) >= 0) return true;
  }
  return false;
}

}  // namespace booktext

#endif  // BOOKTEXT_GAIJISIZES_H
