#include "SearchCommand_win.h"

#include <string>

#include "AppState_win.h"
#include "BookSession_win.h"
#include "Calvetta.h"
#include "ContentView_win.h"
#include "FrameBars_win.h"
#include "LayerHistory_win.h"
#include "ResultList_win.h"
#include "SearchKey.h"
#include "SearchProgressDialog_win.h"
#include "SearchRules.h"
#include "WordBox_win.h"
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

void SearchCommand::Run(SearchSurroundings& around, WordBox& wordBox, ResultList& list) {
  ClearMessagePane clear(around.bars);
  std::wstring word = brisvane::SearchWord(wordBox.Text());
  if (word.empty()) return;
  wordBox.AddToHistory(word);

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
  SearchProgressDialog dialog(around.book.Api(), list.Hwnd(), key);
  brisvane::SearchOutcome outcome = brisvane::SearchOutcome::kNoHit;
  {
    AppState::ModalScope modal(around.app);
    outcome = dialog.Run(around.frame);
  }

  if (outcome == brisvane::SearchOutcome::kHits) {
    lastSearchFound = true;
    PostMessageW(around.content.Hwnd(), VM_VIEW_SHOWPOS, 0, 0);
    SendMessageW(list.Hwnd(), LB_SETCURSEL, 0, 0);
    SetFocus(list.Hwnd());
    std::wstring text = brisvane::ResultCountText(dialog.Total());
    around.bars.SetStatusText(1, text.c_str());
  } else if (outcome == brisvane::SearchOutcome::kReadError) {
    around.app.FocusWordBoxOnNextActivation(true);
    around.book.ReportReadError();
    lastSearchFound = false;
  } else {
    ReportNoHit(around);
  }
}

}  // namespace brisvane
