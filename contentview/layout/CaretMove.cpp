#include "CaretMove.h"

#include <algorithm>

#include "MarkEdges.h"

namespace calvetta {

std::vector<int32_t> LineEdges(const LineRecord& line, const Metrics& metrics) {
  const int32_t left = LineLeftStart(line, metrics);
  const int32_t right = LineRightEnd(line, metrics);
  std::vector<int32_t> edges{left};
  // Every pixel of the line asked for its edge (a cell's first pixel gives the edge before it; a
  // gap between items snaps back to the indent; only edges further right count) — asked only
  // where the answer may change, which gives the same edges.
  auto ask = [&](int32_t x) {
    const int32_t edge = SnapToEdge(&line, x, metrics);
    if (edge > edges.back()) edges.push_back(edge);
  };
  if (left + 1 < right) ask(left + 1);
  for (int32_t x : SnapBreaks(line, metrics))
    if (x > left + 1 && x < right) ask(x);
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
  const std::vector<int32_t> edges = LineEdges(*line, metrics);
  // The caret's place among the edges: the last at or left of it.
  const auto after = std::upper_bound(edges.begin(), edges.end(), caret->edge);
  const size_t at = after == edges.begin() ? 0 : static_cast<size_t>(after - edges.begin()) - 1;
  switch (step) {
    case CaretStep::kLineStart:
      caret->edge = edges.front();
      return true;
    case CaretStep::kLineEnd:
      caret->edge = edges.back();
      return true;
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
    case CaretStep::kUp:
    case CaretStep::kDown: {
      const int32_t row = caret->row + (step == CaretStep::kUp ? -1 : 1);
      const LineRecord* next = lines.Find(row);
      if (!next) return false;
      *caret = {row, SnapToEdge(next, caret->edge + 1, metrics)};
      return true;
    }
  }
  return false;
}

}  // namespace calvetta
