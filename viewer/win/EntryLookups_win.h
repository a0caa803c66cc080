// Look-ups of words double-clicked in an entry, one over another as the reader goes from word to
// word and back: each the word that begins where the click was, searched as running text holds
// it (with its related words, else its longest beginning that finds something), in the open
// book. They are searched in a slot of the library of their own, so that the main list and the
// hits the library keeps for it stay as they are; their entries are shown by text position.
#ifndef BRISVANE_VIEWER_WIN_ENTRYLOOKUPS_WIN_H
#define BRISVANE_VIEWER_WIN_ENTRYLOOKUPS_WIN_H

#include <memory>
#include <string>
#include <vector>

#include "BookPlace.h"
#include "ExportCalls.h"
#include "RelatedWords.h"
#include "ResultList_win.h"
#include "SearchJob.h"

namespace brisvane {

class BookSession;

class EntryLookups : public ListedHeadings {
 public:
  explicit EntryLookups(BookSession& book) : book(book) {}
  ~EntryLookups() { Clear(); }
  EntryLookups(const EntryLookups&) = delete;
  EntryLookups& operator=(const EntryLookups&) = delete;

  // word looked up over those there; false when it finds nothing or the book cannot be
  // searched so (those there stay as they were).
  bool Push(const std::wstring& word, const booktext::RelatedOptions& options);
  // Back to the look-up before; false when none is left.
  bool Pop();
  // All of them gone, the slot closed.
  void Clear();
  size_t Depth() const { return levels.size(); }

  // Of the latest look-up: the word that found something (the beginning of the word clicked,
  // when only that did), the hits listed, the one chosen, where hit index lies.
  std::wstring Word() const;
  int Listed() const { return levels.empty() ? 0 : levels.back().listed; }
  int Chosen() const { return levels.empty() ? -1 : levels.back().chosen; }
  void Choose(int index) {
    if (!levels.empty()) levels.back().chosen = index;
  }
  bool Place(int index, search::HitPlace* place) const;

  // ListedHeadings, of the latest look-up.
  bool LibraryHits() const override { return false; }
  int32_t HeadingOf(int index, ListedHeading* heading) override;

 private:
  struct Level {
    std::unique_ptr<search::SearchJob> job;
    std::wstring word;
    booktext::RelatedOptions options;
    int listed = 0;
    int chosen = 0;
  };
  // A slot holding the open book: false when the library has none to give.
  bool OpenSlot();
  // level's word searched (anew) in the slot: false when it finds nothing or cannot be read.
  bool Run(Level* level);

  BookSession& book;
  std::unique_ptr<search::SlotBookCalls> slot;
  BookPlace slotPlace;
  std::vector<Level> levels;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_ENTRYLOOKUPS_WIN_H
