#include "ShelfJob.h"

#include <algorithm>

namespace search {

ShelfJob::ShelfJob(ShelfSource& shelf, SearchKind kind, const booktext::SearchKey& key, size_t keep)
    : ShelfJob(shelf, kind, [kind, key](BookCalls& calls) { return std::make_unique<BookJob>(calls, kind, key); },
               keep) {}

ShelfJob::ShelfJob(ShelfSource& shelf, SearchKind kind, JobMaker make, size_t keep)
    : shelf(shelf), kind(kind), make(std::move(make)), keep(keep), outcomes(shelf.Count(), BookOutcome::kNotReached) {
  for (size_t b = 0; b < shelf.Count(); ++b)
    if (shelf.Ticked(b)) ++ticked;
}

int ShelfJob::Count(BookOutcome outcome) const {
  return static_cast<int>(std::count(outcomes.begin(), outcomes.end(), outcome));
}

bool ShelfJob::NextBook() {
  while (next < shelf.Count()) {
    book = next++;
    if (!shelf.Ticked(book)) continue;
    calls = shelf.Open(book);
    reopened = false;
    if (!calls) {
      Finish(BookOutcome::kNotOpened);
    } else if (!Offers(calls->SearchModes(), kind)) {
      Finish(BookOutcome::kCannotSearch);
    } else {
      job = make(*calls);
      return true;
    }
  }
  return false;
}

void ShelfJob::Finish(BookOutcome outcome) {
  outcomes[book] = outcome;
  ++done;
  job.reset();
}

JobStep ShelfJob::Step() {
  if (stopped || (!job && !NextBook())) return JobStep::kDone;
  const JobStep step = job->Step();
  if (step == JobStep::kGoesOn) return JobStep::kGoesOn;
  if (step == JobStep::kFailed) {
    // A book held open from before may have changed since: opened afresh and searched again,
    // once; otherwise it counts as not searched.
    BookCalls* fresh = reopened ? nullptr : shelf.Reopen(book);
    if (fresh) {
      calls = fresh;
      reopened = true;
      job = make(*calls);
      return JobStep::kGoesOn;
    }
    Finish(BookOutcome::kReadFailed);
  } else {
    // The book's own hits come first, then those found through related words.
    int32_t own = 0;
    booktext::Relation how;
    std::u32string word;
    while (own < job->Found() && !job->Related(own, &how, &word)) ++own;
    if (!KeepHits(own)) {
      Finish(BookOutcome::kReadFailed);
    } else {
      searched.push_back(Searched{book, calls, total, own});
      total += own;
      Finish(BookOutcome::kSearched);
    }
  }
  return next < shelf.Count() ? JobStep::kGoesOn : JobStep::kDone;
}

bool ShelfJob::KeepHits(int32_t count) {
  const size_t before = kept.size(), laterBefore = later.size();
  auto copy = [&](int32_t i, std::vector<Kept>* into) {
    Kept hit;
    if (job->Place(i, &hit.place) != kDunmoorSuccess || job->Heading(i, &hit.heading) != kDunmoorSuccess) return false;
    job->Related(i, &hit.how, &hit.word);
    hit.place.book = book;
    into->push_back(std::move(hit));
    return true;
  };
  bool read = true;
  for (int32_t i = 0; read && i < count && kept.size() < keep; ++i) read = copy(i, &kept);
  for (int32_t i = count; read && i < job->Found(); ++i) read = copy(i, &later);
  if (read) return true;
  // The book went away meanwhile: none of its hits is listed.
  kept.resize(before);
  later.resize(laterBefore);
  return false;
}

bool ShelfJob::Related(int32_t index, booktext::Relation* how, std::u32string* word) const {
  if (index < total || index >= Found()) return false;
  const Kept& hit = later[static_cast<size_t>(index - total)];
  *how = hit.how;
  *word = hit.word;
  return true;
}

void ShelfJob::Stop() {
  stopped = true;
  job.reset();
}

const ShelfJob::Searched* ShelfJob::SearchedHolding(int32_t index) const {
  auto after = std::upper_bound(searched.begin(), searched.end(), index,
                                [](int32_t at, const Searched& s) { return at < s.first; });
  if (after == searched.begin()) return nullptr;
  const Searched& holding = *(after - 1);
  return index < holding.first + holding.count ? &holding : nullptr;
}

int32_t ShelfJob::Place(int32_t index, HitPlace* place) {
  if (index >= total && index < Found()) {
    *place = later[static_cast<size_t>(index - total)].place;
    return kDunmoorSuccess;
  }
  if (index >= 0 && static_cast<size_t>(index) < kept.size()) {
    *place = kept[static_cast<size_t>(index)].place;
    return kDunmoorSuccess;
  }
  const Searched* holding = SearchedHolding(index);
  if (!holding) return kDunmoorRefused;
  DunmoorHit hit = {};
  const int32_t at = index - holding->first;
  const int32_t result = holding->calls->GetHit(at, &hit);
  if (result != kDunmoorSuccess) return result;
  *place = HitPlace{holding->book, at, hit.textPosition, hit.headingPosition, hit.matchPosition, hit.matchLength};
  return kDunmoorSuccess;
}

int32_t ShelfJob::Heading(int32_t index, std::string* heading) {
  if (index >= total && index < Found()) {
    *heading = later[static_cast<size_t>(index - total)].heading;
    return kDunmoorSuccess;
  }
  if (index >= 0 && static_cast<size_t>(index) < kept.size()) {
    *heading = kept[static_cast<size_t>(index)].heading;
    return kDunmoorSuccess;
  }
  const Searched* holding = SearchedHolding(index);
  return holding ? ReadHeading(*holding->calls, index - holding->first, heading) : kDunmoorRefused;
}

int32_t ShelfJob::HitsOf(size_t which) const {
  for (const Searched& s : searched)
    if (s.book == which) return s.count;
  return 0;
}

int32_t ShelfJob::FirstHitOf(size_t which) const {
  for (const Searched& s : searched)
    if (s.book == which) return s.first;
  return total;
}

}  // namespace search
