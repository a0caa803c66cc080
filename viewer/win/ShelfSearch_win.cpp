#include "ShelfSearch_win.h"

#include <algorithm>
#include <cwchar>

#include "AppState_win.h"
#include "BookSession_win.h"
#include "BookTitle_win.h"
#include "Calvetta.h"
#include "ContentView_win.h"
#include "FrameBars_win.h"
#include "LayerHistory_win.h"
#include "SearchKey.h"
#include "SearchRules.h"
#include "Settings_win.h"
#include "ShelfDialog_win.h"
#include "ShelfProgressDialog_win.h"
#include "TitleDialog_win.h"
#include "WordBox_win.h"
#include "ui/ResourceText.h"
#include "ui/ShiftJisText.h"

namespace brisvane {

namespace {

constexpr wchar_t kShelfKey[] = L"shelf";
constexpr wchar_t kBooksValue[] = L"Books";
constexpr wchar_t kMadeValue[] = L"Made";  // 1 once the shelf was first made
// The books' slots are kept this long after a shelf search, for the next one; then closed one
// every kSlotGapMs.
constexpr UINT kKeepSlotsMs = 1000;
constexpr UINT kSlotGapMs = 30;

bool AnySlotOpen(const std::vector<int32_t>& slots) {
  return std::any_of(slots.begin(), slots.end(), [](int32_t slot) { return slot > 0; });
}

std::wstring Formatted(int id, int a, int b = 0) {
  wchar_t line[160];
  swprintf(line, sizeof line / sizeof line[0], ui::LoadText(id).c_str(), a, b);
  return line;
}

}  // namespace

void ShelfSearch::Restore(const BookSession& book) {
  session = &book;
  scope.Restore();
}

std::vector<ShelfBook>& ShelfSearch::Books(const BookApi& api) {
  if (booksRead) return books;
  booksRead = true;
  uint32_t made = 0;
  if (exchange::ReadNumberSetting(kShelfKey, kMadeValue, &made) && made == 1) {
    books = ShelfBooksOf(exchange::ReadUserList(kShelfKey, kBooksValue));
    return books;
  }
  // The first time: every usable book the title dialog would list. Listing loads catalogs into
  // the library; the caller opens its book again.
  for (const std::wstring& root : KnownBookRoots())
    for (const DiscBook& found : ListDiscBooks(api, root)) AddToShelf(&books, {root, found.index, ShortName(found.title), true});
  KeepBooks();
  return books;
}

void ShelfSearch::KeepBooks() {
  exchange::WriteUserList(kShelfKey, kBooksValue, ShelfLines(books));
  exchange::WriteNumberSetting(kShelfKey, kMadeValue, 1);
}

bool ShelfSearch::Edit(HWND owner, AppState& app, const BookApi& api) {
  ShelfDialog dialog(api, Books(api), missing);
  {
    AppState::ModalScope modal(app);
    if (dialog.Run(owner) != 1) return false;
  }
  books = dialog.Books();
  missing.clear();  // the books may have moved
  CloseSlots();
  KeepBooks();
  // The list's hits name books by their place on the shelf, which may have changed.
  Forget();
  return true;
}

BookPlace ShelfSearch::PlaceOf(const ShelfBook& shelved) const { return {ToLocalPath(shelved.root), shelved.index}; }

void ShelfSearch::ReportNoHit(SearchSurroundings& around) {
  std::wstring text = NoHitText();
  around.bars.SetStatusText(1, text.c_str());
  around.app.FocusWordBoxOnNextActivation(true);
  around.app.ShowMessage(around.frame, text.c_str());
}

void ShelfSearch::Run(SearchSurroundings& around, WordBox& wordBox, ResultList& list) {
  std::wstring word = SearchWord(wordBox.Text());
  if (word.empty()) return;
  wordBox.SetText(word);
  // The book open before comes back when nothing is found (listing a shelf's discs the first
  // time loads their catalogs into the library too).
  const bool wasOpen = around.book.IsOpen();
  const BookPlace before = around.book.Place();
  auto reopen = [&] {
    around.book.LetGo();
    if (wasOpen) around.book.OpenPlace(before);
  };
  std::vector<ShelfBook>& shelved = Books(around.book.Api());
  if (std::none_of(shelved.begin(), shelved.end(), [](const ShelfBook& b) { return b.ticked; })) {
    reopen();
    around.bars.SetStatusText(0, L" ");
    around.app.FocusWordBoxOnNextActivation(true);
    around.app.ShowMessage(around.frame, ui::LoadText(IDS_SHELF_EMPTY).c_str());
    return;
  }

  around.layers.Clear();
  Forget();
  list.Reset();
  list.SetListedHeadings(this);
  around.content.Api().SetContentBlank();
  around.app.FocusWordBoxOnNextActivation(false);
  // The library opens each book in turn: the viewer's book counts as closed meanwhile.
  around.book.LetGo();
  booktext::SearchKey key = booktext::BuildSearchKey(ui::ToShiftJis(word));
  KillTimer(around.frame, kSlotTimer);  // the books kept open serve this search
  ShelfRun run(around.book.Api(), shelved, around.mode, key, &slots);
  brisvane::SearchOutcome outcome = brisvane::SearchOutcome::kNoHit;
  ShelfProgressDialog dialog(run, list.Hwnd());
  {
    AppState::ModalScope modal(around.app);
    running = &run;  // the list draws the hits as they come
    outcome = dialog.Run(around.frame);
    running = nullptr;
  }
  hits = run.Hits();
  if (AnySlotOpen(slots)) SetTimer(around.frame, kSlotTimer, kKeepSlotsMs, nullptr);
  missing.assign(shelved.size(), false);
  for (size_t b = 0; b < shelved.size(); ++b) missing[b] = run.Missing(b);

  std::wstring status = Formatted(IDS_SHELF_SEARCHED, run.Searched());
  if (run.NotOpened() > 0) status += Formatted(IDS_SHELF_NOT_OPENED, run.NotOpened());
  if (run.NoKeywords() > 0) status += Formatted(IDS_SHELF_NO_KEYWORDS, run.NoKeywords());
  if (outcome == brisvane::SearchOutcome::kHits && !hits.empty()) {
    wordBox.AddToHistory(word);
    ShowHit(0, around.book, around.content);
    SendMessageW(list.Hwnd(), LB_SETCURSEL, 0, 0);
    SetFocus(list.Hwnd());
    around.bars.SetStatusText(1, ResultCountText(run.Total()).c_str());
    around.bars.SetStatusText(0, status.c_str());
    return;
  }
  reopen();
  around.bars.SetStatusText(0, status.c_str());
  ReportNoHit(around);
}

bool ShelfSearch::OnTimer(HWND frame, UINT_PTR id) {
  if (id != kSlotTimer) return false;
  auto open = std::find_if(slots.begin(), slots.end(), [](int32_t slot) { return slot > 0; });
  if (open != slots.end() && session) {
    session->Api().epwCloseBookSlot(*open);
    *open = 0;
  }
  if (AnySlotOpen(slots))
    SetTimer(frame, kSlotTimer, kSlotGapMs, nullptr);
  else
    KillTimer(frame, kSlotTimer);
  return true;
}

void ShelfSearch::CloseSlots() {
  for (int32_t& slot : slots) {
    if (slot > 0 && session && session->Api().epwCloseBookSlot) session->Api().epwCloseBookSlot(slot);
    slot = 0;
  }
}

bool ShelfSearch::ShowHit(int index, BookSession& book, ContentView& content) {
  if (index < 0 || static_cast<size_t>(index) >= hits.size()) return false;
  const ShelfHit& hit = hits[static_cast<size_t>(index)];
  if (hit.book >= books.size() || !book.OpenPlace(PlaceOf(books[hit.book]))) return true;
  HWND view = content.Hwnd();
  PostMessageW(view, VM_VIEW_SHOWAT, 0, static_cast<LPARAM>(hit.textPosition));
  if (hit.matchLength > 0)
    PostMessageW(view, VM_VIEW_MARKTEXT, static_cast<WPARAM>(hit.matchPosition), static_cast<LPARAM>(hit.matchLength));
  return true;
}

bool ShelfSearch::HeadingOf(int index, ListedHeading* heading) const {
  const std::vector<ShelfHit>& listed = running ? running->Hits() : hits;
  if (index < 0 || static_cast<size_t>(index) >= listed.size()) return false;
  const ShelfHit& hit = listed[static_cast<size_t>(index)];
  if (hit.book >= books.size()) return false;
  heading->label = books[hit.book].name;
  heading->heading = hit.heading;
  // Its external characters come from the fonts of the book open, when that is its own.
  heading->ownBook = !running && session && session->IsOpen() && PlaceOf(books[hit.book]) == session->Place();
  return true;
}

}  // namespace brisvane
