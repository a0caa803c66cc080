// The search mode the user picks: 見出し (the word indexes; ＊ at either end as always), 条件 (the
// book's keyword index, words separated by blanks) and 全文 (every word of the text). Shown in a
// box right of the word box and chosen there, from the 検索 menu or with Ctrl+1, 2 and 3; kept
// in the settings ("search", "Mode") for the next start.
#ifndef BRISVANE_VIEWER_WIN_SEARCHMODECONTROL_WIN_H
#define BRISVANE_VIEWER_WIN_SEARCHMODECONTROL_WIN_H

#include <windows.h>

#include "BookApi.h"
#include "BrisvaneRes.h"
#include "ToolbarChoice_win.h"

namespace brisvane {

enum class SearchMode : int { kHeadword = 0, kKeyword = 1, kFullText = 2 };

class SearchModeControl {
 public:
  // The box: a drop-down list, child IDC_MODEBOX of toolbar in slot.
  bool Create(HWND toolbar, const RECT& slot, int dpi) { return box.Create(toolbar, slot, dpi); }
  // Font and place for a monitor of dpi dots an inch.
  void SetDpi(int dpi, const RECT& slot) { box.SetDpi(dpi, slot); }
  // The mode kept from the last run.
  void Restore() { box.Restore(); }
  SearchMode Mode() const { return static_cast<SearchMode>(box.Chosen()); }
  // Shows mode in the box and keeps it in the settings.
  void Choose(SearchMode chosen) { box.Choose(static_cast<int>(chosen)); }
  // The box shows the mode in force again.
  void Show() { box.Show(); }
  HWND Box() const { return box.Box(); }

  // Whether the bound library offers mode at all, and (with a book open) the book does.
  static bool Offered(SearchMode mode, const BookApi& api, bool bookOpen);

 private:
  ToolbarChoice box{IDC_MODEBOX, {L"見出し", L"条件", L"全文"}, L"search", L"Mode", 64};
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_SEARCHMODECONTROL_WIN_H
