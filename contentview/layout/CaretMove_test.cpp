#include "CaretMove.h"

#include <gtest/gtest.h>

#include "LineBuilder.h"
#include "MarkEdges.h"
#include "MarkSelection.h"
#include "MemorySource.h"

namespace calvetta {
namespace {

using layouttest::Text;

// ＡＢＣＤＥＦＧＨ wrapped after four characters, then ＩＪ and a last line of the narrow "xyz"
// (default metrics 16/8/16, width 80, indent 16: wide cells at 16, 32, 48, 64).
class CaretMoves : public ::testing::Test {
 protected:
  void SetUp() override {
    t.Wide("ABCDEFGH").Newline().Wide("IJ").Newline().Code({0x1F, 0x04}).Wide("xyz").Code({0x1F, 0x05}).Newline();
    std::vector<LineRecord> built;
    HeldText held{t.Data().data(), 0, t.Size()};
    BuildLines(held, 0, t.Size() - 1, metrics, 80, &built);
    ASSERT_EQ(built.size(), 4u);
    lines.Assign(std::move(built), 0);
  }
  // The text a Shift-extension from `from` to `to` marks.
  std::string Marked(CaretPlace from, CaretPlace to) {
    MarkSelection marks;
    marks.Begin(lines, metrics, from.row, from.edge + 1);
    marks.Extend(lines, metrics, to.row, to.edge + 1);
    marks.Extract(lines, metrics);
    return marks.JoinedText();
  }

  Text t;
  Metrics metrics;
  LineList lines;
};

TEST_F(CaretMoves, RightAndLeftStepOverEveryCharacterAndAcrossLineEnds) {
  CaretPlace caret;
  ASSERT_TRUE(CaretAtLineStart(lines, metrics, 0, &caret));
  EXPECT_EQ(LineEdges(*lines.Find(0), metrics), (std::vector<int32_t>{15, 31, 47, 63, 79}));
  EXPECT_EQ(LineEdges(*lines.Find(3), metrics).size(), 4u) << "three narrow characters";
  std::vector<CaretPlace> walk{caret};
  while (MoveCaret(lines, metrics, CaretStep::kRight, &caret)) walk.push_back(caret);
  // Five edges of the first line, five of its continuation, three of ＩＪ, four of xyz.
  ASSERT_EQ(walk.size(), 17u);
  EXPECT_EQ(walk[5], (CaretPlace{1, 15})) << "from the end of a line to the start of the next";
  EXPECT_EQ(walk.back(), (CaretPlace{3, 16 + 3 * 8 - 1}));
  // Left retraces every step.
  for (size_t i = walk.size() - 1; i > 0; --i) {
    ASSERT_TRUE(MoveCaret(lines, metrics, CaretStep::kLeft, &caret));
    EXPECT_EQ(caret, walk[i - 1]) << i;
  }
  EXPECT_FALSE(MoveCaret(lines, metrics, CaretStep::kLeft, &caret)) << "before the first held line";
  EXPECT_EQ(caret, walk.front());
}

TEST_F(CaretMoves, HomeEndUpAndDownStayOnTheHeldLines) {
  CaretPlace caret{0, 47};  // before Ｃ
  ASSERT_TRUE(MoveCaret(lines, metrics, CaretStep::kDown, &caret));
  EXPECT_EQ(caret, (CaretPlace{1, 47})) << "the same x on the line below";
  ASSERT_TRUE(MoveCaret(lines, metrics, CaretStep::kDown, &caret));
  EXPECT_EQ(caret, (CaretPlace{2, 47})) << "past ＩＪ's end: its end";
  ASSERT_TRUE(MoveCaret(lines, metrics, CaretStep::kLineStart, &caret));
  EXPECT_EQ(caret.edge, 15);
  ASSERT_TRUE(MoveCaret(lines, metrics, CaretStep::kLineEnd, &caret));
  EXPECT_EQ(caret.edge, 47);
  ASSERT_TRUE(MoveCaret(lines, metrics, CaretStep::kDown, &caret));
  EXPECT_EQ(caret, (CaretPlace{3, 39})) << "snapped to a narrow character's edge";
  EXPECT_FALSE(MoveCaret(lines, metrics, CaretStep::kDown, &caret));
  CaretPlace gone{9, 15};
  EXPECT_FALSE(MoveCaret(lines, metrics, CaretStep::kRight, &gone)) << "a line no longer held";
  EXPECT_FALSE(CaretAtLineStart(lines, metrics, 9, &gone));
}

TEST_F(CaretMoves, AnExtensionMarksTheCharactersPassedOver) {
  CaretPlace anchor{0, 31};  // before Ｂ
  CaretPlace caret = anchor;
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(MoveCaret(lines, metrics, CaretStep::kRight, &caret));
  EXPECT_EQ(Marked(anchor, caret), "\x82\x61\x82\x62");  // ＢＣ
  ASSERT_TRUE(MoveCaret(lines, metrics, CaretStep::kDown, &caret));
  ASSERT_TRUE(MoveCaret(lines, metrics, CaretStep::kDown, &caret));
  EXPECT_EQ(Marked(anchor, caret), "\x82\x61\x82\x62\x82\x63\x82\x64\x82\x65\x82\x66\x82\x67\r\n\x82\x68\x82\x69\r\n")
      << "on over the wrapped line and two paragraph breaks (ＩＪ marked to its end)";
  // Back before the anchor: the mark runs the other way.
  caret = anchor;
  ASSERT_TRUE(MoveCaret(lines, metrics, CaretStep::kLeft, &caret));
  EXPECT_EQ(Marked(anchor, caret), "\x82\x60");  // Ａ
}

// The edges are those every pixel of the line gives, on lines of runs, external characters
// and icons placed apart, side by side and over one another, bold or narrow, indented or not.
TEST(CaretEdges, AreTheEdgesEveryPixelGives) {
  uint32_t seed = 7;
  auto next = [&](uint32_t below) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int32_t>((seed >> 16) % below);
  };
  for (int round = 0; round < 5000; ++round) {
    Metrics metrics{16, 1 + next(9), 1 + next(18), next(3)};
    LineRecord line;
    line.indent = next(40);
    int32_t x = next(5);
    for (int item = 0, items = 1 + next(6); item < items; ++item) {
      switch (next(3)) {
        case 0: {
          TextRun run;
          run.narrow = next(2) == 1;
          run.bold = next(2) == 1;
          run.text.assign(static_cast<size_t>(1 + next(6)) * (run.narrow ? 1 : 2), 'A');
          run.x = x;
          x += RunWidth(run, metrics) - next(3);
          line.runs.push_back(run);
          break;
        }
        case 1:
          line.gaiji.push_back({0xA121, x, next(2) == 1});
          x += metrics.fullWidth - next(4) + next(4);
          break;
        default:
          line.icons.push_back({1, x});
          x += metrics.fullWidth + next(6);
          break;
      }
    }
    std::vector<int32_t> expected{LineLeftStart(line, metrics)};
    const int32_t right = LineRightEnd(line, metrics);
    for (int32_t pixel = expected.front() + 1; pixel < right; ++pixel) {
      const int32_t edge = SnapToEdge(&line, pixel, metrics);
      if (edge > expected.back()) expected.push_back(edge);
    }
    if (right > expected.back()) expected.push_back(right);
    ASSERT_EQ(LineEdges(line, metrics), expected) << "round " << round;
    // Home and End land on the first and the last of them, whatever the caret's edge was.
    LineList lines;
    lines.Assign({line}, 0);
    CaretPlace caret{0, expected.back() + next(5)};
    ASSERT_TRUE(MoveCaret(lines, metrics, CaretStep::kLineStart, &caret));
    ASSERT_EQ(caret.edge, expected.front()) << "round " << round;
    ASSERT_TRUE(MoveCaret(lines, metrics, CaretStep::kLineEnd, &caret));
    ASSERT_EQ(caret.edge, expected.back()) << "round " << round;
  }
}

}  // namespace
}  // namespace calvetta
