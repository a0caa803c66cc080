// The modal dialog "検索" that runs every search job (JobRun says how): its first timer tick
// comes after the job's first delay (100 ms for a counted search, as the design has it), each
// tick steps the job and adds one empty list item per hit found, while the bar moves and the
// window stays live. A scan says how many hits it has found so far, a shelf search how many
// books it has searched too. Cancel (Esc) stops the job and keeps what was listed.
#ifndef BRISVANE_VIEWER_WIN_SEARCHPROGRESSDIALOG_WIN_H
#define BRISVANE_VIEWER_WIN_SEARCHPROGRESSDIALOG_WIN_H

#include <windows.h>

#include <functional>

#include "JobRun.h"
#include "ui/Dialog.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

class ResultList;

class SearchProgressDialog : public ui::Dialog {
 public:
  // opened runs as the dialog opens, its first tick on the way: what a search prepares (the
  // list emptied, the entry blanked) is done while the design's wait runs. finishing runs inside
  // the last tick when the run ends with hits, before the dialog closes, the frame enabled
  // again: what the user waits for (the first entry, the list in focus) comes as the dialog goes.
  SearchProgressDialog(search::SearchJob& job, ResultList& list, std::function<void()> opened,
                       std::function<void()> finishing);

  // Runs the dialog modally over owner: how the run ended (kNoHit also when the dialog could not
  // be shown at all).
  SearchOutcome Run(HWND owner);
  // The hits the status bar reports.
  int32_t Total() const { return run.Total(); }

 protected:
  void OnOpening(HWND dialog) override;
  INT_PTR OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Nothing may leave a dialog procedure; a failed search lists nothing more.
  INT_PTR OnUnexpectedException(UINT message) override;

 private:
  void Tick();
  void ShowProgress();
  void End(SearchOutcome outcome);

  search::SearchJob& job;
  ResultList& list;
  std::function<void()> opened;
  std::function<void()> finishing;
  HWND owner = nullptr;
  JobRun run;
  HWND text = nullptr;
  HWND bar = nullptr;
  HCURSOR waitCursor = nullptr;
  ui::UniqueFont textFont;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_SEARCHPROGRESSDIALOG_WIN_H
