// The text a double-click on the view looks up: what follows the character under the pointer,
// as the reader sees it continue. The viewer decides where the word in it ends.
#ifndef CALVETTA_LAYOUT_WORDAT_H
#define CALVETTA_LAYOUT_WORDAT_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "ContentLayout.h"
#include "LineList.h"

namespace calvetta {

// The most characters handed out: longer than any headword a look-up finds.
constexpr size_t kWordAtCharacters = 24;

// The characters from the one under client x on line `row` (a character of a run: a point
// between or beside them gives nothing) to the end of the line, then those of the held lines
// that continue its paragraph (a word wrapped at the line's end goes on there), as Shift-JIS,
// at most `most` characters. An external character ends it (it cannot be searched for). Empty
// when the line is not held or no character lies under x.
std::string TextFromPoint(const LineList& lines, int32_t row, int32_t x, const Metrics& metrics,
                          size_t most = kWordAtCharacters);

}  // namespace calvetta

#endif  // CALVETTA_LAYOUT_WORDAT_H
