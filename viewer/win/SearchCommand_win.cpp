#include "SearchCommand_win.h"

#include <string>

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
  explicit ClearMessagePane(FrameForSearch& frame) : frame(frame) {}
  ~ClearMessagePane() { frame.SetStatusText(0, L" "); }
  ClearMessagePane(const ClearMessagePane&) = delete;
  ClearMessagePane& operator=(const ClearMessagePane&) = delete;

 private:
  FrameForSearch& frame;
};

}  // namespace

void SearchCommand::ReportNoHit(FrameForSearch& frame) {
  std::wstring text = brisvane::NoHitText();
  frame.SetStatusText(1, text.c_str());
  frame.FocusWordBoxOnActivate() = true;
  frame.ShowModalMessage(text.c_str());
  lastSearchFound = false;
}

void SearchCommand::Run(FrameForSearch& frame, WordBox& wordBox, ResultList& list) {
  ClearMessagePane clear(frame);
  std::wstring word = brisvane::SearchWord(wordBox.Text());
  if (word.empty()) return;
  wordBox.AddToHistory(word);

  switch (brisvane::DecideSearch(word, lastWord, lastSearchFound)) {
    case brisvane::SearchAction::kNothing:
      return;
    case brisvane::SearchAction::kReportNoHit:
      ReportNoHit(frame);
      return;
    case brisvane::SearchAction::kSearch:
      break;
  }

  lastWord = word;
  frame.GreyPreviousLayer();
  booktext::SearchKey key = booktext::BuildSearchKey(ToShiftJis(word));
  list.Reset();
  frame.BlankContent();
  frame.ClearLayers();

  frame.FocusWordBoxOnActivate() = false;
  SearchProgressDialog dialog(frame.Book(), list.Hwnd(), key);
  frame.ModalBusy() = true;
  brisvane::SearchOutcome outcome = dialog.Run(frame.FrameWindow());
  frame.ModalBusy() = false;

  if (outcome == brisvane::SearchOutcome::kHits) {
    lastSearchFound = true;
    frame.ShowHit(0);
    SendMessageW(list.Hwnd(), LB_SETCURSEL, 0, 0);
    SetFocus(list.Hwnd());
    std::wstring text = brisvane::ResultCountText(dialog.Total());
    frame.SetStatusText(1, text.c_str());
  } else if (outcome == brisvane::SearchOutcome::kReadError) {
    frame.FocusWordBoxOnActivate() = true;
    frame.ReportReadError();
    lastSearchFound = false;
  } else {
    ReportNoHit(frame);
  }
}

}  // namespace brisvane
