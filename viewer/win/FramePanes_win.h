// The main frame's two panes side by side: the headword list on the left and the content view
// on the right, in a splitter whose columns have the design's widths at the frame's
// resolution; 一覧表示切替 gives the whole width to the list and back. The list's width is the
// one the user last dragged the bar to (kept in the settings, "view", "ListWidth", in pixels of a
// 96-dots-an-inch screen at the normal text size), and grows and shrinks with the text size.
#ifndef BRISVANE_VIEWER_WIN_FRAMEPANES_WIN_H
#define BRISVANE_VIEWER_WIN_FRAMEPANES_WIN_H

#include <windows.h>

#include "BrisvaneView_win.h"
#include "ContentView_win.h"
#include "Splitter_win.h"

namespace brisvane {

class AppState;
class ResultList;

class FramePanes {
 public:
  // The splitter and both panes, children of frame; the left pane makes list over its area.
  bool Create(HWND frame, AppState& app, ResultList& list, int dpi);
  // The bar and the columns' widths for a monitor of dpi dots an inch.
  void SetDpi(int dpi);
  // The text size of the list (percent of the normal): the list's column follows it.
  void SetTextSize(int percent);
  // The splitter over the rows from top to bottom of a client area width wide.
  void Place(int width, int top, int bottom);
  void RecalcLayout() { splitter.RecalcLayout(); }
  // The list over the whole width of a client area clientWidth wide, or back to the widths it
  // had; true when the list now has the whole width.
  bool ToggleList(int clientWidth);
  bool ListToggled() const { return listToggled; }

  ContentView& Content() { return contentView; }
  HWND ContentPane() const { return contentView.Hwnd(); }

 private:
  int Scaled(int designPixels) const;
  // The list column's width now: the user's at this resolution and text size.
  int ListWidth() const;
  void SetColumns();
  void KeepListWidth(int pixels);

  // The columns' ideal widths and the content's least, in pixels of a 96-dots-an-inch screen.
  static constexpr int kListColumnWidth = 200, kContentColumnWidth = 400, kContentColumnMinimum = 200;

  Splitter splitter;
  BrisvaneView listView;
  ContentView contentView;
  bool listToggled = false;
  int savedColumnWidths[2] = {};
  int dpi = 96;
  int listDesignWidth = kListColumnWidth;
  int textPercent = 100;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_FRAMEPANES_WIN_H
