#include "TextTrim.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "MemorySource.h"

namespace calvetta {
namespace {

using layouttest::Text;

HeldText Held(const Text& t) { return HeldText{t.Data().data(), 0, t.Size()}; }

TEST(TextTrim, ForwardEndsAfterTheEndCodeOrTheLastNewline) {
  Text t;
  t.Jis(0x2422).Newline().Jis(0x2422).Newline().Jis(0x2422, 2);  // newlines at 2 and 6
  int32_t end = t.Size() - 1;
  TrimForward(Held(t), 0, &end);
  EXPECT_EQ(end, 7);
  Text e;
  e.Jis(0x2422).Code({0x1F, 0x03}).Newline();
  end = e.Size() - 1;
  TrimForward(Held(e), 0, &end);
  EXPECT_EQ(end, 3);
  Text none;
  none.Jis(0x2422, 4);
  end = 7;
  TrimForward(Held(none), 0, &end);
  EXPECT_EQ(end, 7);
}

TEST(TextTrim, BackwardStartsAfterTheLastBeginCodeOrTheFirstNewline) {
  Text t;
  t.Jis(0x2422).Newline().Jis(0x2422).Newline().Jis(0x2422);
  int32_t start = 0;
  EXPECT_TRUE(TrimBackward(Held(t), &start, t.Size() - 1));
  EXPECT_EQ(start, 4);
  Text b;
  b.Newline().Code({0x1F, 0x02}).Jis(0x2422).Newline();
  start = 0;
  EXPECT_TRUE(TrimBackward(Held(b), &start, b.Size() - 1));
  EXPECT_EQ(start, 4);
  Text none;
  none.Jis(0x2422, 4);
  start = 0;
  EXPECT_FALSE(TrimBackward(Held(none), &start, 7));
  EXPECT_EQ(start, 0);
}

// The ranges' pairs read one by one, as the definitions above put it: the same ends for any
// window of held text, range and step, codes at the window's edges and pairs out of step included.
TEST(TextTrim, SameEndsAsReadingEveryPair) {
  auto isCode = [](const HeldText& text, int32_t p, uint8_t c) { return text.At(p) == 0x1F && text.At(p + 1) == c; };
  auto forward = [&](const HeldText& text, int32_t start, int32_t end) {
    for (int32_t p = start; p < end; p += 2)
      if (isCode(text, p, 0x03)) return p + 1;
    if (end - 1 < start) return end;
    for (int32_t p = start + ((end - 1 - start) / 2) * 2; p >= start; p -= 2)
      if (isCode(text, p, 0x0A)) return p + 1;
    return end;
  };
  auto backward = [&](const HeldText& text, int32_t start, int32_t end) {
    if (end - 1 < start) return -1;
    for (int32_t p = start + ((end - 1 - start) / 2) * 2; p >= start; p -= 2)
      if (isCode(text, p, 0x02)) return p + 2;
    for (int32_t p = start; p < end; p += 2)
      if (isCode(text, p, 0x0A)) return p + 2;
    return -1;
  };
  std::mt19937 random(7);
  const uint8_t bytes[] = {0x1F, 0x02, 0x03, 0x0A, 0x24, 0x22};
  for (int round = 0; round < 20000; ++round) {
    std::vector<uint8_t> data(random() % 24);
    for (uint8_t& b : data) b = bytes[random() % sizeof bytes];
    const HeldText text{data.data(), static_cast<int32_t>(random() % 5), static_cast<int32_t>(data.size())};
    const int32_t start = static_cast<int32_t>(random() % 32) - 2, end = static_cast<int32_t>(random() % 34) - 2;
    int32_t trimmed = end;
    TrimForward(text, start, &trimmed);
    ASSERT_EQ(trimmed, forward(text, start, end)) << round;
    int32_t from = start;
    const bool found = TrimBackward(text, &from, end);
    const int32_t expected = backward(text, start, end);
    ASSERT_EQ(found, expected >= 0) << round;
    ASSERT_EQ(from, found ? expected : start) << round;
  }
}

}  // namespace
}  // namespace calvetta
