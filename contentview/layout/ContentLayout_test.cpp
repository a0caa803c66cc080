#include "ContentLayout.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "MemorySource.h"

namespace calvetta {
namespace {

using layouttest::MemorySource;
using layouttest::Text;

// 1F 02, `count` paragraphs "<n>NNNNNN</n>" + 20 kanji + newline, 1F 03.
Text Numbered(int count) {
  Text t;
  t.Code({0x1F, 0x02});
  for (int i = 1; i <= count; ++i) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06d", i);
    t.Code({0x1F, 0x04}).Wide(digits).Code({0x1F, 0x05}).Jis(0x3021, 20).Newline();
  }
  return t.Code({0x1F, 0x03});
}

// The number at the start of the line, or -1.
int NumberOf(const LineRecord* line) {
  if (!line || line->runs.empty() || !line->runs[0].narrow) return -1;
  return std::atoi(line->runs[0].text.c_str());
}

struct LayoutFixture : ::testing::Test {
  explicit LayoutFixture(int count = 6000) : source(Numbered(count).Data()), layout(&source) {
    source.hits = {2, 2 + 58 * 3000};
    layout.SetClientSize(416, 3 + 16 * 20);
  }
  MemorySource source;
  ContentLayout layout;
};

TEST_F(LayoutFixture, PageMeasures) {
  layout.SetClientSize(205, 100);
  PageMeasures page = layout.Page();
  EXPECT_EQ(page.textRight, 189);
  EXPECT_EQ(page.usableWidth, 184);
  EXPECT_EQ(page.linesPerPage, 6);
  EXPECT_EQ(page.textHeight, 96);
}

TEST_F(LayoutFixture, ShowsAnEntryAtItsStart) {
  ASSERT_EQ(layout.ShowHit(0), LayoutResult::kDone);
  EXPECT_FALSE(layout.IsBlank());
  EXPECT_TRUE(layout.AtTextStart());
  EXPECT_EQ(layout.TopLine(), 0);
  EXPECT_EQ(layout.BottomLine(), 19);
  EXPECT_EQ(NumberOf(layout.Line(0)), 1);
  EXPECT_EQ(layout.Line(0)->endMark, EndMark::kBeginsEntry);
  ButtonStates b = layout.Buttons();
  EXPECT_FALSE(b.lineUp || b.pageUp);
  EXPECT_TRUE(b.lineDown && b.pageDown);
  EXPECT_EQ(layout.CacheLimit(), std::max<size_t>(512, 3 * layout.Lines().Count()));

  ASSERT_EQ(layout.ShowHit(1), LayoutResult::kDone);  // in the middle: earlier text exists
  EXPECT_FALSE(layout.AtTextStart());
  EXPECT_TRUE(layout.Buttons().lineUp);
  EXPECT_EQ(NumberOf(layout.Line(0)), 3001);
}

TEST_F(LayoutFixture, FailuresLeaveTheLayoutBlank) {
  source.failWordCont = -1;
  EXPECT_EQ(layout.ShowHit(0), LayoutResult::kFailed);
  EXPECT_TRUE(layout.Failed() && layout.IsBlank());
  source.failWordCont = 0;
  EXPECT_EQ(layout.ShowHit(5), LayoutResult::kFailed);  // -2 from the reader
  EXPECT_EQ(layout.ShowAt(10000000), LayoutResult::kNoText);
  EXPECT_TRUE(layout.IsBlank());
  source.failLookBack = true;
  EXPECT_EQ(layout.ShowHit(0), LayoutResult::kFailed);
  EXPECT_FALSE(layout.Buttons().lineDown);
  source.failLookBack = false;
  ASSERT_EQ(layout.ShowHit(0), LayoutResult::kDone);
  source.failLater = true;
  LayoutResult result = LayoutResult::kDone;
  for (int i = 0; i < 1000 && result == LayoutResult::kDone && !layout.AtTextEnd(); ++i)
    result = layout.ScrollTo(layout.BottomLine() + 1);
  EXPECT_EQ(result, LayoutResult::kFailed);
  EXPECT_TRUE(layout.IsBlank());
  EXPECT_EQ(layout.Line(0), nullptr);
  EXPECT_EQ(layout.ScrollTo(3), LayoutResult::kDone);  // nothing held: no change
}

TEST_F(LayoutFixture, FollowedReferenceReplacesTheEntryUnlessItNamesNoText) {
  ASSERT_EQ(layout.ShowHit(0), LayoutResult::kDone);
  ASSERT_EQ(layout.ScrollBy(5), LayoutResult::kDone);
  source.linkTarget = Numbered(6000).Size();  // the end of the text file: no bytes
  EXPECT_EQ(layout.ShowLink("\x1F\x42"), LayoutResult::kNoText);
  EXPECT_FALSE(layout.IsBlank());
  EXPECT_EQ(layout.TopLine(), 5);
  ASSERT_NE(layout.HeldBytes(0, 2), nullptr);
  EXPECT_EQ(layout.HeldBytes(0, 2)[1], 0x04);  // the text itself is kept, not zeroed
  ASSERT_EQ(layout.ScrollBy(1), LayoutResult::kDone);
  EXPECT_EQ(NumberOf(layout.Line(6)), 7);

  source.linkTarget = 2 + 58 * 3000;
  ASSERT_EQ(layout.ShowLink("\x1F\x42"), LayoutResult::kDone);
  EXPECT_EQ(layout.EntryBase(), 2 + 58 * 3000);
  EXPECT_EQ(layout.TopLine(), 0);
  EXPECT_EQ(NumberOf(layout.Line(0)), 3001);
  source.linkTarget = -1;
  EXPECT_EQ(layout.ShowLink("\x1F\x42"), LayoutResult::kFailed);
  EXPECT_TRUE(layout.IsBlank());
}

TEST_F(LayoutFixture, ScrollsThroughTextLongerThanTheBufferAndBack) {
  ASSERT_EQ(layout.ShowHit(0), LayoutResult::kDone);
  int expected = 1;
  int pages = 0;
  int32_t lowestBase = 0, highestBase = 0;
  while (true) {
    for (int32_t n = layout.TopLine(); n <= layout.BottomLine(); ++n) {
      int number = NumberOf(layout.Line(n));
      if (number < 0) continue;
      if (n == layout.TopLine() && number < expected) continue;  // overlap of the last page
      ASSERT_EQ(number, expected) << "line " << n;
      ++expected;
    }
    EXPECT_LE(layout.Lines().Count(), layout.CacheLimit() + 600);
    highestBase = std::max(highestBase, layout.BufferBase());
    if (layout.AtTextEnd()) break;
    char scratch[4];
    uint32_t length = 0;
    source.GetLinkContByPt(0, scratch, 4, &length);  // another reader moves the cursor
    ASSERT_EQ(layout.ScrollTo(layout.BottomLine() + 1), LayoutResult::kDone);
    ASSERT_LT(++pages, 1000);
  }
  EXPECT_EQ(expected, 6001);
  EXPECT_GT(highestBase, 0);
  EXPECT_FALSE(layout.Buttons().lineDown || layout.Buttons().pageDown);
  EXPECT_TRUE(layout.Buttons().lineUp);

  int next = NumberOf(layout.Line(layout.TopLine())) - 1;
  while (!layout.AtTextStart()) {
    int32_t top = layout.TopLine();
    ASSERT_EQ(layout.ScrollTo(top - layout.LinesPerPage()), LayoutResult::kDone);
    for (int32_t n = layout.BottomLine(); n >= layout.TopLine(); --n) {
      int number = NumberOf(layout.Line(n));
      if (number < 0 || number > next) continue;
      ASSERT_EQ(number, next) << "line " << n;
      --next;
    }
    lowestBase = std::min(lowestBase, layout.BufferBase());
    ASSERT_LT(++pages, 2000);
  }
  EXPECT_EQ(next, 0);
  EXPECT_EQ(NumberOf(layout.Line(layout.TopLine())), 1);
  EXPECT_EQ(lowestBase, -2);  // the 1F 02 before the fetch position
  EXPECT_FALSE(layout.Buttons().lineUp);
}

TEST_F(LayoutFixture, ResizePicksTheChunkAndBlanksNarrowWindows) {
  ASSERT_EQ(layout.ShowHit(1), LayoutResult::kDone);
  ASSERT_EQ(layout.ScrollTo(5), LayoutResult::kDone);
  EXPECT_EQ(layout.Resize(79, 200), LayoutResult::kDone);  // (79 + 1) / 16 = 5
  EXPECT_EQ(layout.LayoutChunk(), 2048);
  EXPECT_FALSE(layout.IsBlank());
  EXPECT_EQ(layout.Line(0)->runs[0].text, "0030");  // from the paragraph of the top line, 003006
  EXPECT_TRUE(layout.Line(1)->continuation);
  layout.Resize(111, 200);
  EXPECT_EQ(layout.LayoutChunk(), 4096);
  layout.Resize(191, 200);
  EXPECT_EQ(layout.LayoutChunk(), 8192);
  layout.Resize(63, 200);
  EXPECT_TRUE(layout.IsBlank());
  EXPECT_FALSE(layout.Buttons().lineDown);
  ASSERT_EQ(layout.Resize(416, 200), LayoutResult::kDone);
  EXPECT_FALSE(layout.IsBlank());
  EXPECT_EQ(NumberOf(layout.Line(layout.TopLine())), 3006);  // the same paragraph on top
}

TEST_F(LayoutFixture, ShownIntoATooNarrowWindowAppearsWhenWidened) {
  layout.SetClientSize(40, 200);
  ASSERT_EQ(layout.ShowHit(0), LayoutResult::kDone);
  EXPECT_TRUE(layout.IsBlank());
  EXPECT_TRUE(layout.HasContent());
  ASSERT_EQ(layout.Resize(416, 200), LayoutResult::kDone);
  EXPECT_EQ(NumberOf(layout.Line(0)), 1);
  EXPECT_TRUE(layout.AtTextStart());  // what the look-back found is kept
  layout.Blank();
  EXPECT_FALSE(layout.HasContent());
  EXPECT_EQ(layout.Resize(416, 200), LayoutResult::kDone);
  EXPECT_TRUE(layout.IsBlank());
}

}  // namespace
}  // namespace calvetta
