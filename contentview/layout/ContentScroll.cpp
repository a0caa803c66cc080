// Scrolling: keeps TopLine, BottomLine, AtTextStart and AtTextEnd, and lays out text before the
// first or after the last held line when the page reaches past them.
#include <algorithm>
#include <cstdint>

#include "ContentLayout.h"
#include "ControlCodes.h"
#include "HitTest.h"
#include "LineBuilder.h"
#include "TextTrim.h"

namespace calvetta {

namespace code = booktext::code;

LayoutResult ContentLayout::ScrollTo(int32_t n) {
  failed = false;
  if (lines.Empty()) return LayoutResult::kDone;
  PageMeasures page = Page();
  if (!ScrollTop(n)) return Fail();
  if (!ScrollBottom(page.linesPerPage)) return Fail();
  // A target past the end of the text shows the last line rather than an empty page.
  if (topLine > bottomLine) topLine = bottomLine;
  SetButtons();
  blank = false;
  return LayoutResult::kDone;
}

bool ContentLayout::CanScrollBy(int32_t delta) const {
  if (!hasContent || blank || lines.Empty()) return false;
  return delta < 0 ? !atTextStart : !atTextEnd;
}

LayoutResult ContentLayout::ScrollBy(int32_t delta) {
  if (delta < 0) atTextEnd = false;
  else atTextStart = false;
  int64_t target = std::clamp<int64_t>(int64_t{topLine} + delta, INT32_MIN, INT32_MAX);
  return ScrollTo(static_cast<int32_t>(target));
}

bool ContentLayout::ScrollTop(int32_t n) {
  const LineRecord& first = lines.First();
  bool firstIsStart = first.endMark == EndMark::kBeginsEntry || (oneEntry && LineStartsEntry(first, Text()));
  int32_t firstNumber = first.number;
  if (n >= topLine) {
    if (n > topLine) atTextStart = false;
    else if (firstIsStart) atTextStart = true;
    topLine = n;
    return true;
  }
  if (atTextStart) return true;
  if (firstIsStart) {
    if (firstNumber < n) {
      topLine = n;
      atTextStart = false;
    } else {
      topLine = firstNumber;
      atTextStart = true;
    }
    return true;
  }
  if (n >= firstNumber) {
    topLine = n;
    atTextStart = false;
    return true;
  }

  // Text before the first held line: one chunk, back to a paragraph start. A paragraph longer
  // than the chunk is looked for over the longest range a layout takes.
  int32_t end = first.start - 1;
  int32_t textStart = -entryBase;  // view position of the text file's first byte
  std::vector<LineRecord> laid;
  bool left = false;
  int32_t start = end;
  for (int32_t span : {layoutChunk, kMaxLayoutRange}) {
    start = std::max(first.start - span, textStart);
    if (start >= end) break;
    if (!EnsureHeld(start, end)) return false;
    start = std::max(start, bufferBase);
    int32_t trimmed = start;
    if (TrimBackward(Text(), &trimmed, end) && trimmed < end) {
      start = trimmed;
      left = true;
      break;
    }
    // 1F 02 right before the first line: the entry starts there.
    if (trimmed >= end && Text().At(end - 1) == code::kEscape && Text().At(end) == code::kBeginText) break;
    if (start <= textStart) {
      left = true;  // the text file begins inside this paragraph: from its first byte
      break;
    }
  }
  if (!left) {
    lines.First().endMark = EndMark::kBeginsEntry;
    atTextStart = true;
    topLine = firstNumber;
    return true;
  }
  if (BuildLines(Text(), start, end, metrics, Page().usableWidth, &laid) == RangeEnd::kTooLong) return false;
  if (oneEntry) BeginAtLastEntry(&laid, Text());
  if (laid.empty()) {
    lines.First().endMark = EndMark::kBeginsEntry;
    atTextStart = true;
    topLine = firstNumber;
    return true;
  }
  int32_t newFirst = lines.Prepend(std::move(laid));
  topLine = std::max(n, newFirst);
  atTextStart = topLine == newFirst && lines.First().endMark == EndMark::kBeginsEntry;
  return true;
}

bool ContentLayout::ScrollBottom(int32_t linesPerPage) {
  int32_t b = topLine + linesPerPage - 1;
  const LineRecord& last = lines.Last();
  int32_t lastNumber = last.number;
  if (b < lastNumber) {
    bottomLine = b;
    atTextEnd = false;
    return true;
  }
  if (atTextEnd) {
    bottomLine = lastNumber;
    return true;
  }
  if (last.endMark == EndMark::kEndsEntry) {
    bottomLine = lastNumber;
    atTextEnd = true;
    return true;
  }
  if (b == lastNumber) {
    bottomLine = b;
    atTextEnd = false;
    return true;
  }

  int32_t start = last.end + 1;
  int32_t end = last.end + layoutChunk;
  if (!EnsureHeld(start, end)) return false;
  end = std::min(end, bufferBase + held - 1);
  if (start < end) TrimForward(Text(), start, &end);
  std::vector<LineRecord> laid;
  if (start < end - 1) {
    if (BuildLines(Text(), start, end, metrics, Page().usableWidth, &laid) == RangeEnd::kTooLong) return false;
    if (oneEntry) EndBeforeNextEntry(&laid, Text(), 0);
  }
  if (laid.empty()) {
    lines.Last().endMark = EndMark::kEndsEntry;
    atTextEnd = true;
    bottomLine = lastNumber;
    return true;
  }
  lines.Append(std::move(laid));
  bottomLine = std::min(b, lines.LastNumber());
  atTextEnd = bottomLine == lines.LastNumber() && lines.Last().endMark == EndMark::kEndsEntry;
  return true;
}

}  // namespace calvetta
