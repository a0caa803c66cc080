// The marks of the content view: text marked by dragging with the left mouse button, kept as up
// to 256 line segments (one per marked line: its line number and a left and right character
// edge, MarkEdges.h), and the marked text extracted from them as Shift-JIS.
//
// Segments run from the anchor (where the drag started) outward: a downward drag lists its lines
// top to bottom, an upward drag bottom to top. The segments in use are a prefix of the 256; a
// segment that a drag no longer covers keeps its line with left = right = 0 (nothing marked), so
// that the window can still take its old extent off the screen. A drag reaches at most 74 lines
// from its anchor.
//
// Extracted text, per segment: the characters of the line's runs between the two edges (wide runs
// converted from JIS X 0208 to Shift-JIS, narrow runs as they are; external characters and icons
// give nothing; the clipboard's pieces hold the external characters too), then CR LF when the segment reaches the line's right end and the next line is
// held and starts a paragraph (a wrapped line continues its paragraph: no break). A line's text is
// kept whole however long it is (at most 32 runs of 127 bytes, plus the break): there is no fixed
// row buffer to overrun and nothing is cut off.
//
// Portable: the window drives it with line numbers and client x positions and draws the extents.
#ifndef CALVETTA_LAYOUT_MARKSELECTION_H
#define CALVETTA_LAYOUT_MARKSELECTION_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ContentLayout.h"
#include "LineList.h"

namespace calvetta {

constexpr size_t kMarkSegmentCount = 256;

// A piece of marked text for the clipboard: Shift-JIS text, or one external character (which
// the text leaves out) to be put in as its book maps it.
struct CopyPiece {
  std::string text;       // Shift-JIS; empty for an external character
  uint16_t external = 0;  // its code, or 0
  bool narrow = false;    // drawn from the narrow font
  // How it looks, for a copy as rich text: bold (a keyword), a reference's colour, and on the
  // first piece of a line that begins a paragraph, the line's indent in pixels (else -1).
  bool bold = false;
  bool reference = false;
  int32_t indent = -1;
};
// A drag extends only to lines less than this many lines away from its anchor.
constexpr int32_t kMarkRowReach = 75;

// A free segment is not used (its edges -1); a used one may have any edges, -1 included (the
// edge before a line's first character at indent 0).
struct MarkSegment {
  bool used = false;
  int32_t row = 0;  // line number
  int32_t left = -1;
  int32_t right = -1;
  // The extent shown on screen (the window stores it after drawing).
  int32_t shownRow = 0;
  int32_t shownLeft = -1;
  int32_t shownRight = -1;
  std::string text;  // extracted Shift-JIS text; empty = none
  std::vector<CopyPiece> pieces;  // the same with the external characters in their places
  bool InUse() const { return used; }
};

class MarkSelection {
 public:
  using Segments = std::array<MarkSegment, kMarkSegmentCount>;

  // No marks, not selecting.
  void Clear();

  // A drag starts at client x on line `row`: the marks are cleared and, when the line is held,
  // one empty segment is anchored at the character edge there. Selecting either way.
  void Begin(const LineList& lines, const Metrics& metrics, int32_t row, int32_t x);
  // The pointer moved to x on line `row` while selecting: rebuilds the segments from the anchor to
  // there. False (nothing changed) when not selecting, when the line is 75 or more lines from
  // the anchor, or when the anchor or the line is not held.
  bool Extend(const LineList& lines, const Metrics& metrics, int32_t row, int32_t x);
  // The button was released: the marks stay.
  void End() { selecting = false; }
  // Marks the characters from view position `from` up to `to` (exclusive), as a drag over them
  // would, where held lines hold both ends. False (nothing marked) otherwise.
  bool MarkRange(const LineList& lines, const Metrics& metrics, int32_t from, int32_t to);

  bool Present() const { return present; }
  bool Selecting() const { return selecting; }
  // The last extension went up from the anchor: segments are listed bottom to top.
  const Segments& All() const { return segments; }
  Segments& All() { return segments; }
  // Segments in use (the prefix).
  size_t UsedCount() const;

  // Extracts each segment's text from the held lines (segments whose line is no longer held end
  // the extraction) and returns the total length in bytes.
  size_t Extract(const LineList& lines, const Metrics& metrics);
  // After Extract: the texts of every segment that has text, top to bottom.
  std::string JoinedText() const;
  // After Extract: the same as pieces, external characters included (clipboard).
  std::vector<CopyPiece> JoinedPieces() const;
  // After Extract: the texts of the leading segments up to the first one without text, top to
  // bottom, copied into buffer with a terminating zero: at most size - 1 bytes, and never the
  // first byte of a double-byte character without its second. Returns the bytes copied: 0 when
  // size < 2 (a buffer of one byte gets just the zero) or buffer is null.
  int32_t CopyLeading(char* buffer, int32_t size) const;

 private:
  void SetSegment(size_t index, int32_t row, int32_t left, int32_t right);

  Segments segments;
  bool present = false;
  bool selecting = false;
  bool upward = false;
  int32_t anchorRow = 0;
  int32_t anchorX = 0;
  size_t total = 0;
};

// The marked text of one line between two character edges (see the file comment), without the
// line break.
std::string LineTextBetween(const LineRecord& line, int32_t left, int32_t right, const Metrics& metrics);
// The same as pieces in the order of the line, with the external characters whose cells lie
// wholly between the edges.
std::vector<CopyPiece> LinePiecesBetween(const LineRecord& line, int32_t left, int32_t right, const Metrics& metrics);

}  // namespace calvetta

#endif  // CALVETTA_LAYOUT_MARKSELECTION_H
