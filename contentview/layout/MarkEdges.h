// Character edges of a laid-out line, in client pixels, for marking text with the mouse.
//
// An edge is the pixel just left of a character cell: a cell that starts at x has its edge at
// x - 1. Marks run from one edge to another, so a mark never covers part of a character.
//
// Character cells follow the layout's own advances (LineBuilder): a narrow run's character is
// half-width wide, a wide run's full-width; in bold, narrow characters gain one bold widening and
// wide characters two. External characters are full-width cells (half-width in narrow text),
// icons full-width.
#ifndef CALVETTA_LAYOUT_MARKEDGES_H
#define CALVETTA_LAYOUT_MARKEDGES_H

#include <cstddef>
#include <climits>
#include <cstdint>

#include "ContentLayout.h"
#include "LineRecord.h"

namespace calvetta {

// No edge: the line is not held. (Edges themselves are never below -1.)
constexpr int32_t kNoEdge = INT32_MIN;

// Width in pixels of one character of run.
int32_t RunCharacterWidth(const TextRun& run, const Metrics& metrics);
// Bytes of one character of run: 1 in narrow runs, 2 in wide runs.
inline size_t RunCharacterBytes(const TextRun& run) { return run.narrow ? 1 : 2; }
// Width in pixels of the whole run.
int32_t RunWidth(const TextRun& run, const Metrics& metrics);

// The edge right of the line's last item (the largest right edge of the last run, the last
// external character and the last icon, plus the indent, minus 1).
int32_t LineRightEnd(const LineRecord& line, const Metrics& metrics);
// The edge left of the line's first item: the smallest of the first run's x, the first external
// character's x and the first icon's right edge, a kind the line lacks counting as 0; plus the
// indent, minus 1.
int32_t LineLeftStart(const LineRecord& line, const Metrics& metrics);
// The character edge nearest left of x on line (null: kNoEdge). Points beyond the line's ends
// snap to them; a point on a run to the edge of the character under it; on an external
// character or an icon to its left edge; anywhere else to indent - 1.
int32_t SnapToEdge(const LineRecord* line, int32_t x, const Metrics& metrics);

// The client x of the first pixel of the character at view position `position` on line, with
// its width in *width; kNoEdge when no run of the line holds a character that begins there.
int32_t CellOfPosition(const LineRecord& line, int32_t position, const Metrics& metrics, int32_t* width);

}  // namespace calvetta

#endif  // CALVETTA_LAYOUT_MARKEDGES_H
