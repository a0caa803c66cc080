// The content view's layout, scrolling and marks over arbitrary entry text. Input: window
// measures and font metrics (6 bytes), a script for the steps below (section), then the text,
// which is the whole text file behind the readers, shown from a hit at a position the measures
// choose.
//
// The run is a list of steps over one laid-out view; each step looks at the lines the layout
// holds.
#include <cstring>
#include <vector>

#include <algorithm>
#include <map>
#include <string>

#include "CaretMove.h"
#include "ContentLayout.h"
#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "HitTest.h"
#include "HtmlCopy.h"
#include "JisText.h"
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

// The held lines are checked once the scrolls are done: a line laid out on the way stays held
// (the list keeps at least 512 lines, and drops them far from where the view is).
void Scroll(LayoutRun& run) {
  size_t count = run.input.Byte() % 24;
  for (size_t i = 0; i < count; ++i) {
    int32_t n = static_cast<int16_t>(run.input.Word());
    run.layout.ScrollTo(run.layout.TopLine() + n % 64);
  }
  CheckLines(run.layout);
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
  // The same marks as rich text: well-formed UTF-8, every paragraph's block closed, and the
  // envelope's offsets pointing at the fragment.
  const std::string fragment = calvetta::HtmlFragment(marks.JoinedPieces(), {});
  size_t at = 0;
  for (char32_t cp; booktext::NextUtf8(fragment, &at, &cp);) FUZZ_CHECK(cp != U'\uFFFD');
  size_t opened = 0, closed = 0;
  for (size_t p = 0; (p = fragment.find("<div", p)) != std::string::npos; ++p) ++opened;
  for (size_t p = 0; (p = fragment.find("</div>", p)) != std::string::npos; ++p) ++closed;
  FUZZ_CHECK(opened == closed);
  const std::string html = calvetta::ClipboardHtml(fragment);
  const size_t start = std::stoul(html.substr(html.find("StartFragment:") + 14, 10));
  FUZZ_CHECK(html.compare(start, fragment.size(), fragment) == 0);
}

// The keyboard's caret over the held lines: every move it makes lands on an edge of a held line,
// a step right from an edge is undone by a step left, and a Shift-extension from where it began
// marks what lies between.
void Caret(LayoutRun& run) {
  const calvetta::LineList& lines = run.layout.Lines();
  calvetta::CaretPlace caret;
  if (!calvetta::CaretAtLineStart(lines, run.metrics, run.layout.TopLine() + run.input.Byte() % 8, &caret)) return;
  const calvetta::CaretPlace anchor = caret;
  const size_t moves = run.input.Byte() % 24;
  // The lines stay as they are while the caret moves: each row's edges are asked once.
  std::map<int32_t, std::vector<int32_t>> edgesByRow;
  auto edgesOf = [&](int32_t row) -> const std::vector<int32_t>& {
    auto found = edgesByRow.find(row);
    if (found == edgesByRow.end()) {
      found = edgesByRow.emplace(row, calvetta::LineEdges(*lines.Find(row), run.metrics)).first;
      FUZZ_CHECK(std::is_sorted(found->second.begin(), found->second.end()));
    }
    return found->second;
  };
  for (size_t i = 0; i < moves; ++i) {
    const auto step = static_cast<calvetta::CaretStep>(run.input.Byte() % 6);
    const calvetta::CaretPlace before = caret;
    if (!calvetta::MoveCaret(lines, run.metrics, step, &caret)) {
      FUZZ_CHECK(caret == before);
      continue;
    }
    FUZZ_CHECK(lines.Find(caret.row) != nullptr);
    const std::vector<int32_t>& edges = edgesOf(caret.row);
    const bool onEdge = std::binary_search(edges.begin(), edges.end(), caret.edge);
    if (step == calvetta::CaretStep::kRight && onEdge) {
      const std::vector<int32_t>& from = edgesOf(before.row);
      if (std::binary_search(from.begin(), from.end(), before.edge)) {
        calvetta::CaretPlace back = caret;
        FUZZ_CHECK(calvetta::MoveCaret(lines, run.metrics, calvetta::CaretStep::kLeft, &back) && back == before);
      }
    }
  }
  calvetta::MarkSelection marks;
  marks.Begin(lines, run.metrics, anchor.row, anchor.edge + 1);
  marks.Extend(lines, run.metrics, caret.row, caret.edge + 1);
  marks.End();
  FUZZ_CHECK(marks.Extract(lines, run.metrics) == marks.JoinedText().size());
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
const Step kSteps[] = {Scroll, Mark, Resize, LookAt, Caret, Scroll, FollowLinks, Mark, LookAt, Caret, Scroll};

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
