// The look-up pop-up: a small window of its own (class "BrisvanePopup") that a word from another
// program opens beside the word read, instead of bringing the whole viewer forward. It holds the
// hits of the search (the main list's, in its order, with their book labels) above the entry,
// which the content view draws there: the view is lent to it while it is open. Up and Down choose
// a hit; Enter (or 本文を開く) opens the hit in the main window; Esc, or a click in another window,
// closes it, Esc giving the focus back to the window that had it. Its size is remembered
// ("popup", "Width" and "Height", in pixels of a 96-dots-an-inch screen). Whether words from
// other programs open it or the main window is the user's choice ("lookup", "Popup"; on at
// first).
//
// A double-click on a word of an entry (in the main window or in the pop-up) opens it over the
// entry with the look-up of that word (EntryLookups), whose entries can be double-clicked again;
// Backspace or Alt+Left goes back one look-up (from the first, to what it was opened over), Esc
// closes them all. While it is open over the main window, the main entry pane shows a picture of
// the entry read, which is shown again at the same place when the pop-up closes.
#ifndef BRISVANE_VIEWER_WIN_LOOKUPPOPUP_WIN_H
#define BRISVANE_VIEWER_WIN_LOOKUPPOPUP_WIN_H

#include <windows.h>

#include <string>

#include "EntryLookups_win.h"
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

// The window class, and the message the viewer's message loop sends it for Esc, Enter,
// Backspace and Alt+Left pressed in it (wParam the key, lParam 1 with Alt; 1 when taken).
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
  // VM_VIEW_LOOKUP: the word that begins text (Shift-JIS, from the entry shown in the main window
  // or in the pop-up) looked up over what is shown. False when it finds nothing (a beep, and
  // nothing changes) or cannot be shown now.
  bool LookUpInEntry(const char* text, HWND frame);
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
  // Placed beside what from shows (from null: the pointer) unless it stays where it is, and made
  // ready for the screen's resolution with the view lent to it.
  void Prepare(HWND from, bool place);
  // The latest look-up in the entry shown with its hits, or, with none left, the hits of the
  // search it was opened on.
  void ShowLookup();
  // Backspace: one look-up back; from the first, closed when it was opened over the main entry.
  void Back();
  // The rectangles of the list, the view and the button in a client area width × height.
  void Layout(int width, int height, RECT* listRect, RECT* viewRect, RECT* buttonRect) const;
  void OpenInMain();
  void RememberSize();

  // The list's headings: of the look-ups in the entry while there are any, else the search's.
  class Headings : public ListedHeadings {
   public:
    Headings(ListedHeadings& search, EntryLookups& lookups) : search(search), lookups(lookups) {}
    bool LibraryHits() const override { return lookups.Depth() ? false : search.LibraryHits(); }
    int32_t HeadingOf(int index, ListedHeading* heading) override {
      return lookups.Depth() ? lookups.HeadingOf(index, heading) : search.HeadingOf(index, heading);
    }

   private:
    ListedHeadings& search;
    EntryLookups& lookups;
  };

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
  EntryLookups lookups;
  Headings headings;
  ResultList list;
  HWND frame = nullptr;
  ListPane listPane{list};
  HWND button = nullptr;
  HWND readFrom = nullptr;  // the window that had the focus when the word was read
  ui::UniqueFont buttonFont;
  bool chosen = true;
  bool overEntry = false;   // opened by a double-click in the main window's entry
  int32_t entryRead = -1;   // where the main window's entry was read, to show it there again
  int searchChosen = 0;     // the search's hit chosen when the first look-up in the entry came
  bool closing = false;
  int dpi = 96;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_LOOKUPPOPUP_WIN_H
