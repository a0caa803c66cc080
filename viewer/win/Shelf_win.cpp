#include "Shelf_win.h"

#include <algorithm>

#include "AppState_win.h"
#include "BookPaths_win.h"
#include "BookTitle_win.h"
#include "Settings_win.h"
#include "ShelfDialog_win.h"
#include "TitleDialog_win.h"

namespace brisvane {

namespace {

constexpr wchar_t kShelfKey[] = L"shelf";
constexpr wchar_t kBooksValue[] = L"Books";
constexpr wchar_t kMadeValue[] = L"Made";  // 1 once the shelf was first made
// The books' slots are kept this long after a shelf search, for the next one; then closed one
// every kSlotGapMs.
constexpr UINT kKeepSlotsMs = 1000;
constexpr UINT kSlotGapMs = 30;

}  // namespace

const std::vector<ShelfBook>& Shelf::Books(bool* listed) {
  if (listed) *listed = false;
  if (booksRead) return books;
  booksRead = true;
  uint32_t made = 0;
  if (exchange::ReadNumberSetting(kShelfKey, kMadeValue, &made) && made == 1) {
    books = ShelfBooksOf(exchange::ReadUserList(kShelfKey, kBooksValue));
    return books;
  }
  // The first time: every usable book the title dialog would list.
  if (listed) *listed = true;
  for (const std::wstring& root : KnownBookRoots())
    for (const DiscBook& found : ListDiscBooks(api, root))
      if (!found.unreadable && AddToShelf(&books, {root, found.index, ShortName(found.title), true}))
        NameApart(&books, books.size() - 1);
  KeepBooks();
  return books;
}

bool Shelf::AnyTicked() {
  const std::vector<ShelfBook>& shelved = Books();
  return std::any_of(shelved.begin(), shelved.end(), [](const ShelfBook& b) { return b.ticked; });
}

void Shelf::KeepBooks() {
  exchange::WriteUserList(kShelfKey, kBooksValue, ShelfLines(books));
  exchange::WriteNumberSetting(kShelfKey, kMadeValue, 1);
}

bool Shelf::Edit(HWND owner, AppState& app) {
  ShelfDialog dialog(api, Books(), missing);
  {
    AppState::ModalScope modal(app);
    if (dialog.Run(owner) != 1) return false;
  }
  CloseSlots();  // the books may have moved: a slot belongs to a place on the shelf
  books = dialog.Books();
  missing.clear();
  KeepBooks();
  return true;
}

BookPlace Shelf::PlaceOf(size_t book) const {
  return book < books.size() ? BookPlace{books[book].root, books[book].index} : BookPlace{};
}

search::BookCalls* Shelf::Open(size_t book) {
  slots.resize(books.size());
  fresh.resize(books.size(), false);
  if (slots[book]) {
    fresh[book] = false;  // kept from a search before
    return slots[book].get();
  }
  const std::wstring& root = books[book].root;
  const int32_t slot = root.empty() ? 0 : OpenSlotAt(api, root, books[book].index);
  if (slot <= 0) return nullptr;
  slots[book] = std::make_unique<search::SlotBookCalls>(api, slot);
  fresh[book] = true;
  return slots[book].get();
}

search::BookCalls* Shelf::Reopen(size_t book) {
  if (book >= slots.size() || !slots[book] || fresh[book]) return nullptr;
  // The book kept from the search before changed or went away since: opened again, once.
  CloseSlot(book);
  return Open(book);
}

void Shelf::Searched(const search::ShelfJob& job, HWND frame) {
  missing.assign(books.size(), false);
  for (size_t b = 0; b < books.size(); ++b) {
    const search::BookOutcome outcome = job.Outcome(b);
    missing[b] = outcome == search::BookOutcome::kNotOpened || outcome == search::BookOutcome::kReadFailed;
  }
  if (AnySlotOpen()) SetTimer(frame, kSlotTimer, kKeepSlotsMs, nullptr);
}

bool Shelf::AnySlotOpen() const {
  return std::any_of(slots.begin(), slots.end(), [](const auto& slot) { return slot != nullptr; });
}

void Shelf::CloseSlot(size_t book) {
  api.epwCloseBookSlot(slots[book]->Slot());
  slots[book].reset();
}

bool Shelf::OnTimer(HWND frame, UINT_PTR id) {
  if (id != kSlotTimer) return false;
  auto open = std::find_if(slots.begin(), slots.end(), [](const auto& slot) { return slot != nullptr; });
  if (open != slots.end()) CloseSlot(static_cast<size_t>(open - slots.begin()));
  if (AnySlotOpen())
    SetTimer(frame, kSlotTimer, kSlotGapMs, nullptr);
  else
    KillTimer(frame, kSlotTimer);
  return true;
}

void Shelf::CloseSlots() {
  for (size_t b = 0; b < slots.size(); ++b)
    if (slots[b]) CloseSlot(b);
}

}  // namespace brisvane
