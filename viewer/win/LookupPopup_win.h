// The look-up pop-up: a small window of its own (class "BrisvanePopup") that a word from another
// program opens beside the word read, instead of bringing the whole viewer forward. It holds the
// hits of the search (the main list's, in its order, with their book labels) above the entry,
// which the content view draws there: the view is lent to it while it is open. Up and Down choose
// a hit; Enter (or 本文を開く) opens the hit in the main window; Esc, or a click in another window,
// closes it, Esc giving the focus back to the window that had it. Its size is remembered
// ("popup", "Width" and "Height", in pixels of a 96-dots-an-inch screen). Whether words from
// other programs open it or the main window is the user's choice ("lookup", "Popup"; on at
// first).
#ifndef BRISVANE_VIEWER_WIN_LOOKUPPOPUP_WIN_H
#define BRISVANE_VIEWER_WIN_LOOKUPPOPUP_WIN_H

#include <windows.h>

#include <string>

#include "ResultList_win.h"
#include "ui/CommandTable.h"
#include "ui/UniqueHandle.h"
#include "ui/Window.h"

namespace brisvane {

class AppState;
class BookSession;
class ContentView;
class HostLink;
class Search;

// The window class, and the message the viewer's message loop sends it for Esc and Enter
// pressed in it (wParam the key; 1 when taken).
constexpr wchar_t kPopupClass[] = L"BrisvanePopup";
constexpr UINT FM_POPUPKEY = 0x400 + 140;

class LookupPopup : public ui::Window {
 public:
  LookupPopup(AppState& app, BookSession& book, Search& search, ContentView& content, HostLink& host);

  // Whether words from other programs open the pop-up (the setting read at the start).
  bool Chosen() const { return chosen; }
  void AddCommands(ui::CommandTable& commands);
  void UpdateMenu(HMENU menu) const;

  // word looked up and shown beside the caret (or the pointer) of from, the program read from.
  // False when it cannot be shown so (no book open, or a window of ours is busy): the caller
  // shows it in the main window.
  bool Open(const std::wstring& word, HWND from, HWND frame);
  // Closed, the view given back to the main window; with giveFocusBack, the window read from
  // in front again.
  void Close(bool giveFocusBack);
  bool IsOpen() const { return Hwnd() && IsWindowVisible(Hwnd()); }
  // The viewer ends: closed and destroyed.
  void End();
  HWND List() const { return list.Hwnd(); }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  ui::Handled OnCreate(const CREATESTRUCTW& create) override;
  ui::Handled OnSize(UINT kind, int width, int height) override;

 private:
  bool Make(HWND frame);
  // The rectangles of the list, the view and the button in a client area width × height.
  void Layout(int width, int height, RECT* listRect, RECT* viewRect, RECT* buttonRect) const;
  void OpenInMain();
  void RememberSize();

  // The list's pane: what concerns the list goes to it.
  class ListPane : public ui::Window {
   public:
    explicit ListPane(ResultList& list) : list(list) {}

   protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

   private:
    ResultList& list;
  };

  AppState& app;
  BookSession& book;
  Search& search;
  ContentView& content;
  HostLink& host;
  ResultList list;
  HWND frame = nullptr;
  ListPane listPane{list};
  HWND button = nullptr;
  HWND readFrom = nullptr;  // the window that had the focus when the word was read
  ui::UniqueFont buttonFont;
  bool chosen = true;
  bool closing = false;
  int dpi = 96;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_LOOKUPPOPUP_WIN_H
