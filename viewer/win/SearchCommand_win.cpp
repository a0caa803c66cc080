#include "SearchCommand_win.h"

#include <algorithm>
#include <string>

#include "AppState_win.h"
#include "BookSession_win.h"
#include "BrisvaneRes.h"
#include "Calvetta.h"
#include "ContentView_win.h"
#include "FrameBars_win.h"
#include "LayerHistory_win.h"
#include "ResultList_win.h"
#include "SearchKey.h"
#include "SearchProgressDialog_win.h"
#include "SearchRules.h"
#include "WordBox_win.h"
#include "ui/ResourceText.h"
#include "ui/ShiftJisText.h"

namespace brisvane {

namespace {

using ui::ToShiftJis;

// Status pane 0 goes back to a blank however the command ends.
class ClearMessagePane {
 public:
  explicit ClearMessagePane(FrameBars& bars) : bars(bars) {}
  ~ClearMessagePane() { bars.SetStatusText(0, L" "); }
  ClearMessagePane(const ClearMessagePane&) = delete;
  ClearMessagePane& operator=(const ClearMessagePane&) = delete;

 private:
  FrameBars& bars;
};

}  // namespace

void SearchCommand::ReportNoHit(SearchSurroundings& around) {
  std::wstring text = brisvane::NoHitText();
  around.bars.SetStatusText(1, text.c_str());
  around.app.FocusWordBoxOnNextActivation(true);
  around.app.ShowMessage(around.frame, text.c_str());
  lastSearchFound = false;
}

// Why the mode cannot search word in the open book (the message's id), or 0 when it can.
int SearchCommand::Refusal(const SearchSurroundings& around, const std::wstring& word) {
  const BookApi& api = around.book.Api();
  if (!SearchModeControl::Offered(around.mode, api, false)) return IDS_MODE_UNAVAILABLE;
  if (!SearchModeControl::Offered(around.mode, api, true)) return IDS_NO_KEYWORD_INDEX;
  if (around.mode == SearchMode::kKeyword) {
    const size_t words = brisvane::KeywordCount(word);
    if (words == 0 || words > brisvane::kMaxKeywords) return IDS_KEYWORD_WORDS;
  }
  return 0;
}

// Whether the mode can search the open book, with the message that says why not.
bool SearchCommand::ModeCanRun(SearchSurroundings& around, const std::wstring& word) {
  const int refusal = Refusal(around, word);
  if (refusal == 0) return true;
  around.app.FocusWordBoxOnNextActivation(true);
  around.app.ShowMessage(around.frame, ui::LoadText(refusal).c_str());
  lastSearchFound = false;
  return false;
}

void SearchCommand::Preview(SearchSurroundings& around, WordBox& wordBox, ResultList& list) {
  const std::wstring word = brisvane::SearchWord(wordBox.Text());
  // Whatever the list showed for the last word searched, it shows something else now.
  lastWord.clear();
  list.Reset();
  around.content.Api().SetContentBlank();
  around.layers.Clear();
  around.bars.SetStatusText(1, L" ");
  const BookApi& api = around.book.Api();
  if (word.empty() || Refusal(around, word) != 0) return;

  WordProperties properties = {};
  int32_t result = 0;
  if (around.mode == SearchMode::kHeadword && api.epwGetWordProperties) {
    booktext::SearchKey key = booktext::BuildSearchKey(ToShiftJis(brisvane::TypeAheadWord(word)));
    result = api.epwGetWordProperties(key.bytes, &properties);
  } else if (around.mode == SearchMode::kKeyword && api.epwSearchKeywords) {
    booktext::SearchKey key = booktext::BuildSearchKey(ToShiftJis(word));
    result = api.epwSearchKeywords(key.bytes, &properties);
  } else {
    return;  // the whole text is scanned on Enter only
  }
  if (result != kDunmoorSuccess || properties.hitCount <= 0) {
    if (result != kDunmoorFailed) around.bars.SetStatusText(1, brisvane::NoHitText().c_str());
    return;
  }
  list.Fill(std::min(properties.hitCount, brisvane::kMaxListItems));
  SendMessageW(list.Hwnd(), LB_SETCURSEL, 0, 0);
  around.content.ShowHit(api, 0);
  around.bars.SetStatusText(1, brisvane::ResultCountText(properties.hitCount).c_str());
}

void SearchCommand::Run(SearchSurroundings& around, WordBox& wordBox, ResultList& list) {
  ClearMessagePane clear(around.bars);
  std::wstring word = brisvane::SearchWord(wordBox.Text());
  if (word.empty()) return;
  wordBox.SetText(word);
  // The same word in another mode is a search of its own.
  if (around.mode != lastMode) lastWord.clear();
  lastMode = around.mode;
  if (!ModeCanRun(around, word)) {
    lastWord.clear();
    return;
  }

  switch (brisvane::DecideSearch(word, lastWord, lastSearchFound)) {
    case brisvane::SearchAction::kNothing:
      return;
    case brisvane::SearchAction::kReportNoHit:
      ReportNoHit(around);
      return;
    case brisvane::SearchAction::kSearch:
      break;
  }

  lastWord = word;
  around.layers.GreyButton();
  booktext::SearchKey key = booktext::BuildSearchKey(ToShiftJis(word));
  list.Reset();
  around.content.Api().SetContentBlank();
  around.layers.Clear();

  around.app.FocusWordBoxOnNextActivation(false);
  SearchProgressDialog dialog(around.book.Api(), list.Hwnd(), key, around.mode);
  brisvane::SearchOutcome outcome = brisvane::SearchOutcome::kNoHit;
  {
    AppState::ModalScope modal(around.app);
    outcome = dialog.Run(around.frame);
  }

  if (outcome == brisvane::SearchOutcome::kHits) {
    lastSearchFound = true;
    around.content.ShowHit(around.book.Api(), 0);
    SendMessageW(list.Hwnd(), LB_SETCURSEL, 0, 0);
    SetFocus(list.Hwnd());
    std::wstring text = brisvane::ResultCountText(dialog.Total());
    around.bars.SetStatusText(1, text.c_str());
    wordBox.AddToHistory(word);  // after the entry is on its way: the settings are written
  } else if (outcome == brisvane::SearchOutcome::kReadError) {
    around.app.FocusWordBoxOnNextActivation(true);
    around.book.ReportReadError();
    lastSearchFound = false;
  } else {
    ReportNoHit(around);
  }
}

}  // namespace brisvane
