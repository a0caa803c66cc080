#include "SearchRules.h"

#include <gtest/gtest.h>

#include "SearchKey.h"

namespace brisvane {
namespace {

TEST(SearchRules, Decisions) {
  EXPECT_EQ(DecideSearch(L"", L"", false), SearchAction::kNothing);
  EXPECT_EQ(DecideSearch(L"", L"はし", true), SearchAction::kNothing);
  EXPECT_EQ(DecideSearch(L"はし", L"", false), SearchAction::kSearch);
  // The same word again: the list already shows its hits, or it found nothing last time.
  EXPECT_EQ(DecideSearch(L"はし", L"はし", true), SearchAction::kNothing);
  EXPECT_EQ(DecideSearch(L"はし", L"はし", false), SearchAction::kReportNoHit);
  EXPECT_EQ(DecideSearch(L"はしご", L"はし", true), SearchAction::kSearch);
  EXPECT_EQ(DecideSearch(L"Coffee", L"coffee", true), SearchAction::kSearch);
}

TEST(SearchRules, LongWordsAreSearchedAsTheirFirst49Characters) {
  for (size_t length : {49u, 50u, 51u}) {
    std::wstring typed(length, L'あ');
    EXPECT_EQ(SearchWord(typed), std::wstring(49, L'あ')) << length;
  }
  EXPECT_EQ(SearchWord(L"abc"), L"abc");
  // 49 letters fit the key with room to spare.
  booktext::SearchKey key = booktext::BuildSearchKey(std::string(49, 'a'));
  EXPECT_EQ(key.length, 98u);
}

TEST(SearchRules, StatusTexts) {
  EXPECT_EQ(ResultCountText(3), L"検索結果 : 3    項目");
  EXPECT_EQ(ResultCountText(4000), L"検索結果 : 4000    項目");
  EXPECT_EQ(ResultCountText(32765), L"検索結果 : 32765    項目");
  EXPECT_EQ(ResultCountText(32766), L"検索結果 : 32766/32766    項目");
  EXPECT_EQ(ResultCountText(40000), L"検索結果 : 32766/40000    項目");
  EXPECT_EQ(NoHitText(), L"検索結果 : 0    項目");
}

TEST(SearchRules, WhatIsTypedIsSearchedAsTheBeginningOfHeadwordsUnlessItPlacesAWildcard) {
  EXPECT_EQ(TypeAheadWord(L""), L"");
  EXPECT_EQ(TypeAheadWord(L"か"), L"か*");
  EXPECT_EQ(TypeAheadWord(L"coffee "), L"coffee *");
  // The user's own wildcard, narrow or full width, wherever it stands.
  for (const wchar_t* placed : {L"*ん", L"か*", L"＊ん", L"か＊", L"か*ん"}) EXPECT_EQ(TypeAheadWord(placed), placed);
  // 49 characters and the wildcard still fit the key.
  booktext::SearchKey key = booktext::BuildSearchKey(std::string(49, 'a') + '*');
  EXPECT_EQ(key.length, 100u);
}

TEST(SearchRules, KeywordsAreCountedBetweenBlanksOfEitherWidth) {
  EXPECT_EQ(KeywordCount(L""), 0u);
  EXPECT_EQ(KeywordCount(L" \u3000 "), 0u);
  EXPECT_EQ(KeywordCount(L"ねこ"), 1u);
  EXPECT_EQ(KeywordCount(L"\u3000ねこ  いぬ\u3000とり "), 3u);
}

}  // namespace
}  // namespace brisvane
