// The search command (FM_SEARCH): from the word in the box to the listed hits or the no-hit
// message. It remembers the last word searched and whether it found anything.
#ifndef BRISVANE_VIEWER_WIN_SEARCHCOMMAND_WIN_H
#define BRISVANE_VIEWER_WIN_SEARCHCOMMAND_WIN_H

#include <string>

#include "SearchFlow.h"
#include "SearchModeControl_win.h"

namespace brisvane {

class WordBox;
class ResultList;

class SearchCommand {
 public:
  void Run(SearchSurroundings& around, WordBox& wordBox, ResultList& list);
  // After ResetPanes the same word is searched anew.
  void ForgetLastWord() { lastWord.clear(); }

 private:
  void ReportNoHit(SearchSurroundings& around);
  bool ModeCanRun(SearchSurroundings& around, const std::wstring& word);

  std::wstring lastWord;
  SearchMode lastMode = SearchMode::kHeadword;
  bool lastSearchFound = false;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_SEARCHCOMMAND_WIN_H
