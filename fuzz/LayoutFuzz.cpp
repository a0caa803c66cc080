// The content view's layout, scrolling and marks over arbitrary entry text. Input: window
// measures and font metrics (6 bytes), a script for the steps below (section), then the text,
// which is the whole text file behind the readers, shown from a hit at a position the measures
// choose.
//
// The run is a list of steps over one laid-out view; each step looks at the lines the layout
// holds.
#include <cstring>
#include <vector>

#include "ContentLayout.h"
#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "HitTest.h"
#include "MarkSelection.h"
#include "ShiftJis.h"
#include "WordAt.h"
#include "MemorySource.h"

namespace fuzz {

namespace {

struct LayoutRun {
  calvetta::ContentLayout& layout;
  const calvetta::Metrics& metrics;
  FuzzInput& input;
};

// Every held line keeps to its record's limits.
void CheckLines(const calvetta::ContentLayout& layout) {
  const calvetta::LineList& lines = layout.Lines();
  if (lines.Empty()) return;
  for (int32_t n = lines.FirstNumber(); n <= lines.LastNumber(); ++n) {
    const calvetta::LineRecord* line = layout.Line(n);
    FUZZ_CHECK(line != nullptr && line->number == n);
    FUZZ_CHECK(line->runs.size() <= calvetta::kSlotsPerLine && line->icons.size() <= calvetta::kSlotsPerLine &&
               line->gaiji.size() <= calvetta::kSlotsPerLine && line->links.size() <= calvetta::kSlotsPerLine);
    for (const calvetta::TextRun& run : line->runs)
      FUZZ_CHECK(!run.text.empty() && run.text.size() <= calvetta::kMaxRunBytes);
    for (const calvetta::LinkSlot& link : line->links)
      FUZZ_CHECK(link.length <= calvetta::kLinkBlockSize && link.code[link.length] == '\0');
  }
}

void Scroll(LayoutRun& run) {
  size_t count = run.input.Byte() % 24;
  for (size_t i = 0; i < count; ++i) {
    int32_t n = static_cast<int16_t>(run.input.Word());
    run.layout.ScrollTo(run.layout.TopLine() + n % 64);
    CheckLines(run.layout);
  }
}

void Resize(LayoutRun& run) {
  run.layout.Resize(run.input.Byte() * 4, run.input.Byte() * 4);
  CheckLines(run.layout);
}

// The text a link slot names, as a click on it shows it.
void FollowLinks(LayoutRun& run) {
  const calvetta::LineRecord* top = run.layout.Line(run.layout.TopLine());
  if (!top || top->links.empty()) return;
  std::vector<char> code(top->links.front().code.begin(), top->links.front().code.end());
  run.layout.ShowLink(code.data());
  CheckLines(run.layout);
}

// A drag from one point to a few others, then the marked text as the clipboard and the viewer's
// buffer take it: the joined text is the extracted total, and a copy never writes past the
// buffer's size (guard bytes behind it stay) nor ends on half of a double-byte character.
void Mark(LayoutRun& run) {
  calvetta::MarkSelection marks;
  const calvetta::LineList& lines = run.layout.Lines();
  int32_t top = run.layout.TopLine();
  marks.Begin(lines, run.metrics, top + run.input.Byte() % 8, run.input.Byte() * 4 - 8);
  size_t moves = run.input.Byte() % 6;
  for (size_t i = 0; i < moves; ++i) {
    int32_t row = top + static_cast<int8_t>(run.input.Byte()) % 96;
    marks.Extend(lines, run.metrics, row, run.input.Byte() * 4 - 8);
  }
  marks.End();
  FUZZ_CHECK(marks.UsedCount() <= calvetta::kMarkSegmentCount);
  size_t total = marks.Extract(lines, run.metrics);
  FUZZ_CHECK(marks.JoinedText().size() == total);
  int32_t size = run.input.Byte() % 64;
  std::vector<char> buffer(static_cast<size_t>(size) + 8, '\x7F');
  int32_t copied = marks.CopyLeading(buffer.data(), size);
  FUZZ_CHECK(copied >= 0 && (size < 2 ? copied == 0 : copied < size));
  if (size >= 1) FUZZ_CHECK(buffer[static_cast<size_t>(copied)] == '\0');
  for (size_t i = static_cast<size_t>(size); i < buffer.size(); ++i) FUZZ_CHECK(buffer[i] == '\x7F');
}

// A double-click's look-up text and the entry rule's test at a few points of the page: at most
// the characters asked for, never half a double-byte character, every line asked of.
void LookAt(LayoutRun& run) {
  const calvetta::LineList& lines = run.layout.Lines();
  const calvetta::HeldText text = run.layout.Text();
  size_t points = run.input.Byte() % 6;
  for (size_t i = 0; i < points; ++i) {
    const int32_t row = run.layout.TopLine() + static_cast<int8_t>(run.input.Byte()) % 48;
    const size_t most = run.input.Byte() % 40;
    const std::string word = calvetta::TextFromPoint(lines, row, run.input.Byte() * 4 - 8, run.metrics, most);
    size_t characters = 0;
    for (size_t at = 0; at < word.size(); ++characters)
      at += booktext::IsSjisLeadByte(static_cast<uint8_t>(word[at])) ? 2 : 1;
    FUZZ_CHECK(characters <= most);
    if (const calvetta::LineRecord* line = lines.Find(row)) calvetta::LineStartsEntry(*line, text);
  }
}

using Step = void (*)(LayoutRun&);
const Step kSteps[] = {Scroll, Mark, Resize, LookAt, Scroll, FollowLinks, Mark, LookAt, Scroll};

}  // namespace

int FuzzLayout(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  calvetta::Metrics metrics;
  metrics.lineHeight = 1 + input.Byte() % 40;
  metrics.halfWidth = 1 + input.Byte() % 24;
  metrics.fullWidth = metrics.halfWidth * 2;
  metrics.boldExtra = input.Byte() % 3;
  const int32_t width = input.Byte() * 4, height = input.Byte() * 4;
  const uint8_t where = input.Byte();
  Bytes steps = input.Section();
  layouttest::MemorySource source(input.Rest());
  source.hits = {0, static_cast<int32_t>(where) * 2};

  calvetta::ContentLayout layout(&source);
  layout.SetMetrics(metrics);
  layout.SetClientSize(width, height);
  layout.Resize(width, height);
  layout.ShowHit(where & 1);
  CheckLines(layout);
  FuzzInput script(steps.data(), steps.size());
  LayoutRun run{layout, metrics, script};
  for (Step step : kSteps) step(run);
  layout.ShowAt(where * 16);
  CheckLines(layout);
  return 0;
}

}  // namespace fuzz
