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
  std::vector<std::pair<int32_t, int32_t>> asked;  // pixel, its edge
  auto ask = [&](int32_t x) {
    if (x > left && x < right) asked.emplace_back(x, SnapToEdge(&line, x, metrics));
  };
  ask(left + 1);
  int32_t reach = INT32_MIN;  // the right end of the runs before
  for (size_t i = 0; i < std::min(line.runs.size(), kSlotsPerLine); ++i) {
    const TextRun& run = line.runs[i];
    const int32_t start = line.indent + run.x, width = RunWidth(run, metrics), cell = RunCharacterWidth(run, metrics);
    for (int32_t x = start; x <= start + width; x += cell) {
      if (x <= reach) ask(x);
      else if (x > left && x < right) asked.emplace_back(x, x - 1);
    }
    ask(start + width + 1);  // past it, what it covered over shows
    reach = std::max(reach, start + width);
  }
  for (size_t i = 0; i < std::min(line.gaiji.size(), kSlotsPerLine); ++i) {
    const GaijiSlot& slot = line.gaiji[i];
    ask(line.indent + slot.x);
    ask(line.indent + slot.x + (slot.fullWidth ? metrics.fullWidth : metrics.halfWidth) + 1);
  }
  for (size_t i = 0; i < std::min(line.icons.size(), kSlotsPerLine); ++i) {
    ask(line.indent + line.icons[i].x);
    ask(line.indent + line.icons[i].x + metrics.fullWidth + 1);
  }
  std::sort(asked.begin(), asked.end());
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
