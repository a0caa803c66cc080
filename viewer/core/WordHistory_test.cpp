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

TEST(WordHistory, KeepsTheLastHundredWords) {
  WordHistory history;
  for (int i = 0; i < 1000; ++i) history.Add(std::to_wstring(i));
  ASSERT_EQ(history.Entries().size(), WordHistory::kMaxWords);
  EXPECT_EQ(history.Entries().front(), L"999");
  EXPECT_EQ(history.Entries().back(), L"900");
  // A word still held moves up without pushing another out.
  EXPECT_EQ(history.Add(L"950"), 49);
  EXPECT_EQ(history.Entries().size(), WordHistory::kMaxWords);
  EXPECT_EQ(history.Entries().back(), L"900");
}

// The words kept from an earlier run, as the settings give them back: whatever is in them.
TEST(WordHistory, LoadedWordsAreCleanedAndCut) {
  WordHistory history;
  Words stored{L"はし", L"", L"coffee", L"はし"};
  for (int i = 0; i < 200; ++i) stored.push_back(L"w" + std::to_wstring(i));
  history.Load(stored);
  ASSERT_EQ(history.Entries().size(), WordHistory::kMaxWords);
  EXPECT_EQ(history.Entries()[0], L"はし");
  EXPECT_EQ(history.Entries()[1], L"coffee");
  EXPECT_EQ(history.Entries()[2], L"w0");
  EXPECT_EQ(history.Entries().back(), L"w97");
  history.Load({});
  EXPECT_TRUE(history.Entries().empty());
}

}  // namespace
}  // namespace brisvane
