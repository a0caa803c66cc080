// The content view's layout and scrolling over arbitrary entry text. Input: window measures
// and font metrics (6 bytes), a script for the steps below (section), then the text, which is the whole text file behind the readers, shown from a hit at a position the
// measures choose.
//
// The run is a list of steps over one laid-out view; each step looks at the lines the layout
// holds. A step that extracts marks from the lines goes into kSteps once marks exist.
#include <cstring>

#include "ContentLayout.h"
#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "MemorySource.h"

namespace fuzz {

namespace {

struct LayoutRun {
  calvetta::ContentLayout& layout;
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

using Step = void (*)(LayoutRun&);
const Step kSteps[] = {Scroll, Resize, Scroll, FollowLinks, Scroll};

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
  LayoutRun run{layout, script};
  for (Step step : kSteps) step(run);
  layout.ShowAt(where * 16);
  CheckLines(layout);
  return 0;
}

}  // namespace fuzz
