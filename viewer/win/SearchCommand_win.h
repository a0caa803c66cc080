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
  // The list of a pause in typing: the hits of what the box holds (headwords that begin with it,
  // or its keywords), no dialog, no message, the focus where it is; the first hit's entry shown.
  // A word the mode cannot search, a read error or no hit leave the list empty (a miss says so in
  // the status bar); Enter searches as ever.
  void Preview(SearchSurroundings& around, WordBox& wordBox, ResultList& list);
  // After ResetPanes the same word is searched anew.
  void ForgetLastWord() { lastWord.clear(); }

 private:
  void ReportNoHit(SearchSurroundings& around);
  static int Refusal(const SearchSurroundings& around, const std::wstring& word);
  bool ModeCanRun(SearchSurroundings& around, const std::wstring& word);

  std::wstring lastWord;
  SearchMode lastMode = SearchMode::kHeadword;
  bool lastSearchFound = false;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_SEARCHCOMMAND_WIN_H
