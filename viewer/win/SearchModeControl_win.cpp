#include "SearchModeControl_win.h"

namespace brisvane {

bool SearchModeControl::Offered(SearchMode mode, const BookApi& api, bool bookOpen) {
  switch (mode) {
    case SearchMode::kHeadword:
      return true;
    case SearchMode::kKeyword:
      if (!api.epwSearchKeywords || !api.epwGetSearchModes) return false;
      return !bookOpen || (api.epwGetSearchModes() & kDunmoorKeywordSearch) != 0;
    case SearchMode::kFullText:
      return api.epwFullTextBegin && api.epwFullTextNext;
  }
  return false;
}

}  // namespace brisvane
