// The shelf: the books the user keeps (ShelfBooks, in the user's settings: "shelf", "Books"),
// the scope box beside the search mode (この本: the open book, as always; 本棚: every ticked
// book of the shelf; "shelf", "Scope"), the search that covers the shelf, and the list it
// fills: each hit labelled with its book's short name and shown from its own book.
//
// The library keeps one open book: a shelf search opens each book in a book slot of the library
// (or, with a library without slots, in turn as its one book) and keeps every hit's heading and
// text position; showing a hit opens its book as the library's own. The slots stay open for the
// next search, and are closed one at a time once the shelf has not been searched for a while:
// ending a book's change watch holds up Wine's server some 5 ms, which the user does not feel
// then, but would in a search that closes 60 books.
#ifndef BRISVANE_VIEWER_WIN_SHELFSEARCH_WIN_H
#define BRISVANE_VIEWER_WIN_SHELFSEARCH_WIN_H

#include <windows.h>

#include <string>
#include <vector>

#include "BookPlace.h"
#include "BrisvaneRes.h"
#include "ResultList_win.h"
#include "SearchFlow.h"
#include "ShelfBooks.h"
#include "ShelfRun_win.h"
#include "ToolbarChoice_win.h"

namespace brisvane {

class AppState;
class BookSession;
class WordBox;

enum class SearchScope : int { kBook = 0, kShelf = 1 };

class ShelfSearch : public ListedHeadings {
 public:
  // The scope box: child IDC_SCOPEBOX of toolbar in slot.
  bool Create(HWND toolbar, const RECT& slot, int dpi) { return scope.Create(toolbar, slot, dpi); }
  void SetDpi(int dpi, const RECT& slot) { scope.SetDpi(dpi, slot); }
  // The scope and the books kept from the last run; book says which book is open.
  void Restore(const BookSession& book);
  SearchScope Scope() const { return static_cast<SearchScope>(scope.Chosen()); }
  void ChooseScope(SearchScope chosen) { scope.Choose(static_cast<int>(chosen)); }
  void ShowScope() { scope.Show(); }

  // The books; the first time (nothing kept yet), every usable book the title dialog lists.
  std::vector<ShelfBook>& Books(const BookApi& api);
  // Keeps the books in the settings.
  void KeepBooks();
  // The shelf dialog; the books as the user left them with OK, kept (true).
  bool Edit(HWND owner, AppState& app, const BookApi& api);
  // Whether book (in Books) did not open in the last shelf search.
  bool Missing(size_t book) const { return book < missing.size() && missing[book]; }

  // FM_SEARCH in the shelf scope: the word searched in every ticked book, their hits in the
  // list, the first one shown, the status bar saying how many books were searched and how many
  // passed over.
  void Run(SearchSurroundings& around, WordBox& wordBox, ResultList& list);
  // FM_SHOWITEM while the list holds a shelf search's hits: the hit's entry read from its own
  // book (opened when it is not the one open). False when the list holds no such hits.
  bool ShowHit(int index, BookSession& book, ContentView& content);
  // The list no longer holds the shelf search's hits (a search of the open book, a reset).
  void Forget() { hits.clear(); }
  // The frame's timer kSlotTimer: closes one slot kept open, and again after a moment while any
  // is. False for another timer.
  bool OnTimer(HWND frame, UINT_PTR id);
  // Closes every slot at once (the books moved on the shelf, the viewer ends).
  void CloseSlots();

  static constexpr UINT_PTR kSlotTimer = 0x7A02;

  // ListedHeadings.
  bool HeadingOf(int index, ListedHeading* heading) const override;

 private:
  BookPlace PlaceOf(const ShelfBook& shelved) const;
  void ReportNoHit(SearchSurroundings& around);

  ToolbarChoice scope{IDC_SCOPEBOX, {L"この本", L"本棚"}, L"shelf", L"Scope", 64};
  std::vector<ShelfBook> books;
  bool booksRead = false;
  std::vector<bool> missing;       // of the last shelf search, by book
  std::vector<ShelfHit> hits;      // of the last shelf search, as listed
  std::vector<int32_t> slots;      // by book: its library slot, 0 for none
  const BookSession* session = nullptr;
  const ShelfRun* running = nullptr;  // the search under way
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_SHELFSEARCH_WIN_H
