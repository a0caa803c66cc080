// What lies under a point of the view, for the mouse cursor and for clicks, and the position of
// the headword that a followed reference reports back to the viewer.
#ifndef CALVETTA_LAYOUT_HITTEST_H
#define CALVETTA_LAYOUT_HITTEST_H

#include <cstdint>
#include <vector>

#include "ContentLayout.h"
#include "HeldText.h"
#include "LineList.h"
#include "LineRecord.h"

namespace calvetta {

// Hover kinds, as the window keeps them.
constexpr uint8_t kHoverNone = 0;
constexpr uint8_t kHoverReference = 1;
constexpr uint8_t kHoverGraphic = 2;
constexpr uint8_t kHoverSound = 3;

struct Hit {
  uint8_t kind = kHoverNone;
  const LineRecord* line = nullptr;  // the line under the point (set whenever kind is not none)
  const LinkSlot* link = nullptr;    // whose code block the click opens (set with kind)
};

// The item under client point (x, y) on the page TopLine..BottomLine. Row = topLine + y / line
// height. On that line, in this order:
//  1. link slots: hit from indent + x to indent + x + width (both ends included);
//  2. runs, over byte count x half-width: the colour decides (reference, graphic, sound); black
//     ends the search with nothing hit; other colours go on. The code block is that of the last
//     link slot of the line at or left of the run, else the last link slot of the line above
//     (a reference wrapped from there); without one nothing is hit;
//  3. external characters, over one full width, by colour as runs.
// Points left of or above the client area hit nothing. The pointers stay valid until the
// layout changes its lines.
Hit HitTest(const LineList& lines, int32_t topLine, int32_t bottomLine, const Metrics& metrics, int32_t x,
            int32_t y);
inline Hit HitTest(const ContentLayout& layout, int32_t x, int32_t y) {
  return HitTest(layout.Lines(), layout.TopLine(), layout.BottomLine(), layout.GetMetrics(), x, y);
}

// A reference, picture or sound of the page that the keyboard reaches (Tab): its line, the
// index of its link slot there, and the pixels it covers from the view's left edge (its slot and
// the text and external characters of its colour that follow the slot on the line, up to the
// next slot).
struct LinkStop {
  int32_t line = 0;
  size_t slot = 0;
  int32_t left = 0;
  int32_t right = 0;
};
// The link slots of lines topLine .. bottomLine, in reading order.
std::vector<LinkStop> LinkStops(const LineList& lines, int32_t topLine, int32_t bottomLine, const Metrics& metrics);

// Whether line begins an entry: it starts (after an indent code 1F 09 and its 2 bytes, when
// there is one) with a headword's keyword code 1F 41 01; a wrapped continuation begins none.
bool LineStartsEntry(const LineRecord& line, const HeldText& text);

// One entry at a time (ContentLayout::SetOneEntry). Going down: the lines just laid out end
// before the first one from index `from` on that starts an entry, the line before it marked as
// ending the entry; true when lines were cut. Going up: they begin at the last one that starts an
// entry, marked as beginning it; true when it was found.
bool EndBeforeNextEntry(std::vector<LineRecord>* laid, const HeldText& text, size_t from);
bool BeginAtLastEntry(std::vector<LineRecord>* laid, const HeldText& text);

// The held lines of the entry that holds line `row`: from the line that starts it (with a
// headword's keyword code 1F 41 01, after an indent code 1F 09 and its 2 bytes when there is
// one; a wrapped continuation starts nothing) up to the line before the next one that does, as
// far as the lines are held. False when row is not held.
bool EntryLines(const LineList& lines, const HeldText& text, int32_t row, int32_t* first, int32_t* last);

// The text position of the headword of the entry that holds the line starting at lineStart (a
// view position): scanning back from lineStart in 2-byte steps for a keyword code with first
// argument byte 01 (1F 41 01), including an indent code (1F 09 and 2 bytes) right before it.
// entryBase when none is held there, or the line starts outside the held text.
int32_t HeadwordPosition(const HeldText& text, int32_t entryBase, int32_t lineStart);

}  // namespace calvetta

#endif  // CALVETTA_LAYOUT_HITTEST_H
