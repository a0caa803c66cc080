// The search, as one feature of the main frame: the word box and its history, the search mode
// (見出し, 条件, 全文: "search", "Mode") and the scope (この本 / 本棚: "shelf", "Scope") beside
// it, the headword list, the search command with its progress dialog, the list while the user
// types (as-you-type), and the shelf's books and dialog. Every search is a job (search/): the
// list draws from the job that filled it last, and choosing an item shows its hit, from the
// library's own hits or from its own book.
//
// The frame routes its commands and messages here (AddCommands, OnMessage) and knows nothing of
// modes, scopes or shelves.
#ifndef BRISVANE_VIEWER_WIN_SEARCH_WIN_H
#define BRISVANE_VIEWER_WIN_SEARCH_WIN_H

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "AroundJob.h"
#include "BookPlace.h"
#include "BrisvaneRes.h"
#include "ExportCalls.h"
#include "JobRun.h"
#include "KeptJob.h"
#include "RelatedChoice_win.h"
#include "ResultList_win.h"
#include "SearchJob.h"
#include "ShelfJob.h"
#include "Shelf_win.h"
#include "ToolbarChoice_win.h"
#include "TypeAhead_win.h"
#include "WordBox_win.h"
#include "ui/CommandTable.h"

namespace brisvane {

class AppState;
class BookSession;
class ContentView;
class FrameBars;
class FrameRouter;
class LayerHistory;

class Search : private ListedHeadings {
 public:
  Search(AppState& app, BookSession& book, FrameBars& bars, LayerHistory& layers, FrameRouter& router);

  // The list, for the left pane to make (ResultList::Create) before Create.
  ResultList& List() { return list; }
  // The word box and the mode and scope boxes on the frame's toolbar, the settings they keep.
  bool Create(HWND frame, ContentView& content, int dpi);
  // The commands of the search, the modes and the scope, the shelf dialog and as-you-type.
  void AddCommands(ui::CommandTable& commands);
  // A command the search cannot run now was chosen (a mode box then shows the mode in force).
  void Refused(int command);
  // The menu's checks of the mode, the scope and as-you-type.
  void UpdateMenu(HMENU menu) const;
  // The frame's messages that are the search's (FM_SEARCHSTART, FM_SEARCH, FM_SHOWITEM,
  // FM_WORDENTER, FM_WORDTYPED, its timers): true when handled, with *result.
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  // The word into the word box, and the search command (the word at the top of the history when
  // it finds something).
  void LookUp(const std::wstring& word);
  // The word looked up at once, without the progress dialog, as the search command would (the
  // mode, the scope, the related words): the list filled, the first hit shown now, the word at the
  // top of the history when it finds something. For a look-up shown in the pop-up.
  SearchOutcome LookUpAtOnce(const std::wstring& word);
  // Entries the reader kept (bookmarks): listed as a search's hits, each read at its position from
  // its own book (one that is not there is greyed and named in the status bar, the book open
  // staying open), item first shown and selected. The status bar's count names them.
  struct KeptEntry {
    BookPlace place;
    std::wstring label;    // its book, as the list names it beside the heading
    std::string heading;   // as the library gives headings
    int32_t textPosition = 0;
  };
  void ListKept(const std::vector<KeptEntry>& entries, int first);
  // The list's headings, for another list drawn from the same job; how many items it holds.
  ListedHeadings& Headings() { return *this; }
  int Listed() const;
  // Hit index shown in the entry pane (posted), or with select also selected in the list.
  void ShowItem(int index, bool select);
  // The related words' foldings the user chose (for look-ups made beside the search).
  const booktext::RelatedOptions& RelatedChoices() const { return related.Options(); }
  // The box text, at most 49 characters (what a search would use).
  std::wstring Word() const;
  // ResetPanes: the list emptied and the word box (its history stays); the same word is
  // searched anew.
  void Reset();
  // The boxes' and the list's fonts and places for a monitor of dpi dots an inch.
  void SetDpi(int dpi);
  void SetDark(bool dark) { list.SetDark(dark); }
  // The viewer ends: the shelf's books are closed.
  void End();

  HWND WordBoxWindow() const { return box.Combo(); }
  HWND WordBoxEdit() const { return box.Edit(); }
  HWND ResultListWindow() const { return list.Hwnd(); }

 private:
  enum class Scope : int { kBook = 0, kShelf = 1 };
  // A book a job searched: where it is, and the label its hits carry in the list.
  struct JobBook {
    BookPlace place;
    std::wstring label;
    bool failed = false;  // it did not open when one of its hits was chosen
  };

  // ListedHeadings.
  bool LibraryHits() const override { return libraryHits; }
  int32_t HeadingOf(int index, ListedHeading* heading) override;

  search::SearchKind Kind() const { return static_cast<search::SearchKind>(modeBox.Chosen()); }
  Scope ScopeChosen() const;
  // Whether the bound library offers kind at all, and (with a book open) the open book does.
  bool Offered(search::SearchKind kind, bool bookOpen) const;
  // Why the open book cannot be searched for word in the mode chosen (a message's id), or 0.
  int Refusal(const std::wstring& word) const;
  void ChooseMode(search::SearchKind kind);
  void ChooseScope(Scope scope);
  void EditShelf();

  // The search command: nothing while a modal window is open, a read error without a book.
  void Command();
  // FM_SEARCH.
  void Run();
  void RunOnBook(const std::wstring& word);
  void RunOnShelf(const std::wstring& word);
  // The shelf's search for word over its ticked books, and those books as the list names them.
  std::unique_ptr<search::ShelfJob> ShelfSearch(const std::wstring& word, std::vector<JobBook>* books);
  // The list emptied, the entry blanked, no layers: a new search begins.
  void Clear();
  // The search of one book for word with key: with related words (a headword search, when
  // they are on), or as the design's.
  std::unique_ptr<search::SearchJob> BookSearch(search::BookCalls& calls, const booktext::SearchKey& key,
                                                const std::wstring& word) const;
  // The list draws from job, a search for word, from now on.
  void Start(std::unique_ptr<search::SearchJob> job, std::vector<JobBook> books, bool libraryHits,
             const std::wstring& word);
  // Runs the job in the progress dialog: the panes are cleared as it opens, and the first hit is
  // shown and the list given the focus before it closes.
  SearchOutcome RunJob(int32_t* total);
  // Hit index shown in the entry pane (posted, or at once).
  void Show(int index, bool now);
  // 前後の見出し (SearchAround_win.cpp): offered on a hit of a headword search; the list of the
  // keys around it; more of them when the selection reaches an end of the list (index).
  bool AroundOffered() const;
  void Around();
  void MoreAround(int index);
  // FM_LISTEDGE: the list scrolled to its top or its end reads more keys there.
  void MoreAroundAtEdge(bool end);
  // The keys around the same place read anew with more on both sides, item index (or the top
  // item, for -1) staying the same key.
  void ReadMoreAround(int index);
  void ReportNoHit();
  // A pause in typing is over: the list of what the box holds.
  void Preview();

  AppState& app;
  BookSession& book;
  FrameBars& bars;
  LayerHistory& layers;
  FrameRouter& router;
  HWND frame = nullptr;
  ContentView* content = nullptr;
  WordBox box;
  ResultList list;
  ToolbarChoice modeBox{IDC_MODEBOX, {L"見出し", L"条件", L"全文"}, L"search", L"Mode", 64};
  ToolbarChoice scopeBox{IDC_SCOPEBOX, {L"この本", L"本棚"}, L"shelf", L"Scope", 64};
  TypeAhead typeAhead;
  RelatedChoice related;
  mutable search::OwnBookCalls own;  // asked what the open book offers
  Shelf shelf;

  // The job the list draws from, the books it searched, and whether its hits are the
  // library's own; whether it runs now.
  std::unique_ptr<search::SearchJob> job;
  std::vector<JobBook> jobBooks;
  std::wstring jobWord;  // the word it searched for
  bool libraryHits = false;
  bool keptHits = false;  // the list holds kept entries
  bool running = false;
  search::SearchKind listedKind = search::SearchKind::kHeadword;  // the kind of search that filled it
  search::AroundJob* around = nullptr;  // the job, when it lists the keys around a hit
  // The last search of the open book: its word, its mode, and whether it found anything.
  std::wstring lastWord;
  search::SearchKind lastKind = search::SearchKind::kHeadword;
  bool lastFound = false;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_SEARCH_WIN_H
