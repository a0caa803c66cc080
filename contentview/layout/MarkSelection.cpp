#include "MarkSelection.h"

#include <algorithm>
#include <vector>

#include "MarkEdges.h"
#include "ShiftJis.h"

namespace calvetta {
namespace {

int32_t FloorDiv(int32_t a, int32_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
int32_t CeilDiv(int32_t a, int32_t b) { return -FloorDiv(-a, b); }

void AppendShiftJis(std::string* out, const std::string& jis, size_t first, size_t count) {
  for (size_t i = first; i + 2 <= first + count && i + 2 <= jis.size(); i += 2) {
    booktext::BytePair in{static_cast<uint8_t>(jis[i]), static_cast<uint8_t>(jis[i + 1])}, sjis{};
    booktext::JisToSjis(in, &sjis);
    out->push_back(static_cast<char>(sjis.first));
    out->push_back(static_cast<char>(sjis.second));
  }
}

}  // namespace

std::vector<CopyPiece> LinePiecesBetween(const LineRecord& line, int32_t left, int32_t right, const Metrics& metrics) {
  std::vector<std::pair<int32_t, CopyPiece>> placed;  // by x
  if (right <= left) return {};
  size_t runs = std::min(line.runs.size(), kSlotsPerLine);
  for (size_t i = 0; i < runs; ++i) {
    const TextRun& run = line.runs[i];
    int32_t start = line.indent + run.x;
    int32_t m = RunCharacterWidth(run, metrics);
    size_t bytes = RunCharacterBytes(run);
    int32_t count = static_cast<int32_t>(run.text.size() / bytes);
    // The characters whose cells lie wholly between the two edges: cells from left + 1 up to
    // right (an edge is the pixel before a cell).
    int32_t first = std::max<int32_t>(0, CeilDiv(left + 1 - start, m));
    int32_t last = std::min<int32_t>(count, FloorDiv(right + 1 - start, m));
    if (last <= first) continue;
    size_t from = static_cast<size_t>(first) * bytes;
    size_t length = static_cast<size_t>(last - first) * bytes;
    CopyPiece piece;
    if (run.narrow) piece.text.append(run.text, from, length);
    else AppendShiftJis(&piece.text, run.text, from, length);
    piece.bold = run.bold;
    piece.reference = run.colour == kReferenceColour;
    placed.emplace_back(start + first * m, std::move(piece));
  }
  size_t characters = std::min(line.gaiji.size(), kSlotsPerLine);
  for (size_t i = 0; i < characters; ++i) {
    const GaijiSlot& slot = line.gaiji[i];
    if (slot.code == 0) break;
    int32_t start = line.indent + slot.x;
    int32_t width = slot.fullWidth ? metrics.fullWidth : metrics.halfWidth;
    if (start < left + 1 || start + width > right + 1) continue;
    CopyPiece piece;
    piece.external = slot.code;
    piece.narrow = !slot.fullWidth;
    piece.reference = slot.colour == kReferenceColour;
    placed.emplace_back(start, std::move(piece));
  }
  std::stable_sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<CopyPiece> pieces;
  for (auto& [x, piece] : placed) pieces.push_back(std::move(piece));
  return pieces;
}

std::string LineTextBetween(const LineRecord& line, int32_t left, int32_t right, const Metrics& metrics) {
  std::string text;
  for (const CopyPiece& piece : LinePiecesBetween(line, left, right, metrics)) text += piece.text;
  return text;
}

void MarkSelection::Clear() {
  present = false;
  selecting = false;
  upward = false;
  anchorRow = 0;
  anchorX = 0;
  total = 0;
  // Each segment back to a free one in place: its text buffers keep their room for the next marks.
  for (MarkSegment& segment : segments) {
    const MarkSegment free;
    segment.used = free.used;
    segment.row = free.row;
    segment.left = free.left;
    segment.right = free.right;
    segment.shownRow = free.shownRow;
    segment.shownLeft = free.shownLeft;
    segment.shownRight = free.shownRight;
    segment.text.clear();
    segment.pieces.clear();
  }
}

size_t MarkSelection::UsedCount() const {
  size_t n = 0;
  while (n < segments.size() && segments[n].InUse()) ++n;
  return n;
}

void MarkSelection::SetSegment(size_t index, int32_t row, int32_t left, int32_t right) {
  segments[index].used = true;
  segments[index].row = row;
  segments[index].left = left;
  segments[index].right = right;
}

void MarkSelection::Begin(const LineList& lines, const Metrics& metrics, int32_t row, int32_t x) {
  Clear();
  selecting = true;
  anchorRow = row;
  anchorX = SnapToEdge(lines.Find(row), x, metrics);
  if (anchorX == kNoEdge) return;
  SetSegment(0, row, anchorX, anchorX);
  present = true;
}

bool MarkSelection::Extend(const LineList& lines, const Metrics& metrics, int32_t row, int32_t x) {
  if (!selecting || !present) return false;
  int64_t distance = static_cast<int64_t>(row) - anchorRow;
  if (distance >= kMarkRowReach || distance <= -kMarkRowReach) return false;
  const LineRecord* anchor = lines.Find(anchorRow);
  int32_t edge = SnapToEdge(lines.Find(row), x, metrics);
  if (!anchor || edge == kNoEdge) return false;
  // Every line between two held lines is held: the list's numbers are consecutive.
  size_t used = UsedCount();
  size_t next = 0;
  if (row > anchorRow) {
    SetSegment(next++, anchorRow, anchorX, LineRightEnd(*anchor, metrics));
    for (int32_t r = anchorRow + 1; r < row; ++r) {
      const LineRecord& line = *lines.Find(r);
      SetSegment(next++, r, LineLeftStart(line, metrics), LineRightEnd(line, metrics));
    }
    SetSegment(next++, row, LineLeftStart(*lines.Find(row), metrics), edge);
  } else if (row < anchorRow) {
    SetSegment(next++, anchorRow, LineLeftStart(*anchor, metrics), anchorX);
    for (int32_t r = anchorRow - 1; r > row; --r) {
      const LineRecord& line = *lines.Find(r);
      SetSegment(next++, r, LineLeftStart(line, metrics), LineRightEnd(line, metrics));
    }
    SetSegment(next++, row, edge, LineRightEnd(*lines.Find(row), metrics));
  } else {
    SetSegment(next++, row, std::min(anchorX, edge), std::max(anchorX, edge));
  }
  upward = row < anchorRow;
  for (size_t i = next; i < used; ++i) segments[i].left = segments[i].right = 0;
  return true;
}

size_t MarkSelection::Extract(const LineList& lines, const Metrics& metrics) {
  total = 0;
  size_t i = 0;
  for (; i < segments.size() && segments[i].InUse(); ++i) {
    MarkSegment& segment = segments[i];
    const LineRecord* line = lines.Find(segment.row);
    if (!line) break;
    std::vector<CopyPiece> pieces = LinePiecesBetween(*line, segment.left, segment.right, metrics);
    // A line marked from its start that is not a wrapped continuation begins a paragraph.
    if (!pieces.empty() && !line->continuation && std::min(segment.left, segment.right) <= LineLeftStart(*line, metrics))
      pieces.front().indent = line->indent;
    std::string text;
    for (const CopyPiece& piece : pieces) text += piece.text;
    const LineRecord* next = lines.Find(segment.row + 1);
    if (!pieces.empty() && next && !next->continuation && segment.right == LineRightEnd(*line, metrics)) {
      if (!text.empty()) text += "\r\n";
      pieces.push_back(CopyPiece{"\r\n"});
    }
    total += text.size();
    segment.text = std::move(text);
    segment.pieces = std::move(pieces);
  }
  // Segments past the end of the extraction keep no text of an earlier one.
  for (; i < segments.size(); ++i) {
    segments[i].text.clear();
    segments[i].pieces.clear();
  }
  return total;
}

std::vector<CopyPiece> MarkSelection::JoinedPieces() const {
  std::vector<const std::vector<CopyPiece>*> lists;
  for (size_t i = 0; i < segments.size() && segments[i].InUse(); ++i)
    if (!segments[i].pieces.empty()) lists.push_back(&segments[i].pieces);
  if (upward) std::reverse(lists.begin(), lists.end());
  std::vector<CopyPiece> joined;
  for (const auto* list : lists) joined.insert(joined.end(), list->begin(), list->end());
  return joined;
}

std::string MarkSelection::JoinedText() const {
  std::vector<const std::string*> texts;
  for (size_t i = 0; i < segments.size() && segments[i].InUse(); ++i)
    if (!segments[i].text.empty()) texts.push_back(&segments[i].text);
  if (upward) std::reverse(texts.begin(), texts.end());
  std::string joined;
  for (const std::string* text : texts) joined += *text;
  return joined;
}

int32_t MarkSelection::CopyLeading(char* buffer, int32_t size) const {
  if (!buffer || size < 1) return 0;
  buffer[0] = '\0';
  if (size < 2) return 0;
  std::vector<const std::string*> texts;
  for (size_t i = 0; i < segments.size() && !segments[i].text.empty(); ++i) texts.push_back(&segments[i].text);
  if (upward) std::reverse(texts.begin(), texts.end());
  size_t capacity = static_cast<size_t>(size) - 1;
  size_t written = 0;
  for (const std::string* text : texts) {
    for (size_t i = 0; i < text->size();) {
      uint8_t byte = static_cast<uint8_t>((*text)[i]);
      size_t width = booktext::IsSjisLeadByte(byte) && i + 1 < text->size() ? 2 : 1;
      if (written + width > capacity) {
        buffer[written] = '\0';
        return static_cast<int32_t>(written);
      }
      for (size_t k = 0; k < width; ++k) buffer[written++] = (*text)[i + k];
      i += width;
    }
  }
  buffer[written] = '\0';
  return static_cast<int32_t>(written);
}

bool MarkSelection::MarkRange(const LineList& lines, const Metrics& metrics, int32_t from, int32_t to) {
  Clear();
  if (lines.Empty() || to <= from) return false;
  // The lines of the first and the last character, and their cells.
  int32_t firstRow = 0, lastRow = 0, left = kNoEdge, right = kNoEdge, width = 0;
  for (int32_t n = lines.FirstNumber(); n <= lines.LastNumber(); ++n) {
    const LineRecord* line = lines.Find(n);
    if (!line) continue;
    if (left == kNoEdge && from >= line->start && from <= line->end) {
      left = CellOfPosition(*line, from, metrics, &width);
      firstRow = n;
    }
    if (left != kNoEdge && to - 2 >= line->start && to - 2 <= line->end) {
      right = CellOfPosition(*line, to - 2, metrics, &width);
      if (right != kNoEdge) right += width;
      lastRow = n;
      break;
    }
  }
  if (left == kNoEdge || right == kNoEdge) return false;
  Begin(lines, metrics, firstRow, left + 1);
  bool marked = Extend(lines, metrics, lastRow, right);
  End();
  return marked && present;
}

}  // namespace calvetta
