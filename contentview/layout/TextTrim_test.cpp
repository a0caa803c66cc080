#include "TextTrim.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace calvetta
