#include "SearchRules.h"

namespace brisvane {

std::wstring SearchWord(std::wstring_view boxText) {
  return std::wstring(boxText.substr(0, kSearchWordLimit));
}

SearchAction DecideSearch(std::wstring_view word, std::wstring_view lastWord, bool lastSearchFound) {
  if (word.empty()) return SearchAction::kNothing;
  if (word == lastWord) return lastSearchFound ? SearchAction::kNothing : SearchAction::kReportNoHit;
  return SearchAction::kSearch;
}

size_t KeywordCount(std::wstring_view word) {
  size_t words = 0;
  bool inWord = false;
  for (wchar_t c : word) {
    const bool blank = c == L' ' || c == L'\u3000';
    if (!blank && !inWord) ++words;
    inWord = !blank;
  }
  return words;
}

std::wstring TypeAheadWord(std::wstring_view word) {
  if (word.empty()) return std::wstring();
  if (word.find_first_of(L"*\uFF0A") != std::wstring_view::npos) return std::wstring(word);
  return std::wstring(word) + L'*';
}

std::wstring ResultCountText(int32_t hitCount) {
  if (hitCount >= kMaxListItems)
    return L"検索結果 : " + std::to_wstring(kMaxListItems) + L"/" + std::to_wstring(hitCount) + L"    項目";
  return L"検索結果 : " + std::to_wstring(hitCount) + L"    項目";
}

std::wstring NoHitText() { return L"検索結果 : 0    項目"; }

}  // namespace brisvane
