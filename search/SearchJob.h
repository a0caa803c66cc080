// A search as the programs run it: a job that is stepped a piece at a time (the viewer's
// progress dialog steps it from its timers, the command line until it is done), that says how
// many hits it has found so far, can be stopped keeping them, and answers for each hit where it
// is and what its heading is. BookJob searches one book in any kind; ShelfJob (ShelfJob.h)
// runs one on each book of a shelf in turn.
#ifndef SEARCH_SEARCHJOB_H
#define SEARCH_SEARCHJOB_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "BookCalls.h"
#include "RelatedWords.h"
#include "SearchKey.h"
#include "SearchKind.h"

namespace search {

enum class JobStep {
  kGoesOn,  // more to do
  kDone,    // over (also when it found nothing, or was stopped)
  kFailed,  // a read of the book failed: over, what was found stays
};

// How a job goes: a counted search knows every hit after its one call; a scan finds them a
// piece at a time; a shelf job goes book by book.
enum class JobForm { kCounted, kScan, kShelf };

// Where a hit is: the job's book it was found in (0 for a job of one book) and its number in that
// book's hits, its entry's and heading's text positions, and for a full-text hit where its
// word lies in the entry (matchLength 0 otherwise).
struct HitPlace {
  size_t book = 0;
  int32_t index = 0;
  int32_t textPosition = 0;
  int32_t headingPosition = 0;
  uint32_t matchPosition = 0;
  uint32_t matchLength = 0;
};

class SearchJob {
 public:
  virtual ~SearchJob() = default;
  virtual JobForm Form() const = 0;
  // Does the next piece of the work.
  virtual JobStep Step() = 0;
  // The hits found so far.
  virtual int32_t Found() const = 0;
  // The books it covers and how many of them it is done with.
  virtual int32_t Books() const = 0;
  virtual int32_t BooksDone() const = 0;
  // Stops: the next Step is kDone, and what was found stays.
  virtual void Stop() = 0;
  // Hit index (below Found): kDunmoorSuccess with *place filled, kDunmoorRefused for no such
  // hit, kDunmoorFailed when its book could not tell.
  virtual int32_t Place(int32_t index, HitPlace* place) = 0;
  // Its heading as the library gives it (epwGetWordItem, up to its end); results as Place.
  virtual int32_t Heading(int32_t index, std::string* heading) = 0;
  // Whether hit index is one of the hits the library keeps for the book searched (read by its
  // number: the content view's VM_VIEW_SHOWPOS), not one the job keeps itself.
  virtual bool LibraryHit(int32_t index) const { return index >= 0 && index < Found(); }
  // Whether hit index was found through a related word (RelatedJob): how, and the word.
  virtual bool Related(int32_t index, booktext::Relation* how, std::u32string* word) const { return false; }
};

// One book searched in one kind. The key is the one the viewer builds from the typed word; each
// call of the library gets a copy of it (the library normalises keys in place).
class BookJob : public SearchJob {
 public:
  BookJob(BookCalls& calls, SearchKind kind, const booktext::SearchKey& key);

  JobForm Form() const override;
  JobStep Step() override;
  int32_t Found() const override { return found; }
  int32_t Books() const override { return 1; }
  int32_t BooksDone() const override { return over ? 1 : 0; }
  void Stop() override { over = true; }
  int32_t Place(int32_t index, HitPlace* place) override;
  int32_t Heading(int32_t index, std::string* heading) override;

 private:
  JobStep Over(int32_t result);

  BookCalls& calls;
  SearchKind kind;
  booktext::SearchKey key;
  int32_t found = 0;
  bool begun = false;
  bool over = false;
};

// The heading of hit index of calls' last search, as the library gives it: kDunmoorSuccess,
// kDunmoorRefused (no such hit), kDunmoorFailed (a read failed).
int32_t ReadHeading(BookCalls& calls, int32_t index, std::string* heading);
// Where hit index (below found) of calls' last search is; results as SearchJob::Place.
int32_t PlaceOfHit(BookCalls& calls, int32_t index, int32_t found, HitPlace* place);

}  // namespace search

#endif  // SEARCH_SEARCHJOB_H
