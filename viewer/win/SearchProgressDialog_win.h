// The modal dialog "検索" that runs a search: its first timer tick asks the book for the
// number of hits, then the ticks add one empty list item per hit, 4000 at a time, while the
// progress bar moves and the window stays live. Cancel keeps what was listed so far.
//
// A full-text search has no count to begin with: each tick scans pieces of the text for about
// a tenth of a second, lists the hits found so far (up to the list's 32,766) and says how many;
// Cancel (Esc) stops the scan and keeps them.
#ifndef BRISVANE_VIEWER_WIN_SEARCHPROGRESSDIALOG_WIN_H
#define BRISVANE_VIEWER_WIN_SEARCHPROGRESSDIALOG_WIN_H

#include <windows.h>

#include <memory>

#include "SearchBatches.h"
#include "BookApi.h"
#include "SearchModeControl_win.h"
#include "ui/Dialog.h"
#include "SearchKey.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

class SearchProgressDialog : public ui::Dialog {
 public:
  SearchProgressDialog(const BookApi& book, HWND list, const booktext::SearchKey& key,
                       SearchMode mode = SearchMode::kHeadword);

  // Runs the dialog modally over owner. kHits: Total() hits were found, of which the list holds
  // at most 32766.
  brisvane::SearchOutcome Run(HWND owner);
  int32_t Total() const { return mode == SearchMode::kFullText ? found : batches.Total(); }

 protected:
  INT_PTR OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Nothing may leave a dialog procedure; a failed search lists nothing more.
  INT_PTR OnUnexpectedException(UINT message) override;

 private:
  void OnTimer(UINT_PTR id);
  // A tick of a full-text search.
  void ScanText();
  void ListFound();
  void RunBatch();
  void AddEmptyItem();
  void End(brisvane::SearchOutcome outcome);

  const BookApi& book;
  HWND list;
  // The list box's own procedure: the items are added straight through it. Through the
  // subclasses on the list (SetWindowSubclass) every message costs a property look-up, which
  // under Wine is a round trip to its server: a tenth of a millisecond an item, a second for
  // 10,000 hits.
  WNDPROC listProc;
  booktext::SearchKey key;
  SearchMode mode;
  int32_t found = 0;   // full text: hits found so far
  int32_t listed = 0;  // full text: items in the list
  int ticks = 0;       // full text: scan ticks so far
  HWND text = nullptr;
  HWND bar = nullptr;
  HCURSOR waitCursor = nullptr;
  ui::UniqueFont textFont;
  brisvane::SearchBatches batches;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_SEARCHPROGRESSDIALOG_WIN_H
