#include "HitTest.h"

#include <gtest/gtest.h>

#include "LineBuilder.h"
#include "MemorySource.h"

namespace calvetta {
namespace {

using layouttest::Text;

constexpr uint16_t kA = 0x2422;  // あ
constexpr uint16_t kI = 0x2424;  // い
const Metrics kMetrics;          // line height 16, half width 8, full width 16

// Lays text out `usable` pixels wide into a list numbered from `first`.
LineList Lay(const Text& text, int32_t usable, int32_t first = 0) {
  std::vector<LineRecord> laid;
  HeldText held{text.Data().data(), 0, text.Size()};
  BuildLines(held, 0, text.Size() - 1, kMetrics, usable, &laid);
  LineList lines;
  lines.Assign(std::move(laid), first);
  return lines;
}

Text& EndReference(Text& t) { return t.Code({0x1F, 0x62, 0, 0, 0, 2, 0, 0}); }

// あ, reference いい, あ, picture with caption い, sound with caption あ:
// x 0 black | 16 slot 1 + blue run to 48 | 48 black | 64 slot 2 | 80 red | 96 slot 3 | 112 brown,
// all from the line's indent.
// あ, reference いい, あ, picture with caption い, sound with caption あ, on one line.
void MixedLine(Text& t) {
  t.Jis(kA).Code({0x1F, 0x42}).Jis(kI, 2);
  EndReference(t).Jis(kA);
  t.Code({0x1F, 0x44, 0, 0, 0, 0, 0, 0x16, 0, 0, 0, 0x16}).Jis(kI).Code({0x1F, 0x64, 0, 0, 0, 3, 0, 0});
  t.Code({0x1F, 0x48, 3, 0, 1, 0x30, 0, 0, 0, 0x15, 0, 0}).Jis(kA).Code({0x1F, 0x68}).Newline();
}

// The line above and a line that is one reference: each stop covers its slot and
// its coloured text, in reading order, lines of the page only.
TEST(HitTest, LinkStopsCoverEachLinksColouredTextInReadingOrder) {
  Text t;
  MixedLine(t);
  t.Code({0x1F, 0x42}).Jis(kA, 3);
  EndReference(t).Newline();
  LineList lines = Lay(t, 1000, 5);
  ASSERT_EQ(lines.LastNumber(), 6);
  const int32_t indent = lines.First().indent;
  std::vector<LinkStop> stops = LinkStops(lines, 5, 6, kMetrics);
  ASSERT_EQ(stops.size(), 4u);
  struct Expected {
    int32_t line;
    size_t slot;
    int32_t left, right;
  } expected[] = {{5, 0, 16, 48}, {5, 1, 64, 96}, {5, 2, 96, 128}, {6, 0, 0, 48}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(stops[i].line, expected[i].line) << i;
    EXPECT_EQ(stops[i].slot, expected[i].slot) << i;
    EXPECT_EQ(stops[i].left, indent + expected[i].left) << i;
    EXPECT_EQ(stops[i].right, indent + expected[i].right) << i;
  }
  EXPECT_EQ(LinkStops(lines, 6, 6, kMetrics).size(), 1u) << "a page below the first line";
  EXPECT_TRUE(LinkStops(lines, 7, 9, kMetrics).empty()) << "lines not held";
}

TEST(HitTest, SlotsThenRunsByColour) {
  Text t;
  MixedLine(t);
  LineList lines = Lay(t, 1000);
  const LineRecord& line = lines.First();
  ASSERT_EQ(line.links.size(), 3u);

  struct Case {
    int32_t x;
    uint8_t kind;
    int link;  // index of the link slot, -1 none
  } cases[] = {
      {8, kHoverNone, -1},         // black text before anything
      {16, kHoverReference, 0},    // the slot's left edge
      {40, kHoverReference, 0},    // the blue run behind the slot
      {48, kHoverReference, 0},    // the blue run's right edge counts
      {56, kHoverNone, -1},        // black text ends the search
      {70, kHoverGraphic, 1},      // the picture's icon
      {90, kHoverGraphic, 1},      // its red caption
      {100, kHoverSound, 2},       // the sound's icon
      {120, kHoverSound, 2},       // its brown caption
      {200, kHoverNone, -1},       // right of everything
  };
  for (const Case& c : cases) {
    Hit hit = HitTest(lines, 0, 0, kMetrics, line.indent + c.x, 5);
    EXPECT_EQ(hit.kind, c.kind) << "x " << c.x;
    EXPECT_EQ(hit.link, c.link < 0 ? nullptr : &line.links[c.link]) << "x " << c.x;
  }
}

TEST(HitTest, WrappedReferenceUsesTheSlotOfTheLineAbove) {
  Text t;
  t.Jis(kA).Code({0x1F, 0x42}).Jis(kI, 4);
  EndReference(t).Newline();
  LineList lines = Lay(t, 64, 7);  // (indent) あいい | いい
  ASSERT_EQ(lines.Count(), 2u);
  const LineRecord* second = lines.Find(8);
  ASSERT_TRUE(second && second->links.empty());
  int32_t indent = second->indent;
  Hit upper = HitTest(lines, 7, 8, kMetrics, indent + 20, 2);
  Hit lower = HitTest(lines, 7, 8, kMetrics, indent + 8, 16 + 2);
  EXPECT_EQ(upper.kind, kHoverReference);
  EXPECT_EQ(lower.kind, kHoverReference);
  EXPECT_EQ(lower.link, upper.link);
  EXPECT_EQ(lower.line, second);

  // The same second line without the first one held: no slot to follow.
  LineList alone;
  alone.Assign({*second}, 8);
  EXPECT_EQ(HitTest(alone, 8, 8, kMetrics, indent + 8, 2).kind, kHoverNone);
}

TEST(HitTest, ExternalCharacterInsideAReference) {
  Text t;
  t.Code({0x1F, 0x42}).Jis(kI).Jis(0xA121);
  EndReference(t).Jis(0xA122).Newline();
  LineList lines = Lay(t, 1000);
  ASSERT_EQ(lines.First().gaiji.size(), 2u);
  int32_t indent = lines.First().indent;
  Hit blue = HitTest(lines, 0, 0, kMetrics, indent + 28, 0);
  EXPECT_EQ(blue.kind, kHoverReference);
  EXPECT_EQ(blue.link, &lines.First().links[0]);
  EXPECT_EQ(HitTest(lines, 0, 0, kMetrics, indent + 40, 0).kind, kHoverNone);  // the black one after it

  // In narrow text a character takes half a cell but is hit over a whole one: black text drawn
  // over the rest of the cell wins.
  Text narrow;
  narrow.Code({0x1F, 0x04, 0x1F, 0x42}).Jis(0x2341).Jis(0xA121);
  EndReference(narrow).Jis(0x2342).Code({0x1F, 0x05}).Newline();  // A{A121} reference, then B
  LineList narrowLines = Lay(narrow, 1000);
  indent = narrowLines.First().indent;
  ASSERT_EQ(narrowLines.First().gaiji.size(), 1u);
  EXPECT_EQ(HitTest(narrowLines, 0, 0, kMetrics, indent + 10, 0).kind, kHoverReference);
  EXPECT_EQ(HitTest(narrowLines, 0, 0, kMetrics, indent + 20, 0).kind, kHoverNone);
}

TEST(HitTest, PointsOffThePageHitNothing) {
  Text t;
  t.Code({0x1F, 0x42}).Jis(kI, 2);
  EndReference(t).Newline().Code({0x1F, 0x42}).Jis(kI, 2);
  EndReference(t).Newline();
  LineList lines = Lay(t, 1000);
  ASSERT_EQ(lines.Count(), 2u);
  int32_t x = lines.First().indent + 8;
  EXPECT_EQ(HitTest(lines, 0, 1, kMetrics, x, 20).kind, kHoverReference);
  EXPECT_EQ(HitTest(lines, 0, 0, kMetrics, x, 20).kind, kHoverNone);  // below BottomLine
  EXPECT_EQ(HitTest(lines, 1, 1, kMetrics, x, 20).kind, kHoverNone);  // no line 2
  EXPECT_EQ(HitTest(lines, 0, 1, kMetrics, -1, 4).kind, kHoverNone);
  EXPECT_EQ(HitTest(lines, 0, 1, kMetrics, x, -4).kind, kHoverNone);
}

// Two entries, each "[indent] keyword headword", then a body line.
TEST(HeadwordPosition, NearestKeywordBackwardsWithItsIndent) {
  Text t;
  t.Code({0x1F, 0x02}).Code({0x1F, 0x41, 0x01, 0x00}).Jis(kA, 3).Code({0x1F, 0x61}).Newline();
  int32_t firstBody = t.Size();
  t.Jis(kI, 10).Newline();
  int32_t second = t.Size();
  t.Code({0x1F, 0x09, 0x00, 0x01}).Code({0x1F, 0x41, 0x01, 0x00}).Jis(kA).Code({0x1F, 0x61}).Newline();
  t.Code({0x1F, 0x41, 0x02, 0x00}).Jis(kI).Code({0x1F, 0x61}).Newline();  // not a headword
  int32_t secondBody = t.Size();
  t.Jis(kI, 10).Newline();
  HeldText held{t.Data().data(), 0, t.Size()};

  EXPECT_EQ(HeadwordPosition(held, 5000, firstBody), 5002);
  EXPECT_EQ(HeadwordPosition(held, 5000, secondBody), 5000 + second);  // from the indent code
  EXPECT_EQ(HeadwordPosition(held, 5000, 2), 5002);                    // the headword line itself
  EXPECT_EQ(HeadwordPosition(held, 5000, 0), 5000);                    // nothing before
  EXPECT_EQ(HeadwordPosition(held, 5000, t.Size() + 2), 5000);         // not held

  // Earlier text fetched in front: view positions below 0 give positions before EntryBase.
  HeldText shifted{t.Data().data(), -secondBody, t.Size()};
  EXPECT_EQ(HeadwordPosition(shifted, 5000, 0), 5000 + second - secondBody);
  EXPECT_EQ(HeadwordPosition(shifted, 5000, -secondBody - 2), 5000);
}

// The same two entries laid out (the first headword line after the begin code; the second's
// body wraps): each line belongs to the entry its headword line starts.
TEST(EntryLines, FromAHeadwordLineToTheLineBeforeTheNext) {
  Text t;
  t.Code({0x1F, 0x41, 0x01, 0x00}).Jis(kA, 3).Code({0x1F, 0x61}).Newline();     // line 0
  t.Jis(kI, 10).Newline();                                                     // line 1
  t.Code({0x1F, 0x09, 0x00, 0x01}).Code({0x1F, 0x41, 0x01, 0x00}).Jis(kA).Code({0x1F, 0x61}).Newline();  // 2
  t.Code({0x1F, 0x41, 0x02, 0x00}).Jis(kI).Code({0x1F, 0x61}).Newline();       // 3: not a headword
  t.Jis(kI, 30).Newline();                                                     // 4, wrapped on 5
  LineList lines = Lay(t, 20 * 16);
  ASSERT_EQ(lines.LastNumber(), 5);
  ASSERT_TRUE(lines.Find(5)->continuation);
  HeldText held{t.Data().data(), 0, t.Size()};
  int32_t first = -1, last = -1;
  ASSERT_TRUE(EntryLines(lines, held, 1, &first, &last));
  EXPECT_EQ(first, 0);
  EXPECT_EQ(last, 1);
  for (int32_t row : {2, 3, 5}) {
    ASSERT_TRUE(EntryLines(lines, held, row, &first, &last)) << row;
    EXPECT_EQ(first, 2) << row;
    EXPECT_EQ(last, 5) << row;
  }
  EXPECT_FALSE(EntryLines(lines, held, 6, &first, &last));
  // The lines that begin an entry: the headword lines, with or without their indent.
  for (int32_t row = 0; row <= 5; ++row)
    EXPECT_EQ(LineStartsEntry(*lines.Find(row), held), row == 0 || row == 2) << row;
}

}  // namespace
}  // namespace calvetta
