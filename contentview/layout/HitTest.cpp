#include "HitTest.h"

#include <algorithm>
#include <cstdint>

#include "ControlCodes.h"
#include "MarkEdges.h"

namespace calvetta {

namespace code = booktext::code;

namespace {

uint8_t KindOfColour(uint32_t colour) {
  switch (colour) {
    case kReferenceColour: return kHoverReference;
    case kGraphicColour: return kHoverGraphic;
    case kSoundColour: return kHoverSound;
    default: return kHoverNone;
  }
}

// The link slot that opened a coloured item at x: the last one of the line at or left of x,
// else the last one of the line above.
const LinkSlot* OpeningLink(const LineList& lines, const LineRecord& line, int32_t x) {
  const LinkSlot* found = nullptr;
  for (const LinkSlot& link : line.links)
    if (link.x <= x) found = &link;
  if (found) return found;
  const LineRecord* above = line.number > lines.FirstNumber() ? lines.Find(line.number - 1) : nullptr;
  return above && !above->links.empty() ? &above->links.back() : nullptr;
}

bool Within(int64_t x, int64_t left, int64_t width) { return left <= x && x <= left + width; }

}  // namespace

Hit HitTest(const LineList& lines, int32_t topLine, int32_t bottomLine, const Metrics& metrics, int32_t x,
            int32_t y) {
  if (x < 0 || y < 0 || metrics.lineHeight <= 0) return {};
  int64_t row = int64_t{topLine} + y / metrics.lineHeight;
  if (row > bottomLine) return {};
  const LineRecord* line = lines.Find(static_cast<int32_t>(row));
  if (!line) return {};

  size_t count = std::min(line->links.size(), kSlotsPerLine);
  for (size_t i = 0; i < count; ++i) {
    const LinkSlot& link = line->links[i];
    if (Within(x, int64_t{line->indent} + link.x, link.width))
      return Hit{static_cast<uint8_t>(link.kind), line, &link};
  }

  // A coloured item: its kind from the colour, its code block from the slot that opened it.
  auto coloured = [&](uint32_t colour, int32_t itemX) {
    uint8_t kind = KindOfColour(colour);
    const LinkSlot* link = OpeningLink(lines, *line, itemX);
    return link ? Hit{kind, line, link} : Hit{};
  };
  count = std::min(line->runs.size(), kSlotsPerLine);
  for (size_t i = 0; i < count; ++i) {
    const TextRun& run = line->runs[i];
    if (!Within(x, int64_t{line->indent} + run.x, int64_t(run.text.size()) * metrics.halfWidth)) continue;
    if (run.colour == kDefaultTextColour) return {};
    if (KindOfColour(run.colour) != kHoverNone) return coloured(run.colour, run.x);
  }
  count = std::min(line->gaiji.size(), kSlotsPerLine);
  for (size_t i = 0; i < count; ++i) {
    const GaijiSlot& gaiji = line->gaiji[i];
    if (!Within(x, int64_t{line->indent} + gaiji.x, metrics.fullWidth)) continue;
    if (gaiji.colour == kDefaultTextColour) return {};
    if (KindOfColour(gaiji.colour) != kHoverNone) return coloured(gaiji.colour, gaiji.x);
  }
  return {};
}

std::vector<LinkStop> LinkStops(const LineList& lines, int32_t topLine, int32_t bottomLine, const Metrics& metrics) {
  std::vector<LinkStop> stops;
  for (int32_t row = topLine; row <= bottomLine && row <= lines.LastNumber(); ++row) {
    const LineRecord* line = lines.Find(row);
    if (!line) continue;
    const size_t count = std::min(line->links.size(), kSlotsPerLine);
    for (size_t i = 0; i < count; ++i) {
      const LinkSlot& link = line->links[i];
      const uint8_t kind = static_cast<uint8_t>(link.kind);
      const int32_t limit = i + 1 < count ? line->links[i + 1].x : INT32_MAX;
      int32_t right = link.x + link.width;
      // Runs and external characters are each in x order; what the link colours follows on.
      auto reach = [&](int32_t x, int32_t width, uint32_t colour) {
        if (x >= link.x && x < limit && x <= right && KindOfColour(colour) == kind) right = std::max(right, x + width);
      };
      // Until nothing reaches further: runs and external characters may alternate.
      for (int32_t before = INT32_MIN; before != right;) {
        before = right;
        for (const TextRun& run : line->runs)
          reach(run.x, static_cast<int32_t>(run.text.size() / RunCharacterBytes(run)) * RunCharacterWidth(run, metrics),
                run.colour);
        for (const GaijiSlot& gaiji : line->gaiji)
          reach(gaiji.x, gaiji.fullWidth ? metrics.fullWidth : metrics.halfWidth, gaiji.colour);
      }
      stops.push_back(LinkStop{row, i, line->indent + link.x, line->indent + right});
    }
  }
  return stops;
}

bool LineStartsEntry(const LineRecord& line, const HeldText& text) {
  if (line.continuation) return false;
  int32_t p = line.start;
  if (text.At(p) == code::kEscape && text.At(p + 1) == code::kIndent) p += 4;
  return text.At(p) == code::kEscape && text.At(p + 1) == code::kBeginKeyword && text.At(p + 2) == 0x01;
}

bool EndBeforeNextEntry(std::vector<LineRecord>* laid, const HeldText& text, size_t from) {
  for (size_t i = from; i < laid->size(); ++i) {
    if ((*laid)[i].continuation || !LineStartsEntry((*laid)[i], text)) continue;
    laid->resize(i);
    if (i > 0) laid->back().endMark = EndMark::kEndsEntry;
    return true;
  }
  return false;
}

bool BeginAtLastEntry(std::vector<LineRecord>* laid, const HeldText& text) {
  for (size_t i = laid->size(); i-- > 0;) {
    if (!LineStartsEntry((*laid)[i], text)) continue;
    laid->erase(laid->begin(), laid->begin() + static_cast<std::ptrdiff_t>(i));
    laid->front().endMark = EndMark::kBeginsEntry;
    return true;
  }
  return false;
}

bool EntryLines(const LineList& lines, const HeldText& text, int32_t row, int32_t* first, int32_t* last) {
  if (!lines.Find(row)) return false;
  auto startsEntry = [&](int32_t number) {
    const LineRecord* line = lines.Find(number);
    return line && LineStartsEntry(*line, text);
  };
  *first = row;
  while (*first > lines.FirstNumber() && !startsEntry(*first)) --*first;
  *last = row;
  while (*last < lines.LastNumber() && !startsEntry(*last + 1)) ++*last;
  return true;
}

int32_t HeadwordPosition(const HeldText& text, int32_t entryBase, int32_t lineStart) {
  if (!text.Holds(lineStart)) return entryBase;
  for (int64_t p = lineStart; p >= text.base; p -= 2) {
    if (text.At(static_cast<int32_t>(p)) != code::kEscape ||
        text.At(static_cast<int32_t>(p + 1)) != code::kBeginKeyword || text.At(static_cast<int32_t>(p + 2)) != 0x01)
      continue;
    // 1F 09 with its 2 argument bytes right before: the headword line starts with its indent.
    if (p - 4 >= text.base && text.At(static_cast<int32_t>(p - 4)) == code::kEscape &&
        text.At(static_cast<int32_t>(p - 3)) == code::kIndent)
      p -= 4;
    int64_t position = int64_t{entryBase} + p;
    return position >= 0 && position <= INT32_MAX ? static_cast<int32_t>(position) : entryBase;
  }
  return entryBase;
}

}  // namespace calvetta
