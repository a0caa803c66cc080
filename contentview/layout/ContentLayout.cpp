#include "ContentLayout.h"

#include <algorithm>
#include <cstring>

#include "LineBuilder.h"
#include "ControlCodes.h"
#include "EntrySteps.h"
#include "HitTest.h"
#include "TextTrim.h"

namespace calvetta {

namespace {

namespace code = booktext::code;

// Full-width characters across the window below which nothing is shown, and the chunk sizes.
constexpr int32_t kNarrowestShown = 5;
constexpr int32_t kChunkNarrow = 2048;
constexpr int32_t kChunkMedium = 4096;
constexpr int32_t kChunkWide = 8192;
constexpr int32_t kMinUsableCharacters = 3;

}  // namespace

ContentLayout::ContentLayout(TextSource* source) : source(source) {}

char* ContentLayout::Scratch() {
  if (!scratch) scratch.reset(new char[kLaterFetchSize]);
  return scratch.get();
}

void ContentLayout::SetMetrics(const Metrics& value) {
  // Zero or negative measures would divide by zero or never wrap: keep them at least 1 (0 for
  // the bold widening).
  metrics.lineHeight = std::max(1, value.lineHeight);
  metrics.halfWidth = std::max(1, value.halfWidth);
  metrics.fullWidth = std::max(1, value.fullWidth);
  metrics.boldExtra = std::max(0, value.boldExtra);
}

void ContentLayout::SetClientSize(int32_t width, int32_t height) {
  clientWidth = width;
  clientHeight = height;
}

PageMeasures ContentLayout::Page() const {
  PageMeasures page;
  page.textRight = clientWidth - buttonColumnWidth;
  page.usableWidth = std::max(0, metrics.halfWidth * (page.textRight / metrics.halfWidth));
  page.linesPerPage = std::max(0, (clientHeight - kTopMargin) / metrics.lineHeight);
  page.textHeight = metrics.lineHeight * page.linesPerPage;
  return page;
}

const uint8_t* ContentLayout::HeldBytes(int32_t position, size_t count) const {
  if (position < bufferBase || count > static_cast<size_t>(held)) return nullptr;
  int64_t offset = int64_t{position} - bufferBase;
  if (offset + static_cast<int64_t>(count) > held) return nullptr;
  return buffer.get() + offset;
}

HeldText ContentLayout::Text() const { return HeldText{buffer.get(), bufferBase, held}; }

void ContentLayout::SetButtons() {
  buttons.lineUp = buttons.pageUp = !atTextStart;
  buttons.lineDown = buttons.pageDown = !atTextEnd;
}

void ContentLayout::DisableButtons() { buttons = ButtonStates(); }

void ContentLayout::Blank() {
  lines.Clear();
  hasContent = false;
  blank = true;
  failed = false;
  topLine = bottomLine = 0;
  atTextStart = atTextEnd = false;
  DisableButtons();
}

LayoutResult ContentLayout::Fail() {
  Blank();
  failed = true;
  return LayoutResult::kFailed;
}

LayoutResult ContentLayout::ShowHit(int32_t index) { return Show(Reader::kHit, index, nullptr); }
LayoutResult ContentLayout::ShowAt(int32_t position) { return Show(Reader::kPosition, position, nullptr); }

int32_t ContentLayout::NeighbourOfTop(bool after) {
  const LineRecord* top = Line(topLine);
  const int32_t headword = top ? HeadwordPosition(Text(), entryBase, top->start) : entryBase;
  return NeighbourEntry(*source, headword, after);
}
LayoutResult ContentLayout::ShowLink(const char* linkCode) { return Show(Reader::kLink, 0, linkCode); }

LayoutResult ContentLayout::Show(Reader reader, int32_t argument, const char* linkCode) {
  // The text arrives in a second zero-filled buffer, so that a reference that names no text
  // leaves the entry shown before intact: its lines still refer to the old buffer's bytes.
  if (!incoming) incoming.reset(new uint8_t[kContentBufferSize]);
  char* data = reinterpret_cast<char*>(incoming.get());
  uint32_t length = 0;
  int32_t result = -1;
  switch (reader) {
    case Reader::kHit: result = source->GetWordCont(argument, data, kContentBufferSize, &length); break;
    case Reader::kPosition: result = source->GetLinkContByPt(argument, data, kContentBufferSize, &length); break;
    case Reader::kLink:
      if (linkCode) result = source->GetLinkContent(linkCode, data, kContentBufferSize, &length);
      break;
  }
  if (result < 0) return Fail();
  if (length == 0 && reader == Reader::kLink) return LayoutResult::kNoText;
  Blank();
  buffer.swap(incoming);
  held = 0;
  bufferBase = 0;
  if (length == 0) return LayoutResult::kNoText;
  entryBase = result;
  held = static_cast<int32_t>(std::min<uint32_t>(length, kContentBufferSize));

  // Look back: does the entry's text start right here (only codes between it and 1F 02 / 1F 03)?
  char* back = Scratch();
  uint32_t backLength = 0;
  if (source->GetContLastNoSet(back, kLookBackSize, &backLength) != 1) return Fail();
  backLength = std::min<uint32_t>(backLength, kLookBackSize);
  atTextStart = false;
  for (int64_t p = int64_t{backLength} - 2; p >= 0 && static_cast<uint8_t>(back[p]) == code::kEscape; p -= 2) {
    uint8_t c = static_cast<uint8_t>(back[p + 1]);
    if (c == code::kBeginText || c == code::kEndText) {
      atTextStart = true;
      break;
    }
  }
  lookBackAtStart = atTextStart;
  atTextEnd = false;
  SetButtons();
  hasContent = true;

  int32_t end = layoutChunk - 1;
  TrimForward(Text(), 0, &end);
  if (0 >= end - 1) return LayoutResult::kDone;
  if (Page().usableWidth < kMinUsableCharacters * metrics.fullWidth) {
    // Too narrow to lay anything out: shown once the window is widened.
    DisableButtons();
    return LayoutResult::kDone;
  }
  return LayOutFrom(0, end, atTextStart);
}

// Lays out [start, end] as the whole list, numbered from 0, and scrolls to line 0.
LayoutResult ContentLayout::LayOutFrom(int32_t start, int32_t end, bool entryStart) {
  std::vector<LineRecord> laid;
  if (!EnsureHeld(start, end)) return Fail();
  end = std::min(end, bufferBase + held - 1);
  if (BuildLines(Text(), start, end, metrics, Page().usableWidth, &laid) == RangeEnd::kTooLong) return Fail();
  if (oneEntry) EndBeforeNextEntry(&laid, Text(), 1);
  if (entryStart && !laid.empty()) laid.front().endMark = EndMark::kBeginsEntry;
  lines.SetLimit(std::max(3 * laid.size(), kMinCacheLimit));
  lines.Assign(std::move(laid), 0);
  topLine = bottomLine = 0;
  atTextEnd = false;
  return ScrollTo(0);
}

LayoutResult ContentLayout::Resize(int32_t width, int32_t height) {
  failed = false;
  SetClientSize(width, height);
  if (!hasContent) return LayoutResult::kDone;
  int32_t across = (width + 1) / metrics.fullWidth;
  if (across < kNarrowestShown) {
    blank = true;
    DisableButtons();
    return LayoutResult::kDone;
  }
  layoutChunk = across <= 6 ? kChunkNarrow : across <= 11 ? kChunkMedium : kChunkWide;

  int32_t start = 0;
  bool entryStart = false;
  if (!lines.Empty()) {
    int32_t number = std::min(std::max(topLine, lines.FirstNumber()), lines.LastNumber());
    const LineRecord* p = lines.Find(number);
    while (p->continuation && p->number > lines.FirstNumber()) p = lines.Find(p->number - 1);
    start = p->start;
    entryStart = p->endMark == EndMark::kBeginsEntry;
  } else {
    // Nothing laid out yet (shown into a too narrow window): from the fetch position, with what
    // the look-back found there.
    entryStart = lookBackAtStart;
  }
  int32_t end = start + layoutChunk - 1;
  if (!EnsureHeld(start, end)) return Fail();
  end = std::min(end, bufferBase + held - 1);
  TrimForward(Text(), start, &end);
  if (start >= end - 1) return LayoutResult::kDone;
  atTextStart = entryStart;
  atTextEnd = false;
  SetButtons();
  return LayOutFrom(start, end, entryStart);
}

// Fetches up to kEarlierFetchSize bytes before the buffer into its front. The readers' shared
// cursor is first set to the buffer's first byte, so that the bytes read are those just before.
bool ContentLayout::FetchEarlier(bool* fetched) {
  *fetched = false;
  int64_t first = int64_t{entryBase} + bufferBase;
  if (first <= 0) return true;  // the text file starts here
  char* bytes = Scratch();
  uint32_t length = 0;
  if (source->GetLinkContByPt(static_cast<int32_t>(first), bytes, 2, &length) < 0) return false;
  length = 0;
  if (source->GetWordContLast(bytes, kEarlierFetchSize, &length) < 0) return false;
  int32_t n = static_cast<int32_t>(std::min<uint32_t>(length, kEarlierFetchSize));
  if (n == 0) return true;
  int32_t keep = std::min(held, kContentBufferSize - n);
  std::memmove(buffer.get() + n, buffer.get(), static_cast<size_t>(keep));
  std::memcpy(buffer.get(), bytes, static_cast<size_t>(n));
  bufferBase -= n;
  held = keep + n;
  *fetched = true;
  return true;
}

// Fetches up to kLaterFetchSize bytes after the held text behind it, dropping bytes at the
// front only as far as the buffer must make room.
bool ContentLayout::FetchLater(bool* fetched) {
  *fetched = false;
  int64_t next = int64_t{entryBase} + bufferBase + held;
  if (held < 2 || next > INT32_MAX) return true;
  char* bytes = Scratch();
  uint32_t length = 0;
  if (source->GetLinkContByPt(static_cast<int32_t>(next - 2), bytes, 2, &length) < 0) return false;
  if (length != 2) return true;  // the text file ends here
  length = 0;
  if (source->GetWordContNext(bytes, kLaterFetchSize, &length) < 0) return false;
  int32_t n = static_cast<int32_t>(std::min<uint32_t>(length, kLaterFetchSize));
  if (n == 0) return true;
  int32_t drop = std::max(0, held + n - kContentBufferSize);
  std::memmove(buffer.get(), buffer.get() + drop, static_cast<size_t>(held - drop));
  std::memcpy(buffer.get() + held - drop, bytes, static_cast<size_t>(n));
  bufferBase += drop;
  held = held - drop + n;
  *fetched = true;
  return true;
}

// Fetches text until [first, last] is held, as far as the text file has it. False when a reader
// failed.
bool ContentLayout::EnsureHeld(int32_t first, int32_t last) {
  bool fetched = true;
  while (first < bufferBase && fetched) {
    if (!FetchEarlier(&fetched)) return false;
  }
  fetched = true;
  while (last >= bufferBase + held && fetched) {
    if (!FetchLater(&fetched)) return false;
  }
  return true;
}

}  // namespace calvetta
