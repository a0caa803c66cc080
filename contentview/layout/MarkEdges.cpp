#include "MarkEdges.h"

#include <algorithm>

namespace calvetta {
namespace {

int32_t GaijiWidth(const GaijiSlot& slot, const Metrics& metrics) {
  return slot.fullWidth ? metrics.fullWidth : metrics.halfWidth;
}

// Slots are stored without empty ones, but a line never counts more than kSlotsPerLine.
template <typename Slot>
size_t Used(const std::vector<Slot>& slots) {
  return std::min(slots.size(), kSlotsPerLine);
}

}  // namespace

int32_t RunCharacterWidth(const TextRun& run, const Metrics& metrics) {
  int32_t extra = run.bold ? metrics.boldExtra : 0;
  int32_t width = run.narrow ? metrics.halfWidth + extra : metrics.fullWidth + 2 * extra;
  return std::max<int32_t>(1, width);
}

int32_t RunWidth(const TextRun& run, const Metrics& metrics) {
  int32_t characters = static_cast<int32_t>(run.text.size() / RunCharacterBytes(run));
  return characters * RunCharacterWidth(run, metrics);
}

int32_t LineRightEnd(const LineRecord& line, const Metrics& metrics) {
  int32_t end = 0;
  if (size_t n = Used(line.runs)) end = std::max(end, line.runs[n - 1].x + RunWidth(line.runs[n - 1], metrics));
  if (size_t n = Used(line.gaiji)) end = std::max(end, line.gaiji[n - 1].x + GaijiWidth(line.gaiji[n - 1], metrics));
  if (size_t n = Used(line.icons)) end = std::max(end, line.icons[n - 1].x + metrics.fullWidth);
  return end + line.indent - 1;
}

int32_t LineLeftStart(const LineRecord& line, const Metrics& metrics) {
  int32_t run = line.runs.empty() ? 0 : line.runs.front().x;
  int32_t gaiji = line.gaiji.empty() ? 0 : line.gaiji.front().x;
  int32_t icon = line.icons.empty() ? 0 : line.icons.front().x + metrics.fullWidth;
  return std::min({run, gaiji, icon}) + line.indent - 1;
}

int32_t SnapToEdge(const LineRecord* line, int32_t x, const Metrics& metrics) {
  if (!line) return kNoEdge;
  int32_t right = LineRightEnd(*line, metrics);
  if (x >= right) return right;
  int32_t left = LineLeftStart(*line, metrics);
  if (x <= left) return left;
  const int32_t indent = line->indent;
  for (size_t i = 0; i < Used(line->runs); ++i) {
    const TextRun& run = line->runs[i];
    int32_t start = indent + run.x;
    if (x < start || x > start + RunWidth(run, metrics)) continue;
    int32_t m = RunCharacterWidth(run, metrics);
    return start + m * ((x - start) / m) - 1;
  }
  for (size_t i = 0; i < Used(line->gaiji); ++i) {
    int32_t start = indent + line->gaiji[i].x;
    if (x >= start && x <= start + GaijiWidth(line->gaiji[i], metrics)) return start - 1;
  }
  for (size_t i = 0; i < Used(line->icons); ++i) {
    int32_t start = indent + line->icons[i].x;
    if (x >= start && x <= start + metrics.fullWidth) return start - 1;
  }
  return indent - 1;
}

int32_t CellOfPosition(const LineRecord& line, int32_t position, const Metrics& metrics, int32_t* width) {
  for (size_t i = 0; i < Used(line.runs); ++i) {
    const TextRun& run = line.runs[i];
    const int32_t characters = static_cast<int32_t>(run.text.size() / RunCharacterBytes(run));
    const int32_t offset = position - run.start;
    if (offset < 0 || offset % 2 != 0 || offset / 2 >= characters) continue;
    *width = RunCharacterWidth(run, metrics);
    return line.indent + run.x + *width * (offset / 2);
  }
  return kNoEdge;
}

}  // namespace calvetta
