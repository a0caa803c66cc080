#include "LineList.h"

#include <gtest/gtest.h>

namespace calvetta {
namespace {

// Paragraphs of `size` lines each (the first line of each is not a continuation).
std::vector<LineRecord> Paragraphs(int count, int size) {
  std::vector<LineRecord> lines;
  for (int p = 0; p < count; ++p) {
    for (int i = 0; i < size; ++i) {
      LineRecord line;
      line.continuation = i > 0;
      lines.push_back(line);
    }
  }
  return lines;
}

TEST(LineList, TrimsTheHeadToAParagraphStart) {
  LineList list;
  list.SetLimit(10);
  list.Assign(Paragraphs(3, 3), 0);  // 0..8
  list.Append(Paragraphs(1, 3));     // 9..11: 12 lines, limit 10
  // Down to 10 (drops 0, 1), one more (2), then on to a paragraph start: 3.
  EXPECT_EQ(list.FirstNumber(), 3);
  EXPECT_EQ(list.LastNumber(), 11);
  EXPECT_FALSE(list.First().continuation);
  EXPECT_EQ(list.Find(5)->number, 5);
  EXPECT_EQ(list.Find(2), nullptr);
}

TEST(LineList, TrimsTheTailToAParagraphEnd) {
  LineList list;
  list.SetLimit(10);
  list.Assign(Paragraphs(3, 3), 0);
  EXPECT_EQ(list.Prepend(Paragraphs(1, 3)), -3);  // -3..8
  // Down to 10 (drops 8, 7), one more (6, a paragraph start): the tail ends a paragraph.
  EXPECT_EQ(list.LastNumber(), 5);
  EXPECT_EQ(list.Count(), 9u);
}

TEST(LineList, NeverDropsTheLinesJustAdded) {
  LineList list;
  list.SetLimit(2);
  list.Assign(Paragraphs(1, 2), 0);
  list.Append(Paragraphs(1, 5));
  EXPECT_EQ(list.Count(), 5u);
  EXPECT_EQ(list.FirstNumber(), 2);
}

}  // namespace
}  // namespace calvetta
