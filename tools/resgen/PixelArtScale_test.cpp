#include "PixelArtScale.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace resgen {
namespace {

std::set<char> Colours(const PixelRows& rows) {
  std::set<char> colours;
  for (const std::string& row : rows) colours.insert(row.begin(), row.end());
  return colours;
}

// The '#' pixels reachable from the first one through its eight neighbours.
size_t ReachableInk(const PixelRows& rows) {
  std::vector<std::pair<int, int>> todo;
  std::set<std::pair<int, int>> seen;
  for (int y = 0; y < static_cast<int>(rows.size()) && todo.empty(); ++y)
    for (int x = 0; x < static_cast<int>(rows[y].size()) && todo.empty(); ++x)
      if (rows[y][x] == '#') todo.push_back({x, y});
  while (!todo.empty()) {
    auto [x, y] = todo.back();
    todo.pop_back();
    if (y < 0 || y >= static_cast<int>(rows.size()) || x < 0 || x >= static_cast<int>(rows[y].size()) ||
        rows[y][x] != '#' || !seen.insert({x, y}).second)
      continue;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) todo.push_back({x + dx, y + dy});
  }
  return seen.size();
}

size_t Ink(const PixelRows& rows) {
  size_t count = 0;
  for (const std::string& row : rows)
    for (char c : row) count += c == '#';
  return count;
}

TEST(PixelArtScale, SizesRoundAsTheViewerAndNoColourIsLostOrMadeUp) {
  // A toolbar picture's shape: 16 × 15, three colours and clear.
  PixelRows art(15, std::string(16, '.'));
  art[3] = "..####..rrrr..bb";
  art[7] = ".#....#.r..r.b..";
  art[14] = "################";
  for (int percent : {100, 150, 200}) {
    PixelRows scaled = ScaledArt(art, percent);
    ASSERT_EQ(static_cast<int>(scaled.size()), ScaledSide(15, percent)) << percent;
    for (const std::string& row : scaled) ASSERT_EQ(static_cast<int>(row.size()), ScaledSide(16, percent)) << percent;
    EXPECT_EQ(Colours(scaled), Colours(art)) << percent;
  }
  // As ui::ScaledPixels rounds 16 and 15 pixels at 144 dots an inch.
  EXPECT_EQ(ScaledSide(16, 150), 24);
  EXPECT_EQ(ScaledSide(15, 150), 23);
}

TEST(PixelArtScale, LinesOnePixelWideStayWholeAndDiagonalsJoin) {
  // A cross of one-pixel lines: at 1.5 times no row or column of a line may be dropped.
  PixelRows cross(9, std::string(9, '.'));
  cross[4] = "#########";
  for (std::string& row : cross) row[4] = '#';
  PixelRows half = ScaledArt(cross, 150);
  EXPECT_EQ(ReachableInk(half), Ink(half));
  for (const std::string& row : half) EXPECT_NE(row.find('#'), std::string::npos) << "the upright line broke";

  // A diagonal made larger stays one joined line.
  PixelRows diagonal(8, std::string(8, '.'));
  for (int i = 0; i < 8; ++i) diagonal[i][i] = '#';
  for (int percent : {150, 200}) {
    PixelRows scaled = ScaledArt(diagonal, percent);
    EXPECT_EQ(ReachableInk(scaled), Ink(scaled)) << percent;
    EXPECT_GT(Ink(scaled), 8u) << percent;
  }
}

}  // namespace
}  // namespace resgen
