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

std::wstring ResultCountText(int32_t hitCount) {
  if (hitCount >= kMaxListItems)
    return L"検索結果 : " + std::to_wstring(kMaxListItems) + L"/" + std::to_wstring(hitCount) + L"    項目";
  return L"検索結果 : " + std::to_wstring(hitCount) + L"    項目";
}

std::wstring NoHitText() { return L"検索結果 : 0    項目"; }

}  // namespace brisvane
