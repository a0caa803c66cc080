#include "CaretMove.h"

#include <algorithm>

#include "MarkEdges.h"

namespace calvetta {

std::vector<int32_t> LineEdges(const LineRecord& line, const Metrics& metrics) {
  const int32_t left = LineLeftStart(line, metrics);
  const int32_t right = LineRightEnd(line, metrics);
  // Every pixel of the line asked for its edge (a cell's first pixel gives the edge before it; a
  // gap between items snaps back to the indent; only edges further right count) — asked only
  // where the answer may change, which gives the same edges: the first pixel of each character
  // cell, external character and icon, and the pixel past each. A cell's first pixel that no run
  // before it covers gives the edge right before it, as SnapToEdge would.
  // SnapToEdge's answer inside the line, from each item's extent worked out once: the first run,
  // then external character, then icon that covers the pixel.
  struct Span {
    int32_t start, end, cell;  // cell 0: an external character or an icon, the edge before it
  };
  std::vector<Span> spans;
  const size_t runs = std::min(line.runs.size(), kSlotsPerLine);
  for (size_t i = 0; i < runs; ++i) {
    const TextRun& run = line.runs[i];
    const int32_t start = line.indent + run.x;
    spans.push_back({start, start + RunWidth(run, metrics), RunCharacterWidth(run, metrics)});
  }
  for (size_t i = 0; i < std::min(line.gaiji.size(), kSlotsPerLine); ++i) {
    const GaijiSlot& slot = line.gaiji[i];
    const int32_t start = line.indent + slot.x;
    spans.push_back({start, start + (slot.fullWidth ? metrics.fullWidth : metrics.halfWidth), 0});
  }
  for (size_t i = 0; i < std::min(line.icons.size(), kSlotsPerLine); ++i) {
    const int32_t start = line.indent + line.icons[i].x;
    spans.push_back({start, start + metrics.fullWidth, 0});
  }
  auto snap = [&](int32_t x) {
    for (const Span& span : spans)
      if (x >= span.start && x <= span.end)
        return span.cell ? span.start + span.cell * ((x - span.start) / span.cell) - 1 : span.start - 1;
    return line.indent - 1;
  };
  std::vector<std::pair<int32_t, int32_t>> asked;  // pixel, its edge
  asked.reserve(64);
  auto ask = [&](int32_t x) {
    if (x > left && x < right) asked.emplace_back(x, snap(x));
  };
  ask(left + 1);
  int32_t reach = INT32_MIN;  // the right end of the runs before
  for (size_t i = 0; i < runs; ++i) {
    const int32_t start = spans[i].start, width = spans[i].end - start, cell = spans[i].cell;
    for (int32_t x = start; x <= start + width; x += cell) {
      if (x <= reach) ask(x);
      else if (x > left && x < right) asked.emplace_back(x, x - 1);
    }
    ask(start + width + 1);  // past it, what it covered over shows
    reach = std::max(reach, start + width);
  }
  // The runs come left to right, so their pixels are mostly in order already: sorted only when
  // they are not, and the few of the external characters and icons merged in.
  if (!std::is_sorted(asked.begin(), asked.end())) std::sort(asked.begin(), asked.end());
  const size_t runsAsked = asked.size();
  for (size_t i = runs; i < spans.size(); ++i) {
    ask(spans[i].start);
    ask(spans[i].end + 1);
  }
  const auto others = asked.begin() + static_cast<std::ptrdiff_t>(runsAsked);
  std::sort(others, asked.end());
  std::inplace_merge(asked.begin(), others, asked.end());
  std::vector<int32_t> edges{left};
  for (const auto& [x, edge] : asked)
    if (edge > edges.back()) edges.push_back(edge);
  if (right > edges.back()) edges.push_back(right);
  return edges;
}

bool CaretAtLineStart(const LineList& lines, const Metrics& metrics, int32_t row, CaretPlace* caret) {
  const LineRecord* line = lines.Find(row);
  if (!line) return false;
  *caret = {row, LineLeftStart(*line, metrics)};
  return true;
}

bool MoveCaret(const LineList& lines, const Metrics& metrics, CaretStep step, CaretPlace* caret) {
  const LineRecord* line = lines.Find(caret->row);
  if (!line) return false;
  if (step == CaretStep::kUp || step == CaretStep::kDown) {
    const int32_t row = caret->row + (step == CaretStep::kUp ? -1 : 1);
    const LineRecord* next = lines.Find(row);
    if (!next) return false;
    *caret = {row, SnapToEdge(next, caret->edge + 1, metrics)};
    return true;
  }
  // The line's first edge is where it starts, its last where it ends (or its start, when it is
  // empty): only a step left or right needs the edges between.
  if (step == CaretStep::kLineStart || step == CaretStep::kLineEnd) {
    const int32_t left = LineLeftStart(*line, metrics);
    caret->edge = step == CaretStep::kLineStart ? left : std::max(left, LineRightEnd(*line, metrics));
    return true;
  }
  const std::vector<int32_t> edges = LineEdges(*line, metrics);
  // The caret's place among the edges: the last at or left of it.
  const auto after = std::upper_bound(edges.begin(), edges.end(), caret->edge);
  const size_t at = after == edges.begin() ? 0 : static_cast<size_t>(after - edges.begin()) - 1;
  switch (step) {
    case CaretStep::kLeft:
      if (at > 0 && edges[at] == caret->edge) {
        caret->edge = edges[at - 1];
        return true;
      }
      if (edges[at] != caret->edge) {  // between edges (a line laid out anew): onto the one left
        caret->edge = edges[at];
        return true;
      }
      if (const LineRecord* above = lines.Find(caret->row - 1)) {
        *caret = {caret->row - 1, LineRightEnd(*above, metrics)};
        return true;
      }
      return false;
    case CaretStep::kRight:
      if (at + 1 < edges.size()) {
        caret->edge = edges[at + 1];
        return true;
      }
      if (const LineRecord* below = lines.Find(caret->row + 1)) {
        *caret = {caret->row + 1, LineLeftStart(*below, metrics)};
        return true;
      }
      return false;
    default:
      break;  // the others above
  }
  return false;
}

}  // namespace calvetta
