#include "WordAt.h"

#include <gtest/gtest.h>

#include <vector>

#include "LineBuilder.h"
#include "MemorySource.h"

namespace calvetta {
namespace {

using layouttest::Text;

constexpr uint16_t kA = 0x2422, kI = 0x2424, kU = 0x2426, kE = 0x2428, kO = 0x242A;  // あいうえお
const Metrics kMetrics;  // full width 16, half width 8

LineList Lay(const Text& text, int32_t usable) {
  std::vector<LineRecord> laid;
  HeldText held{text.Data().data(), 0, text.Size()};
  BuildLines(held, 0, text.Size() - 1, kMetrics, usable, &laid);
  LineList lines;
  lines.Assign(std::move(laid), 0);
  return lines;
}

// Shift-JIS of あ..お: 82 A0 + 2 n.
std::string Kana(std::initializer_list<int> which) {
  std::string s;
  for (int n : which) s += {'\x82', static_cast<char>(0xA0 + 2 * n)};
  return s;
}

TEST(WordAt, FromTheCharacterUnderThePointThroughTheWrappedLinesOfItsParagraph) {
  Text t;
  t.Jis(kA).Jis(kI).Jis(kU).Jis(kE).Jis(kO).Newline().Jis(kA).Newline();
  LineList lines = Lay(t, 48);  // two characters a line: あい | うえ | お (wrapped) | あ
  ASSERT_TRUE(lines.Find(1) && lines.Find(1)->continuation);
  const int32_t indent = lines.First().indent;
  ASSERT_TRUE(lines.Find(2) && lines.Find(2)->continuation && !lines.Find(3)->continuation);
  // Anywhere on い: from い, on through the wrapped うえ and お, not into the next paragraph.
  EXPECT_EQ(TextFromPoint(lines, 0, indent + 16, kMetrics), Kana({1, 2, 3, 4}));
  EXPECT_EQ(TextFromPoint(lines, 0, indent + 31, kMetrics), Kana({1, 2, 3, 4}));
  EXPECT_EQ(TextFromPoint(lines, 1, indent + 16, kMetrics), Kana({3, 4}));
  // At most so many characters, never half a one.
  EXPECT_EQ(TextFromPoint(lines, 0, indent, kMetrics, 2), Kana({0, 1}));
  // Beside the text, or on a line not held: nothing.
  EXPECT_EQ(TextFromPoint(lines, 2, indent + 16, kMetrics), "");
  EXPECT_EQ(TextFromPoint(lines, 0, indent - 1, kMetrics), "");
  EXPECT_EQ(TextFromPoint(lines, 9, indent, kMetrics), "");
}

TEST(WordAt, AnExternalCharacterEndsItAndNarrowTextComesAsItIs) {
  Text t;
  t.Jis(kA).Jis(kI).Jis(0xA121).Jis(kU).Newline();
  t.Code({0x1F, 0x04}).Wide("abc").Code({0x1F, 0x05}).Newline();
  LineList lines = Lay(t, 1000);
  const int32_t indent = lines.First().indent;
  EXPECT_EQ(TextFromPoint(lines, 0, indent, kMetrics), Kana({0, 1}));
  EXPECT_EQ(TextFromPoint(lines, 0, indent + 32, kMetrics), "") << "on the external character";
  EXPECT_EQ(TextFromPoint(lines, 0, indent + 48, kMetrics), Kana({2}));
  EXPECT_EQ(TextFromPoint(lines, 1, lines.Find(1)->indent + 8, kMetrics), "bc");
}

}  // namespace
}  // namespace calvetta
