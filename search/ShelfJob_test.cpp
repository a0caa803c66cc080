// A search of a shelf: the books in shelf order, the ones passed over and why, a book held open
// from before opened afresh once when its read fails, and the merged hits, kept or asked of
// their books.
#include "ShelfJob.h"

#include <gtest/gtest.h>

#include <map>

#include "test/FakeBook.h"

namespace search {
namespace {

struct FakeShelf : ShelfSource {
  struct Shelved {
    bool ticked = true;
    bool opens = true;
    bool heldFromBefore = false;  // the first opening gives a book whose reads fail
    FakeBook book;
    FakeBook fresh;
  };
  std::vector<Shelved> books;
  std::vector<std::string> opened;

  size_t Count() const override { return books.size(); }
  bool Ticked(size_t b) const override { return books[b].ticked; }
  BookCalls* Open(size_t b) override {
    opened.push_back("open " + std::to_string(b));
    return books[b].opens ? &books[b].book : nullptr;
  }
  BookCalls* Reopen(size_t b) override {
    opened.push_back("reopen " + std::to_string(b));
    return books[b].heldFromBefore ? &books[b].fresh : nullptr;
  }
  Shelved& Add(int32_t hits) {
    books.emplace_back();
    books.back().book.hits = hits;
    return books.back();
  }
};

booktext::SearchKey Key() {
  booktext::SearchKey key = {};
  key.bytes[0] = '#';
  key.bytes[1] = 'A';
  return key;
}

int RunOut(SearchJob& job) {
  int steps = 0;
  while (job.Step() != JobStep::kDone) ++steps;
  return steps + 1;
}

TEST(ShelfJob, BooksAreSearchedInShelfOrderAndThePassedOverAreToldApart) {
  FakeShelf shelf;
  shelf.books.reserve(6);  // the references Add hands out stay good
  shelf.Add(2);
  shelf.Add(5).ticked = false;
  shelf.Add(3).opens = false;
  shelf.Add(4).book.modes = kDunmoorHeadwordSearch;  // no keyword index
  shelf.Add(1).book.countResult = kDunmoorFailed;
  shelf.Add(3);
  ShelfJob job(shelf, SearchKind::kKeyword, Key(), 100);
  EXPECT_EQ(job.Books(), 5);
  RunOut(job);
  EXPECT_EQ(shelf.opened, (std::vector<std::string>{"open 0", "open 2", "open 3", "open 4", "reopen 4", "open 5"}));
  EXPECT_EQ(job.Outcome(0), BookOutcome::kSearched);
  EXPECT_EQ(job.Outcome(1), BookOutcome::kNotReached);
  EXPECT_EQ(job.Outcome(2), BookOutcome::kNotOpened);
  EXPECT_EQ(job.Outcome(3), BookOutcome::kCannotSearch);
  EXPECT_EQ(job.Outcome(4), BookOutcome::kReadFailed);
  EXPECT_EQ(job.Count(BookOutcome::kSearched), 2);
  EXPECT_EQ(job.BooksDone(), 5);
  EXPECT_EQ(job.Found(), 5);
  EXPECT_EQ(job.HitsOf(5), 3);
  EXPECT_EQ(job.FirstHitOf(5), 2);

  // The merged list: book 0's hits, then book 5's.
  const std::pair<size_t, int32_t> expected[] = {{0, 0}, {0, 1}, {5, 0}, {5, 1}, {5, 2}};
  for (int32_t i = 0; i < 5; ++i) {
    HitPlace place;
    std::string heading;
    ASSERT_EQ(job.Place(i, &place), kDunmoorSuccess);
    ASSERT_EQ(job.Heading(i, &heading), kDunmoorSuccess);
    EXPECT_EQ(place.book, expected[i].first) << i;
    EXPECT_EQ(place.index, expected[i].second) << i;
    EXPECT_EQ(place.textPosition, 1000 + expected[i].second);
    EXPECT_EQ(heading, "H" + std::to_string(expected[i].second));
  }
  HitPlace place;
  EXPECT_EQ(job.Place(5, &place), kDunmoorRefused);
}

TEST(ShelfJob, ABookHeldFromBeforeWhoseReadFailsIsSearchedAgainFromAFreshOpening) {
  FakeShelf shelf;
  shelf.Add(0);
  shelf.Add(1);
  FakeShelf::Shelved& held = shelf.books[0];
  held.heldFromBefore = true;
  held.book.countResult = kDunmoorFailed;
  held.fresh.hits = 2;
  ShelfJob job(shelf, SearchKind::kHeadword, Key(), 100);
  RunOut(job);
  EXPECT_EQ(job.Outcome(0), BookOutcome::kSearched);
  EXPECT_EQ(job.Found(), 3);
  EXPECT_EQ(held.fresh.calls, std::vector<std::string>{"headword"});

  // Failing again after the fresh opening, it is not opened a third time.
  held.fresh.countResult = kDunmoorFailed;
  ShelfJob again(shelf, SearchKind::kHeadword, Key(), 100);
  RunOut(again);
  EXPECT_EQ(again.Outcome(0), BookOutcome::kReadFailed);
  EXPECT_EQ(again.Found(), 1);
}

TEST(ShelfJob, KeptHitsOutliveTheBooksAndTheRestAreAskedOfTheirBook) {
  FakeShelf shelf;
  shelf.Add(3);
  shelf.Add(3);
  ShelfJob job(shelf, SearchKind::kHeadword, Key(), 4);
  RunOut(job);
  EXPECT_EQ(job.Found(), 6);
  shelf.books[0].book.hits = 0;  // the first book no longer answers: its hits were kept
  shelf.books[1].book.failHeadingAt = 2;
  std::string heading;
  ASSERT_EQ(job.Heading(2, &heading), kDunmoorSuccess);
  EXPECT_EQ(heading, "H2");
  ASSERT_EQ(job.Heading(3, &heading), kDunmoorSuccess);  // kept: book 1's first
  EXPECT_EQ(heading, "H0");
  ASSERT_EQ(job.Heading(4, &heading), kDunmoorSuccess);  // asked of book 1
  EXPECT_EQ(heading, "H1");
  EXPECT_EQ(job.Heading(5, &heading), kDunmoorFailed);

  // A book whose heading cannot be read while its hits are kept is not listed at all.
  FakeShelf broken;
  broken.books.reserve(3);
  broken.Add(2);
  broken.Add(2).book.failHeadingAt = 1;
  broken.Add(1);
  ShelfJob partial(broken, SearchKind::kHeadword, Key(), 100);
  RunOut(partial);
  EXPECT_EQ(partial.Outcome(1), BookOutcome::kReadFailed);
  EXPECT_EQ(partial.Found(), 3);
  HitPlace place;
  ASSERT_EQ(partial.Place(2, &place), kDunmoorSuccess);
  EXPECT_EQ(place.book, 2u);
}

TEST(ShelfJob, AScanOfEachBookIsSteppedAndStoppingKeepsTheBooksSearched) {
  FakeShelf shelf;
  shelf.books.reserve(2);
  shelf.Add(4).book.pieces = 2;
  shelf.Add(6).book.pieces = 5;
  ShelfJob job(shelf, SearchKind::kFullText, Key(), 100);
  EXPECT_EQ(job.Step(), JobStep::kGoesOn);
  EXPECT_EQ(job.Found(), 0);
  EXPECT_EQ(job.Step(), JobStep::kGoesOn);  // book 0 done
  EXPECT_EQ(job.Found(), 4);
  EXPECT_EQ(job.BooksDone(), 1);
  EXPECT_EQ(job.Step(), JobStep::kGoesOn);  // book 1 under way
  job.Stop();
  EXPECT_EQ(job.Step(), JobStep::kDone);
  EXPECT_EQ(job.Found(), 4);
  EXPECT_EQ(job.Outcome(1), BookOutcome::kNotReached);
}

TEST(ShelfJob, AFullTextSearchScansTheNextBookBesideTheOneInHandAndListsItsHitsAfter) {
  FakeShelf shelf;
  shelf.books.reserve(5);
  shelf.Add(2).book.pieces = 3;
  shelf.Add(3).opens = false;
  shelf.Add(5).book.pieces = 1;  // done while book 0 still goes on
  FakeShelf::Shelved& failing = shelf.Add(1);
  failing.book.pieces = 2;
  failing.book.failAtPiece = 1;  // fails beside book 2, and is opened afresh when in hand
  failing.heldFromBefore = true;
  failing.fresh.hits = 4;
  failing.fresh.pieces = 2;
  shelf.Add(7).book.pieces = 2;
  ShelfJob job(shelf, SearchKind::kFullText, Key(), 100);

  EXPECT_EQ(job.Step(), JobStep::kGoesOn);
  EXPECT_EQ(shelf.books[0].book.calls, (std::vector<std::string>{"begin", "next"}));
  EXPECT_EQ(shelf.books[2].book.calls, (std::vector<std::string>{"begin", "next"}));  // beside it
  EXPECT_EQ(job.Outcome(1), BookOutcome::kNotOpened);
  EXPECT_EQ(job.Found(), 0);  // book 2 is done, but its hits wait for book 0's
  job.Step();
  job.Step();
  EXPECT_EQ(job.Found(), 2);
  EXPECT_EQ(shelf.books[2].book.calls.size(), 2u);  // not stepped past its end
  job.Step();  // book 2 settled without another step
  EXPECT_EQ(job.Found(), 7);
  EXPECT_EQ(shelf.books[2].book.calls.size(), 2u);
  RunOut(job);
  EXPECT_EQ(shelf.opened, (std::vector<std::string>{"open 0", "open 1", "open 2", "open 3", "open 4", "reopen 3"}));
  EXPECT_EQ(job.Outcome(3), BookOutcome::kSearched);
  EXPECT_EQ(job.Found(), 18);
  EXPECT_EQ(job.BooksDone(), 5);
  // The merged list in shelf order: 0, 2, 3 (from its fresh opening), 4.
  const int32_t firsts[] = {0, 0, 2, 7, 11};
  for (size_t b : {0u, 2u, 3u, 4u}) EXPECT_EQ(job.FirstHitOf(b), firsts[b]) << b;
  HitPlace place;
  for (int32_t i : {0, 2, 7, 11, 17}) {
    ASSERT_EQ(job.Place(i, &place), kDunmoorSuccess);
    EXPECT_EQ(place.book, i < 2 ? 0u : i < 7 ? 2u : i < 11 ? 3u : 4u) << i;
  }
}

}  // namespace
}  // namespace search
