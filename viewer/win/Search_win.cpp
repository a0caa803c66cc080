#include "Search_win.h"

#include <algorithm>
#include <cwchar>

#include "AppState_win.h"
#include "AroundJob.h"
#include "BookSession_win.h"
#include "BookTitle_win.h"
#include "Calvetta.h"
#include "ContentView_win.h"
#include "FrameBars_win.h"
#include "FrameMessages.h"
#include "FrameRouter.h"
#include "LayerHistory_win.h"
#include "SearchKey.h"
#include "SearchProgressDialog_win.h"
#include "RelatedJob.h"
#include "SearchRules.h"
#include "ShelfJob.h"
#include "ui/ResourceText.h"
#include "ui/ShiftJisText.h"
#include "ui/WideUnicode.h"

namespace brisvane {

namespace {

using search::SearchKind;

// Status pane 0 goes back to a blank however a search of the open book ends.
class ClearMessagePane {
 public:
  explicit ClearMessagePane(FrameBars& bars) : bars(bars) {}
  ~ClearMessagePane() { bars.SetStatusText(0, L" "); }
  ClearMessagePane(const ClearMessagePane&) = delete;
  ClearMessagePane& operator=(const ClearMessagePane&) = delete;

 private:
  FrameBars& bars;
};

// While it lives, a job runs: the list it fills stays its own whatever else happens meanwhile.
class Running {
 public:
  explicit Running(bool& running) : running(running) { running = true; }
  ~Running() { running = false; }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  bool& running;
};

std::wstring Formatted(int id, int a) {
  wchar_t line[160];
  swprintf(line, sizeof line / sizeof line[0], ui::LoadText(id).c_str(), a);
  return line;
}

// A message of the library's strings with its %s filled, in order.
std::wstring Formatted(int id, const std::wstring& a, const std::wstring& b) {
  std::wstring text = ui::LoadText(id);
  for (const std::wstring* with : {&a, &b}) {
    const size_t at = text.find(L"%s");
    if (at != std::wstring::npos) text.replace(at, 2, *with);
  }
  return text;
}

booktext::SearchKey KeyOf(const std::wstring& word) { return booktext::BuildSearchKey(ui::ToShiftJis(word)); }

}  // namespace

Search::Search(AppState& app, BookSession& book, FrameBars& bars, LayerHistory& layers, FrameRouter& router)
    : app(app), book(book), bars(bars), layers(layers), router(router), list(*this, book.Api()), own(book.Api()),
      shelf(book.Api()) {}

bool Search::Create(HWND frameWindow, ContentView& contentView, int dpi) {
  frame = frameWindow;
  content = &contentView;
  // The word box sits over the toolbar's first button, the mode and the scope beside it.
  RECT slot = bars.WordBoxSlot();
  if (!box.Create(bars.Toolbar(), slot.left, slot.top, frame) || !box.Combo()) return false;
  if (list.Hwnd()) box.SetEscTarget(GetParent(list.Hwnd()));
  if (!modeBox.Create(bars.Toolbar(), bars.ModeBoxSlot(), dpi)) return false;
  if (!scopeBox.Create(bars.Toolbar(), bars.ScopeBoxSlot(), dpi)) return false;
  modeBox.Restore();
  scopeBox.Restore();
  typeAhead.Restore();
  related.Restore();
  return true;
}

void Search::AddCommands(ui::CommandTable& commands) {
  // Search stays enabled: greyed on the toolbar while no book is open; the command itself reports.
  commands.Add(IDM_SEARCH, [this](int, HWND) { Command(); });
  for (SearchKind each : search::kSearchKinds) {
    commands.Add(IDM_MODE_HEADWORD + static_cast<int>(each), [this, each](int, HWND) {
      ChooseMode(each);
      SetFocus(box.Edit());  // the word to search in that mode is typed next
    },
                 [this, each] { return Offered(each, book.IsOpen()); });
  }
  for (Scope each : {Scope::kBook, Scope::kShelf})
    commands.Add(IDM_SCOPE_BOOK + static_cast<int>(each), [this, each](int, HWND) {
      ChooseScope(each);
      SetFocus(box.Edit());
    });
  commands.Add(IDM_SHELF_EDIT, [this](int, HWND) { EditShelf(); });
  commands.Add(IDM_TYPE_AHEAD, [this](int, HWND) { typeAhead.Toggle(frame); });
  commands.Add(IDM_AROUND, [this](int, HWND) { Around(); }, [this] { return AroundOffered(); });
  // The same word with other related words is another search.
  related.AddCommands(commands, [this] { lastWord.clear(); });
}

void Search::Refused(int command) {
  // A search mode the book cannot do, chosen in the mode box: the box shows the mode in force.
  if (command >= IDM_MODE_HEADWORD && command <= IDM_MODE_FULLTEXT) modeBox.Show();
}

void Search::UpdateMenu(HMENU menu) const {
  CheckMenuItem(menu, IDM_TYPE_AHEAD, MF_BYCOMMAND | (typeAhead.On() ? MF_CHECKED : MF_UNCHECKED));
  related.UpdateMenu(menu);
  if (GetMenuState(menu, IDM_MODE_HEADWORD, MF_BYCOMMAND) != static_cast<UINT>(-1))
    CheckMenuRadioItem(menu, IDM_MODE_HEADWORD, IDM_MODE_FULLTEXT, IDM_MODE_HEADWORD + modeBox.Chosen(), MF_BYCOMMAND);
  if (GetMenuState(menu, IDM_SCOPE_BOOK, MF_BYCOMMAND) != static_cast<UINT>(-1))
    CheckMenuRadioItem(menu, IDM_SCOPE_BOOK, IDM_SCOPE_SHELF, IDM_SCOPE_BOOK + scopeBox.Chosen(), MF_BYCOMMAND);
}

bool Search::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  *result = 0;
  switch (message) {
    case FM_SEARCHSTART:
      // Painted while the progress dialog waits.
      bars.SetStatusText(0, ui::LoadText(IDS_SEARCHING).c_str());
      return true;
    case FM_SEARCH:
      Run();
      return true;
    case FM_SHOWITEM:
      layers.Clear();
      Show(static_cast<int>(wParam), false);
      MoreAround(static_cast<int>(wParam));
      return true;
    case FM_WORDENTER:
      Command();
      return true;
    case FM_LISTEDGE:
      MoreAroundAtEdge(wParam != 0);
      return true;
    case FM_WORDTYPED:
      typeAhead.Typed(frame);
      return true;
    case FM_WORDCUT:
      bars.SetStatusText(0, Formatted(IDS_WORD_CUT, static_cast<int>(wParam)).c_str());
      return true;
    case WM_TIMER:
      if (wParam == TypeAhead::kTimer) {
        Preview();
        return true;
      }
      return shelf.OnTimer(frame, wParam);
    default:
      return false;
  }
}

Search::Scope Search::ScopeChosen() const {
  // A library that cannot hold books beside its own searches the open book only.
  return scopeBox.Chosen() == static_cast<int>(Scope::kShelf) && shelf.Usable() ? Scope::kShelf : Scope::kBook;
}

bool Search::Offered(SearchKind kind, bool bookOpen) const {
  const int32_t modes = bookOpen ? own.SearchModes() : search::LibraryModes(book.Api());
  return search::Offers(modes, kind);
}

int Search::Refusal(const std::wstring& word) const {
  const SearchKind kind = Kind();
  if (!Offered(kind, false)) return IDS_MODE_UNAVAILABLE;
  if (!Offered(kind, true)) return IDS_NO_KEYWORD_INDEX;
  if (kind == SearchKind::kKeyword) {
    const size_t words = KeywordCount(word);
    if (words == 0 || words > kDunmoorMostKeywords) return IDS_KEYWORD_WORDS;
  }
  return 0;
}

void Search::ChooseMode(SearchKind kind) {
  if (kind == Kind()) return;
  modeBox.Choose(static_cast<int>(kind));
  lastWord.clear();  // the same word in another mode is another search
}

void Search::ChooseScope(Scope scope) {
  if (static_cast<int>(scope) == scopeBox.Chosen()) return;
  scopeBox.Choose(static_cast<int>(scope));
  lastWord.clear();  // the same word over another scope is another search
}

void Search::EditShelf() {
  if (!book.Api().OpenEpwing) return;  // no library bound yet
  const bool changed = shelf.Edit(frame, app);
  book.TakeBackCatalog();
  if (changed) router.ResetPanes();  // a shelf search's list named the books by their places
}

void Search::LookUp(const std::wstring& word) {
  box.SetText(word);
  Command();
}

std::wstring Search::Word() const { return SearchWord(box.Text()); }

void Search::Reset() {
  list.Reset();
  box.SetText(std::wstring());
  lastWord.clear();
  if (running) return;  // the job under way goes on filling the list
  job.reset();
  jobBooks.clear();
}

void Search::SetDpi(int dpi) {
  box.SetDpi(dpi);
  RECT slot = bars.WordBoxSlot();
  SetWindowPos(box.Combo(), nullptr, slot.left, slot.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  modeBox.SetDpi(dpi, bars.ModeBoxSlot());
  scopeBox.SetDpi(dpi, bars.ScopeBoxSlot());
  list.SetDpi(dpi);
}

void Search::End() {
  typeAhead.Stop(frame);
  KillTimer(frame, Shelf::kSlotTimer);
  shelf.CloseSlots();
}

void Search::Command() {
  if (app.ModalBusy()) return;
  // A shelf search needs no open book, only the library.
  if (!book.IsOpen() && !(ScopeChosen() == Scope::kShelf && book.Api().OpenEpwing)) {
    // No book open: said in the status bar, as nothing else would show it.
    bars.SetStatusText(0, ui::LoadText(IDS_NO_BOOK_OPEN).c_str());
    MessageBeep(MB_OK);
    return;
  }
  SendMessageW(frame, FM_SEARCHSTART, 0, 0);
  SendMessageW(frame, FM_SEARCH, 0, 0);
}

void Search::Run() {
  typeAhead.Stop(frame);
  const std::wstring word = Word();
  if (word.empty()) return;
  const bool longer = box.Text().size() > kSearchWordLimit;
  box.SetText(word);
  // The same word in another mode is a search of its own.
  if (Kind() != lastKind) lastWord.clear();
  lastKind = Kind();
  if (ScopeChosen() == Scope::kShelf) {
    RunOnShelf(word);
  } else {
    RunOnBook(word);
    // A longer word than a search takes: which part was searched.
    if (longer)
      bars.SetStatusText(0, Formatted(IDS_WORD_SEARCHED_CUT, static_cast<int>(kSearchWordLimit)).c_str());
  }
}

void Search::Clear() {
  list.Reset();
  content->Api().SetContentBlank();
  layers.Clear();
}

std::unique_ptr<search::SearchJob> Search::BookSearch(search::BookCalls& calls, const booktext::SearchKey& key,
                                                      const std::wstring& word) const {
  if (Kind() == SearchKind::kHeadword && related.On())
    return std::make_unique<search::RelatedJob>(calls, key, ui::Unicode(word), related.Options(),
                                                static_cast<size_t>(kMaxListItems));
  return std::make_unique<search::BookJob>(calls, Kind(), key);
}

void Search::Start(std::unique_ptr<search::SearchJob> next, std::vector<JobBook> books, bool ownHits,
                   const std::wstring& word) {
  job = std::move(next);
  jobBooks = std::move(books);
  libraryHits = ownHits;
  jobWord = word;
  listedKind = Kind();
  around = nullptr;
  keptHits = false;
}

void Search::ListKept(const std::vector<KeptEntry>& entries, int first) {
  if (running || app.ModalBusy() || entries.empty()) return;
  typeAhead.Stop(frame);
  std::vector<JobBook> books;
  std::vector<search::KeptHit> hits;
  for (const KeptEntry& entry : entries) {
    size_t at = 0;
    while (at < books.size() && books[at].place != entry.place) ++at;
    if (at == books.size()) books.push_back({entry.place, entry.label});
    hits.push_back({at, entry.heading, entry.textPosition});
  }
  // Every book has its label: a book that does not open is its bookmarks' failure alone.
  for (JobBook& each : books)
    if (each.label.empty()) each.label = L"?";
  lastWord.clear();
  Clear();
  const int32_t count = static_cast<int32_t>(books.size());
  Start(std::make_unique<search::KeptJob>(std::move(hits), count), std::move(books), false, L"");
  keptHits = true;
  {
    Running run(running);
    RunAtOnce(*job, [this](int32_t added) { list.Add(added); });
  }
  const int shown = first >= 0 && first < job->Found() ? first : 0;
  SendMessageW(list.Hwnd(), LB_SETCURSEL, static_cast<WPARAM>(shown), 0);
  Show(shown, true);
  bars.SetStatusText(1, ResultCountText(job->Found()).c_str());
}

SearchOutcome Search::RunJob(int32_t* total) {
  Running run(running);
  AppState::ModalScope modal(app);
  SearchProgressDialog dialog(*job, list, [this] { Clear(); }, [this] {
    // The keys around a hit show that hit, in the middle of the list.
    const int first = around ? around->Selected() : 0;
    Show(first, true);
    if (around) SendMessageW(list.Hwnd(), LB_SETTOPINDEX, static_cast<WPARAM>(std::max(first - 10, 0)), 0);
    SendMessageW(list.Hwnd(), LB_SETCURSEL, static_cast<WPARAM>(first), 0);
    SetFocus(list.Hwnd());
  });
  const SearchOutcome outcome = dialog.Run(frame);
  *total = dialog.Total();
  return outcome;
}

void Search::ReportNoHit() {
  const std::wstring text = NoHitText();
  bars.SetStatusText(1, text.c_str());
  app.FocusWordBoxOnNextActivation(true);
  app.ShowMessage(frame, text.c_str());
  lastFound = false;
}

void Search::RunOnBook(const std::wstring& word) {
  ClearMessagePane clear(bars);
  if (const int refusal = Refusal(word); refusal != 0) {
    app.FocusWordBoxOnNextActivation(true);
    app.ShowMessage(frame, ui::LoadText(refusal).c_str());
    lastWord.clear();
    lastFound = false;
    return;
  }
  switch (DecideSearch(word, lastWord, lastFound)) {
    case SearchAction::kNothing:
      return;
    case SearchAction::kReportNoHit:
      ReportNoHit();
      return;
    case SearchAction::kSearch:
      break;
  }

  lastWord = word;
  layers.GreyButton();
  const booktext::SearchKey key = KeyOf(word);
  app.FocusWordBoxOnNextActivation(false);
  Start(BookSearch(own, key, word), {{book.Place(), L""}}, true, word);
  int32_t total = 0;
  const SearchOutcome outcome = RunJob(&total);
  if (outcome == SearchOutcome::kHits) {
    lastFound = true;
    bars.SetStatusText(1, ResultCountText(total).c_str());
    box.AddToHistory(word);  // after the entry is shown: the settings are written
  } else if (outcome == SearchOutcome::kReadError) {
    app.FocusWordBoxOnNextActivation(true);
    book.ReportReadError();
    lastFound = false;
  } else {
    ReportNoHit();
  }
}

void Search::RunOnShelf(const std::wstring& word) {
  // The next search of the open book runs even for the same word: the list is the shelf's.
  lastWord.clear();
  bool listed = false;
  shelf.Books(&listed);
  if (listed) book.TakeBackCatalog();  // the first listing of the shelf loaded other catalogs
  if (!shelf.AnyTicked()) {
    bars.SetStatusText(0, L" ");
    app.FocusWordBoxOnNextActivation(true);
    app.ShowMessage(frame, ui::LoadText(IDS_SHELF_EMPTY).c_str());
    return;
  }

  app.FocusWordBoxOnNextActivation(false);
  std::vector<JobBook> books;
  auto shelved = ShelfSearch(word, &books);
  const search::ShelfJob& searched = *shelved;
  Start(std::move(shelved), std::move(books), false, word);
  int32_t total = 0;
  const SearchOutcome outcome = RunJob(&total);
  shelf.Searched(searched, frame);

  std::wstring status = Formatted(IDS_SHELF_SEARCHED, searched.Count(search::BookOutcome::kSearched));
  const int notOpened =
      searched.Count(search::BookOutcome::kNotOpened) + searched.Count(search::BookOutcome::kReadFailed);
  if (notOpened > 0) {
    // Which they are: their labels, the first three.
    status += Formatted(IDS_SHELF_NOT_OPENED, notOpened);
    std::wstring names;
    int named = 0;
    const std::vector<ShelfBook>& shelved = shelf.Books();
    for (size_t b = 0; b < shelved.size(); ++b) {
      const search::BookOutcome how = searched.Outcome(b);
      if (how != search::BookOutcome::kNotOpened && how != search::BookOutcome::kReadFailed) continue;
      if (++named > 3) {
        names += L", \u2026";
        break;
      }
      names += (names.empty() ? L" (" : L", ") + shelved[b].name;
    }
    if (!names.empty()) status += names + L")";
  }
  if (const int lacking = searched.Count(search::BookOutcome::kCannotSearch); lacking > 0)
    status += Formatted(IDS_SHELF_NO_KEYWORDS, lacking);
  bars.SetStatusText(0, status.c_str());
  if (outcome != SearchOutcome::kHits) {
    ReportNoHit();
    return;
  }
  box.AddToHistory(word);
  bars.SetStatusText(1, ResultCountText(total).c_str());
}

std::unique_ptr<search::ShelfJob> Search::ShelfSearch(const std::wstring& word, std::vector<JobBook>* books) {
  KillTimer(frame, Shelf::kSlotTimer);  // the books kept open serve this search
  for (size_t b = 0; b < shelf.Count(); ++b) books->push_back({shelf.PlaceOf(b), shelf.Books()[b].name});
  const booktext::SearchKey key = KeyOf(word);
  return std::make_unique<search::ShelfJob>(
      shelf, Kind(), [this, key, word](search::BookCalls& calls) { return BookSearch(calls, key, word); },
      static_cast<size_t>(kMaxListItems));
}

SearchOutcome Search::LookUpAtOnce(const std::wstring& text) {
  if (running || app.ModalBusy()) return SearchOutcome::kNoHit;
  typeAhead.Stop(frame);
  box.SetText(text);
  const std::wstring word = Word();
  box.SetText(word);
  lastWord.clear();
  lastKind = Kind();
  Clear();
  bars.SetStatusText(1, L" ");
  if (word.empty()) return SearchOutcome::kNoHit;
  if (ScopeChosen() == Scope::kShelf) {
    bool listed = false;
    shelf.Books(&listed);
    if (listed) book.TakeBackCatalog();
    if (!shelf.AnyTicked()) return SearchOutcome::kNoHit;
    std::vector<JobBook> books;
    Start(ShelfSearch(word, &books), std::move(books), false, word);
  } else {
    if (!book.IsOpen() || Refusal(word) != 0) return SearchOutcome::kNoHit;
    Start(BookSearch(own, KeyOf(word), word), {{book.Place(), L""}}, true, word);
  }
  SearchOutcome outcome;
  {
    Running run(running);
    outcome = RunAtOnce(*job, [this](int32_t count) { list.Add(count); });
  }
  if (ScopeChosen() == Scope::kShelf) shelf.Searched(static_cast<const search::ShelfJob&>(*job), frame);
  lastWord = word;
  lastFound = outcome == SearchOutcome::kHits;
  if (outcome != SearchOutcome::kHits) {
    bars.SetStatusText(1, NoHitText().c_str());
    return outcome;
  }
  SendMessageW(list.Hwnd(), LB_SETCURSEL, 0, 0);
  Show(0, true);
  bars.SetStatusText(1, ResultCountText(job->Found()).c_str());
  box.AddToHistory(word);
  return outcome;
}

int Search::Listed() const { return list.Hwnd() ? static_cast<int>(SendMessageW(list.Hwnd(), LB_GETCOUNT, 0, 0)) : 0; }

void Search::ShowItem(int index, bool select) {
  if (select) SendMessageW(list.Hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  layers.Clear();
  Show(index, select);
}

void Search::Show(int index, bool now) {
  if (!job) return;
  search::HitPlace place;
  const bool placed = job->Place(index, &place) == kDunmoorSuccess;
  if (libraryHits && job->LibraryHit(index)) {
    content->ShowHit(index, place, now);
    return;
  }
  // A hit the job keeps is read at its text position, from its own book opened as the viewer's.
  if (!placed || place.book >= jobBooks.size()) return;
  JobBook& from = jobBooks[place.book];
  // A shelf book that does not open is that book's failure: the list and the word stay, its
  // hits are greyed and the status bar names it.
  const bool shelfBook = jobBooks.size() > 1 || !from.label.empty();
  if (shelfBook ? !book.OpenShelfPlace(from.place) : !book.OpenPlace(from.place)) {
    if (!shelfBook) return;
    from.failed = true;
    content->Api().SetContentBlank();
    InvalidateRect(list.Hwnd(), nullptr, TRUE);
    bars.SetStatusText(0, Formatted(keptHits ? IDS_KEPT_BOOK_FAILED : IDS_SHELF_BOOK_FAILED, from.label,
                                    from.place.path).c_str());
    MessageBeep(MB_ICONWARNING);
    return;
  }
  content->ShowAt(place, now);
}

int32_t Search::HeadingOf(int index, ListedHeading* heading) {
  if (!job) return kDunmoorRefused;
  const int32_t read = job->Heading(index, &heading->heading);
  if (read != kDunmoorSuccess) return read;
  search::HitPlace place;
  if (job->Place(index, &place) != kDunmoorSuccess || place.book >= jobBooks.size()) return kDunmoorRefused;
  const JobBook& from = jobBooks[place.book];
  heading->label = from.label;
  booktext::Relation how;
  std::u32string word;
  heading->note = job->Related(index, &how, &word) ? ui::Wide(word) + L" \u2190 " + jobWord : std::wstring();
  // Its external characters come from the fonts of the book open, when that is its own.
  heading->ownBook = book.IsOpen() && from.place == book.Place();
  heading->unavailable = from.failed;
  return kDunmoorSuccess;
}

void Search::Preview() {
  typeAhead.Stop(frame);
  // Not inside a dialog or a message box, and a shelf search (books opened one by one) waits for
  // Enter.
  if (app.ModalBusy() || !book.IsOpen() || ScopeChosen() != Scope::kBook) return;
  const std::wstring word = Word();
  // Whatever the list showed for the last word searched, it shows something else now.
  lastWord.clear();
  Clear();
  bars.SetStatusText(1, L" ");
  // The whole text is scanned on Enter only.
  if (word.empty() || Refusal(word) != 0 || Kind() == SearchKind::kFullText) return;
  // The headwords that begin with the word, beside its related words.
  const booktext::SearchKey key = KeyOf(Kind() == SearchKind::kHeadword ? TypeAheadWord(word) : word);
  Start(BookSearch(own, key, word), {{book.Place(), L""}}, true, word);
  const SearchOutcome outcome = RunAtOnce(*job, [this](int32_t count) { list.Add(count); });
  if (outcome != SearchOutcome::kHits) {
    if (outcome != SearchOutcome::kReadError) bars.SetStatusText(1, NoHitText().c_str());
    return;
  }
  SendMessageW(list.Hwnd(), LB_SETCURSEL, 0, 0);
  Show(0, false);
  bars.SetStatusText(1, ResultCountText(job->Found()).c_str());
}

}  // namespace brisvane
