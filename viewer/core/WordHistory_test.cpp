#include "WordHistory.h"

#include <gtest/gtest.h>

namespace brisvane {
namespace {

using Words = std::vector<std::wstring>;

TEST(WordHistory, MostRecentFirstWithoutDuplicates) {
  WordHistory history;
  EXPECT_EQ(history.Add(L"はし"), -1);
  EXPECT_EQ(history.Add(L"カード"), -1);
  EXPECT_EQ(history.Add(L"coffee"), -1);
  EXPECT_EQ(history.Entries(), (Words{L"coffee", L"カード", L"はし"}));
  // Searching an older word again moves it to the top; the index it had is reported.
  EXPECT_EQ(history.Add(L"はし"), 2);
  EXPECT_EQ(history.Entries(), (Words{L"はし", L"coffee", L"カード"}));
  EXPECT_EQ(history.Add(L"はし"), 0);
  EXPECT_EQ(history.Entries().size(), 3u);
}

TEST(WordHistory, ExactComparisonAndEmptyWord) {
  WordHistory history;
  history.Add(L"Coffee");
  EXPECT_EQ(history.Add(L"coffee"), -1);  // letter case counts
  EXPECT_EQ(history.Add(L"coffee "), -1);
  EXPECT_EQ(history.Add(L""), -1);
  EXPECT_EQ(history.Entries(), (Words{L"coffee ", L"coffee", L"Coffee"}));
}

TEST(WordHistory, HasNoLimit) {
  WordHistory history;
  for (int i = 0; i < 1000; ++i) history.Add(std::to_wstring(i));
  ASSERT_EQ(history.Entries().size(), 1000u);
  EXPECT_EQ(history.Entries().front(), L"999");
  EXPECT_EQ(history.Entries().back(), L"0");
}

}  // namespace
}  // namespace brisvane
