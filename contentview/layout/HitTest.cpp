#include "HitTest.h"

#include <algorithm>
#include <cstdint>

#include "ControlCodes.h"

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
