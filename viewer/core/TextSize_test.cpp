#include "TextSize.h"

#include <gtest/gtest.h>

namespace brisvane {
namespace {

TEST(TextSize, StepsGoUpAndDownAndStopAtTheEnds) {
  EXPECT_EQ(LargerTextSize(100), 110);
  EXPECT_EQ(LargerTextSize(LargerTextSize(LargerTextSize(100))), 150);
  EXPECT_EQ(SmallerTextSize(150), 125);
  EXPECT_EQ(LargerTextSize(300), 300);
  EXPECT_EQ(SmallerTextSize(80), 80);
  EXPECT_EQ(LargerTextSize(112), 125);  // between steps: the next one
  EXPECT_EQ(SmallerTextSize(112), 110);
}

TEST(TextSize, AStoredValueBecomesAStep) {
  EXPECT_EQ(StoredTextSize(150), 150);
  EXPECT_EQ(StoredTextSize(148), 150);
  EXPECT_EQ(StoredTextSize(0), 100);
  EXPECT_EQ(StoredTextSize(5000), 100);
  EXPECT_EQ(StoredTextSize(0xFFFFFFFFu), 100);
}

}  // namespace
}  // namespace brisvane
