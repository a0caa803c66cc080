#include "WordAt.h"

#include "MarkEdges.h"
#include "MarkSelection.h"
#include "ShiftJis.h"

namespace calvetta {

namespace {

// The edge left of the character of a run under x, or kNoEdge.
int32_t EdgeUnder(const LineRecord& line, int32_t x, const Metrics& metrics) {
  for (const TextRun& run : line.runs) {
    const int32_t start = line.indent + run.x;
    const int32_t width = RunCharacterWidth(run, metrics);
    if (width <= 0 || x < start || x >= start + RunWidth(run, metrics)) continue;
    return start + width * ((x - start) / width) - 1;
  }
  return kNoEdge;
}

// Appends the pieces of line from edge left to its end up to the first external character:
// false when one ended it.
bool AppendUpToExternal(const LineRecord& line, int32_t left, const Metrics& metrics, std::string* text) {
  for (const CopyPiece& piece : LinePiecesBetween(line, left, LineRightEnd(line, metrics), metrics)) {
    if (piece.external != 0) return false;
    *text += piece.text;
  }
  return true;
}

// The first `most` characters of Shift-JIS text.
void KeepCharacters(std::string* text, size_t most) {
  size_t at = 0;
  for (size_t characters = 0; at < text->size() && characters < most; ++characters)
    at += booktext::IsSjisLeadByte(static_cast<uint8_t>((*text)[at])) && at + 1 < text->size() ? 2 : 1;
  text->resize(at);
}

}  // namespace

std::string TextFromPoint(const LineList& lines, int32_t row, int32_t x, const Metrics& metrics, size_t most) {
  const LineRecord* line = lines.Find(row);
  if (!line || most == 0) return {};
  const int32_t edge = EdgeUnder(*line, x, metrics);
  if (edge == kNoEdge) return {};
  std::string text;
  bool open = AppendUpToExternal(*line, edge, metrics, &text);
  // A character is at most two bytes: enough of it is held once that many are.
  for (const LineRecord* next = lines.Find(row + 1); open && next && next->continuation && text.size() < 2 * most;
       next = lines.Find(next->number + 1))
    open = AppendUpToExternal(*next, LineLeftStart(*next, metrics), metrics, &text);
  KeepCharacters(&text, most);
  return text;
}

}  // namespace calvetta
