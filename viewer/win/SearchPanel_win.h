// The search half of the main window, as one object the frame keeps: the word box on the
// toolbar, the result list in the left pane, the search command with its modal progress
// dialog, and the word history. What it works with beside itself (the book, the bars, the
// layers, the content pane) it is handed for each search.
#ifndef BRISVANE_VIEWER_WIN_SEARCHPANEL_WIN_H
#define BRISVANE_VIEWER_WIN_SEARCHPANEL_WIN_H

#include <windows.h>

#include <memory>
#include <string>

#include "Calvetta.h"
#include "FrameMessages.h"
#include "SearchFlow.h"

namespace brisvane {

class WordBox;
class ResultList;
class SearchCommand;
class ShelfSearch;
class ListedHeadings;

// The messages are FM_... of FrameMessages.h and VM_VIEW_... of Calvetta.h; the children's ids
// are in BrisvaneRes.h.
class SearchPanel {
 public:
  SearchPanel();
  ~SearchPanel();
  SearchPanel(const SearchPanel&) = delete;
  SearchPanel& operator=(const SearchPanel&) = delete;

  // The word box: a drop-down combo, child 101 of toolbar at (x, y), 150 × 150. Enter with a
  // word sends FM_WORDENTER to the toolbar, which posts it to the frame (the frame runs the
  // search command: FM_SEARCHSTART, then FM_SEARCH); Tab posts VM_VIEW_TAB 0 to frame (Shift+Tab 1); Esc
  // gives the focus to the list pane.
  bool CreateWordBox(HWND toolbar, int x, int y, HWND frame);

  // The result list: owner-drawn list box, child 103 of listPane, covering its client area.
  // frame receives FM_SHOWITEM, VM_VIEW_TAB 1 (Shift+Tab 2), VM_VIEW_FAILED and is asked FM_ISBOOKOPEN.
  bool CreateResultList(HWND listPane, HWND frame, const BookApi& book);

  // The list pane's window procedure calls this first with every message; true means handled
  // (return *result). It takes WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLORLISTBOX, WM_ERASEBKGND,
  // WM_SETFOCUS (→ the list), WM_SIZE / WM_WINDOWPOSCHANGED (the list fills the pane) and the
  // list's LBN_SELCHANGE (→ FM_SHOWITEM).
  bool HandleListPaneMessage(HWND listPane, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  HWND WordBoxWindow() const;      // the combo box (id 101)
  HWND WordBoxEdit() const;        // its edit control (keys, WM_COPY for WB_COPY)
  HWND ResultListWindow() const;   // the list box (id 103)

  // FM_SEARCH: reads the word box, keeps the history, runs the progress dialog and shows the
  // result (status pane 1, item 0 selected and shown) or the no-hit message.
  void RunSearch(SearchSurroundings& around);
  // A pause in typing: the list of what the box holds, quietly (SearchCommand::Preview).
  void Preview(SearchSurroundings& around);
  // FM_SEARCH in the shelf scope: the same through the shelf's search.
  void RunShelfSearch(SearchSurroundings& around, ShelfSearch& shelf);
  // Where the list's headings come from (nullptr: the open book's hits).
  void SetListedHeadings(const ListedHeadings* source);

  // ResetPanes: empties the list (no selection, horizontal extent 0), puts the empty word into
  // the box (the history stays) and forgets the last word, so the same word is searched anew.
  void Reset();

  // The headwords' size in percent of the design's.
  void SetTextSize(int percent);
  // The word box's and the list's fonts and sizes for a monitor of dpi dots an inch.
  void SetDpi(int dpi);
  // The list's colours: dark or the design's.
  void SetDark(bool dark);

  // Sets the box text to word (continuous search, host hand-over); the search that follows puts
  // it in the history when it finds something.
  void SetWord(const wchar_t* word);

  // The next search runs even for the word searched last (another search mode).
  void ForgetLastWord();

  // The box text, at most 49 characters (what a search would use).
  std::wstring Word() const;

 private:
  std::unique_ptr<WordBox> wordBox;
  std::unique_ptr<ResultList> resultList;
  std::unique_ptr<SearchCommand> command;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_SEARCHPANEL_WIN_H
