#include "SearchKind.h"

namespace search {

namespace {

constexpr KindCalls kCalls[] = {
    {kDunmoorHeadwordSearch, &BookCalls::GetWordProperties, nullptr, nullptr},
    {kDunmoorKeywordSearch, &BookCalls::SearchKeywords, nullptr, nullptr},
    {kDunmoorFullTextSearch, nullptr, &BookCalls::FullTextBegin, &BookCalls::FullTextNext},
};

}  // namespace

const KindCalls& CallsOf(SearchKind kind) {
  const int at = static_cast<int>(kind);
  return kCalls[at >= 0 && at < 3 ? at : 0];
}

}  // namespace search
