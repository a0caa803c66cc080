// A search of a shelf: the same search (any kind) run on each ticked book in turn, its hits
// merged into one list, book by book in shelf order, each book's in its own order; the hits
// found through related words (RelatedJob) come after every book's own, again in shelf order.
// A book that does not open is passed over, and so is one that cannot run the search (a keyword
// search of a book without a keyword index); a book whose read fails on the way counts as not
// searched. A full-text search scans two books at a time: while a step reads and searches a piece
// of the book in hand, a second thread does the same with the next book, whose hits wait until
// the book in hand is done.
#ifndef SEARCH_SHELFJOB_H
#define SEARCH_SHELFJOB_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SearchJob.h"
#include "StepWorker.h"

namespace search {

// The books a shelf job covers, as the job comes to them.
class ShelfSource {
 public:
  virtual ~ShelfSource() = default;
  virtual size_t Count() const = 0;
  virtual bool Ticked(size_t book) const = 0;
  // The calls of the book, opened when it is not; nullptr when it does not open.
  virtual BookCalls* Open(size_t book) = 0;
  // A read of the book failed: its calls from a fresh opening when it was held open from
  // earlier (the disc may have changed meanwhile), else nullptr.
  virtual BookCalls* Reopen(size_t book) = 0;
};

// What came of one book of the shelf.
enum class BookOutcome { kNotReached, kSearched, kNotOpened, kCannotSearch, kReadFailed };

class ShelfJob : public SearchJob {
 public:
  // The search of one book, made for each book the job comes to.
  using JobMaker = std::function<std::unique_ptr<SearchJob>(BookCalls& calls)>;

  // keep: how many hits are copied (place and heading) as their book is searched, so that they
  // can be answered after the books have been closed; the hits past them are asked of their
  // books, which must then still be open. The hits found through related words are always kept.
  ShelfJob(ShelfSource& shelf, SearchKind kind, const booktext::SearchKey& key, size_t keep);
  // The same with each book's search made by make (a BookJob of kind for key above).
  ShelfJob(ShelfSource& shelf, SearchKind kind, JobMaker make, size_t keep);
  ~ShelfJob() override;

  JobForm Form() const override { return JobForm::kShelf; }
  JobStep Step() override;
  // Every hit of the books searched, also those past keep.
  int32_t Found() const override { return total + static_cast<int32_t>(later.size()); }
  int32_t Books() const override { return ticked; }
  int32_t BooksDone() const override { return done; }
  void Stop() override;
  int32_t Place(int32_t index, HitPlace* place) override;
  int32_t Heading(int32_t index, std::string* heading) override;
  // No hit of a shelf is one the viewer's own book keeps.
  bool LibraryHit(int32_t) const override { return false; }
  bool Related(int32_t index, booktext::Relation* how, std::u32string* word) const override;

  BookOutcome Outcome(size_t book) const { return book < outcomes.size() ? outcomes[book] : BookOutcome::kNotReached; }
  // How many books came to each outcome.
  int Count(BookOutcome outcome) const;
  // The hits of a book searched, and the number of its first hit in the merged list.
  int32_t HitsOf(size_t book) const;
  int32_t FirstHitOf(size_t book) const;

 private:
  struct Searched {
    size_t book;
    BookCalls* calls;
    int32_t first;  // its first hit's number in the merged list
    int32_t count;
  };
  struct Kept {
    HitPlace place;
    std::string heading;
    booktext::Relation how = booktext::Relation::kKana;
    std::u32string word;  // the related word it was found by (the later hits)
  };
  // A book being searched: the one in hand, or the one scanned ahead of it.
  struct Hand {
    size_t book = 0;
    BookCalls* calls = nullptr;
    bool reopened = false;
    std::unique_ptr<SearchJob> job;
    JobStep last = JobStep::kGoesOn;  // its last step's result (a book scanned ahead may be done)
  };
  // Moves on to the next ticked book that can run the search, into *into; false when none is
  // left. The books passed over on the way are finished.
  bool NextBook(Hand* into);
  // What the book in hand's last step means for it and for the job.
  JobStep Settle(JobStep step);
  void Finish(size_t which, BookOutcome outcome);
  // Copies the book in hand's own hits (the first count) while fewer than keep are kept, and its
  // hits found through related words (all); false (nothing of the book kept) when one of them
  // cannot be read.
  bool KeepHits(int32_t count);
  const Searched* SearchedHolding(int32_t index) const;

  ShelfSource& shelf;
  SearchKind kind;
  JobMaker make;
  size_t keep;
  size_t next = 0;
  int ticked = 0;
  int done = 0;
  int32_t total = 0;
  bool stopped = false;
  Hand hand;
  Hand ahead;       // a full-text search's next book, stepped on the worker beside the one in hand
  bool twoAtATime;  // a full-text search
  std::vector<BookOutcome> outcomes;
  std::vector<Searched> searched;
  std::vector<Kept> kept;
  std::vector<Kept> later;  // the hits found through related words, every book's, in shelf order
  std::unique_ptr<StepWorker> worker;  // idle between steps; made at the first step of two books
};

}  // namespace search

#endif  // SEARCH_SHELFJOB_H
