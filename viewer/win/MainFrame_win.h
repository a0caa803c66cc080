// The viewer's main window: the toolbar with the word box, the headword list and the content
// pane side by side, a status bar. It routes: each message and command goes to the feature that
// owns what it concerns (the book, the search, the layers of references followed, the exchange
// with the host, the text size, the bars and the panes); the command table keeps each command's
// action and its enabling rule together for the menu, the accelerators and the toolbar.
#ifndef BRISVANE_VIEWER_WIN_MAINFRAME_WIN_H
#define BRISVANE_VIEWER_WIN_MAINFRAME_WIN_H

#include <windows.h>

#include <string>

#include "BookSession_win.h"
#include "EntryExtent_win.h"
#include "FrameBars_win.h"
#include "MenuBarLook_win.h"
#include "FramePanes_win.h"
#include "FrameRouter.h"
#include "HostLink_win.h"
#include "LayerHistory_win.h"
#include "LookupPopup_win.h"
#include "OutsideLookup_win.h"
#include "Search_win.h"
#include "TextSizeControl_win.h"
#include "ThemeChoice_win.h"
#include "WordList_win.h"
#include "Bookmarks_win.h"
#include "Printing_win.h"
#include "ui/CommandTable.h"
#include "ui/Window.h"

namespace brisvane {

class AppState;

class MainFrame : public ui::Window, private FrameRouter {
 public:
  explicit MainFrame(AppState& app);
  // Creates the frame hidden; the caller shows it.
  bool Create(HINSTANCE instance);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  ui::Handled OnCreate(const CREATESTRUCTW& create) override;
  ui::Handled OnCommand(int id, int code, HWND control) override;
  ui::Handled OnNotify(const NMHDR& header) override;
  ui::Handled OnSize(UINT kind, int width, int height) override;
  ui::Handled OnDestroy() override;

 private:
  // FrameRouter.
  void ResetPanes() override;
  void LookUp(const std::wstring& word) override;

  void AddCommands();
  // Everything sized for the frame's monitor made anew when the frame moved to a monitor of
  // another resolution, the frame placed where the system suggests (where it is, without).
  void OnDpiChanged(int newDpi, const RECT* suggested);
  void OnClose();
  void UpdateMenu(HMENU menu);
  void ToggleList();
  void PreviousLayer();
  void ShowBookMenu();
  void Copy();
  void SelectAll();
  bool FocusInWordBox();
  // Whether the content view shows text that Ctrl+A would mark.
  bool ContentHasText();
  void ContinuousSearch();
  void MoveFocus(WPARAM target);
  // The list, the content, the bars and the title bar in the colours the theme asks for now.
  void ApplyTheme();

  AppState& app;
  ui::CommandTable commands;
  FrameBars bars;
  LayerHistory layers{bars};
  BookSession book{app, bars, *this};
  HostLink host{app, book, *this};
  Search search{app, book, bars, layers, *this};  // the word box, the list and every search
  FramePanes panes;
  TextSizeControl textSize{panes, search.List()};
  EntryExtent extent{panes.Content()};
  LookupPopup popup{app, book, search, panes.Content(), host};  // their look-up beside the word read
  OutsideLookup outside{app, host, *this, popup};                // words from other programs
  WordListCommands wordList{search, panes.Content(), bars};  // entries kept to learn
  BookmarkCommands bookmarks{app, book, search, panes.Content(), bars};  // places kept to come back to
  PrintCommands printing{app, book, panes.Content(), bars};  // the entry on paper
  ThemeChoice theme;                        // light or dark
  MenuBarLook menuBarLook;                  // the menu bar's items drawn dark
  bool darkApplied = false;                 // the colours in force are the dark ones
  HWND focusBeforeLeaving = nullptr;        // the child that had the focus when the frame was left
  int dpi = 96;  // the frame's monitor's dots an inch
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_MAINFRAME_WIN_H
