// The modal dialog "検索" while a shelf is searched: each timer tick searches books for about a
// tenth of a second, lists their hits (one empty item a hit, up to the list's 32,766) and says
// how far it got; Cancel (Esc) stops after the book in hand and keeps what was listed.
#ifndef BRISVANE_VIEWER_WIN_SHELFPROGRESSDIALOG_WIN_H
#define BRISVANE_VIEWER_WIN_SHELFPROGRESSDIALOG_WIN_H

#include <windows.h>

#include "SearchBatches.h"
#include "SearchRules.h"
#include "ShelfRun_win.h"
#include "ui/Dialog.h"
#include "ui/UniqueHandle.h"

namespace brisvane {

class ShelfProgressDialog : public ui::Dialog {
 public:
  ShelfProgressDialog(ShelfRun& run, HWND list);

  // kHits when the list holds hits (also after Cancel), kNoHit otherwise.
  brisvane::SearchOutcome Run(HWND owner);

 protected:
  INT_PTR OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnUnexpectedException(UINT message) override;

 private:
  void Tick();
  void ListFound();
  void End();

  ShelfRun& run;
  HWND list;
  WNDPROC listProc;  // the list box's own procedure (see SearchProgressDialog)
  size_t listed = 0;
  int ticks = 0;
  HWND text = nullptr;
  HWND bar = nullptr;
  HCURSOR waitCursor = nullptr;
  ui::UniqueFont textFont;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_SHELFPROGRESSDIALOG_WIN_H
