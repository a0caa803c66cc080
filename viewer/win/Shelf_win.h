// The shelf: the books the user keeps (ShelfBooks, in the user's settings: "shelf", "Books"),
// the books of a search over it, and the shelf dialog. Each book a shelf search comes to is
// opened in a book slot of the library beside the viewer's own book and searched there (the
// slot-taking exports); the slots stay open for the next search, and are closed one at a time
// once the shelf has not been searched for a while: ending a book's change watch holds up Wine's
// server some 5 ms, which the user does not feel then, but would in a search that closes 60
// books. A book kept open whose read fails is opened again once.
#ifndef BRISVANE_VIEWER_WIN_SHELF_WIN_H
#define BRISVANE_VIEWER_WIN_SHELF_WIN_H

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "BookApi.h"
#include "BookPlace.h"
#include "ExportCalls.h"
#include "ShelfBooks.h"
#include "ShelfJob.h"

namespace brisvane {

class AppState;

class Shelf : public search::ShelfSource {
 public:
  explicit Shelf(const BookApi& api) : api(api) {}
  ~Shelf() override { CloseSlots(); }
  Shelf(const Shelf&) = delete;
  Shelf& operator=(const Shelf&) = delete;

  // Whether the bound library can hold the shelf's books open.
  bool Usable() const { return search::SlotBookCalls::Bound(api); }
  // The books; the first time (nothing kept yet), every usable book the title dialog lists
  // (which loads their catalogs into the library: the caller takes its own back).
  const std::vector<ShelfBook>& Books(bool* listed = nullptr);
  bool AnyTicked();
  // The shelf dialog; true when the user changed the books with OK (they are kept).
  bool Edit(HWND owner, AppState& app);
  BookPlace PlaceOf(size_t book) const;
  // Whether book did not open in the last shelf search.
  bool Missing(size_t book) const { return book < missing.size() && missing[book]; }
  // A shelf search ended: which books did not open, and the slots kept for a while.
  void Searched(const search::ShelfJob& job, HWND frame);

  // The frame's timer kSlotTimer: closes one slot kept open, and again after a moment while any
  // is. False for another timer.
  bool OnTimer(HWND frame, UINT_PTR id);
  // Closes every slot at once (the books moved on the shelf, the viewer ends).
  void CloseSlots();
  static constexpr UINT_PTR kSlotTimer = 0x7A02;

  // search::ShelfSource.
  size_t Count() const override { return books.size(); }
  bool Ticked(size_t book) const override { return books[book].ticked; }
  search::BookCalls* Open(size_t book) override;
  search::BookCalls* Reopen(size_t book) override;

 private:
  void KeepBooks();
  bool AnySlotOpen() const;
  void CloseSlot(size_t book);

  const BookApi& api;
  std::vector<ShelfBook> books;
  bool booksRead = false;
  std::vector<bool> missing;  // of the last shelf search, by book
  // By book: its slot's calls while one is open, and whether it was opened in the search under
  // way (a read failure then means the book itself cannot be read).
  std::vector<std::unique_ptr<search::SlotBookCalls>> slots;
  std::vector<bool> fresh;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_SHELF_WIN_H
