#include "ShelfJob.h"

#include <algorithm>

namespace search {

ShelfJob::ShelfJob(ShelfSource& shelf, SearchKind kind, const booktext::SearchKey& key, size_t keep)
    : ShelfJob(shelf, kind, [kind, key](BookCalls& calls) { return std::make_unique<BookJob>(calls, kind, key); },
               keep) {}

ShelfJob::ShelfJob(ShelfSource& shelf, SearchKind kind, JobMaker make, size_t keep)
    : shelf(shelf),
      kind(kind),
      make(std::move(make)),
      keep(keep),
      twoAtATime(kind == SearchKind::kFullText),
      outcomes(shelf.Count(), BookOutcome::kNotReached) {
  for (size_t b = 0; b < shelf.Count(); ++b)
    if (shelf.Ticked(b)) ++ticked;
}

ShelfJob::~ShelfJob() = default;

int ShelfJob::Count(BookOutcome outcome) const {
  return static_cast<int>(std::count(outcomes.begin(), outcomes.end(), outcome));
}

bool ShelfJob::NextBook(Hand* into) {
  while (next < shelf.Count()) {
    const size_t book = next++;
    if (!shelf.Ticked(book)) continue;
    BookCalls* calls = shelf.Open(book);
    if (!calls) {
      Finish(book, BookOutcome::kNotOpened);
    } else if (!Offers(calls->SearchModes(), kind)) {
      Finish(book, BookOutcome::kCannotSearch);
    } else {
      into->book = book;
      into->calls = calls;
      into->reopened = false;
      into->job = make(*calls);
      into->last = JobStep::kGoesOn;
      return true;
    }
  }
  return false;
}

void ShelfJob::Finish(size_t which, BookOutcome outcome) {
  outcomes[which] = outcome;
  ++done;
}

JobStep ShelfJob::Step() {
  if (stopped) return JobStep::kDone;
  if (!hand.job) {
    if (ahead.job) {
      hand = std::move(ahead);
      ahead = Hand();
    } else if (!NextBook(&hand)) {
      return JobStep::kDone;
    }
  }
  // A book scanned ahead to its end is settled without another step.
  if (hand.last != JobStep::kGoesOn) return Settle(hand.last);
  // The books are opened here, between steps, never while the worker reads one.
  if (twoAtATime && !ahead.job) NextBook(&ahead);
  bool besides = false;
  if (ahead.job && ahead.last == JobStep::kGoesOn) {
    if (!worker) worker = std::make_unique<StepWorker>();
    besides = worker->Start([this] { ahead.last = ahead.job->Step(); });
  }
  const JobStep step = hand.job->Step();
  if (besides) worker->Wait();
  return Settle(step);
}

JobStep ShelfJob::Settle(JobStep step) {
  hand.last = step;
  if (step == JobStep::kGoesOn) return JobStep::kGoesOn;
  if (step == JobStep::kFailed) {
    // A book held open from before may have changed since: opened afresh and searched again,
    // once; otherwise it counts as not searched.
    BookCalls* fresh = hand.reopened ? nullptr : shelf.Reopen(hand.book);
    if (fresh) {
      hand.calls = fresh;
      hand.reopened = true;
      hand.job = make(*fresh);
      hand.last = JobStep::kGoesOn;
      return JobStep::kGoesOn;
    }
    Finish(hand.book, BookOutcome::kReadFailed);
  } else {
    // The book's own hits come first, then those found through related words.
    int32_t own = 0;
    booktext::Relation how;
    std::u32string word;
    while (own < hand.job->Found() && !hand.job->Related(own, &how, &word)) ++own;
    if (!KeepHits(own)) {
      Finish(hand.book, BookOutcome::kReadFailed);
    } else {
      searched.push_back(Searched{hand.book, hand.calls, total, own});
      total += own;
      Finish(hand.book, BookOutcome::kSearched);
    }
  }
  hand = Hand();
  return next < shelf.Count() || ahead.job ? JobStep::kGoesOn : JobStep::kDone;
}

bool ShelfJob::KeepHits(int32_t count) {
  const size_t before = kept.size(), laterBefore = later.size();
  auto copy = [&](int32_t i, std::vector<Kept>* into) {
    Kept hit;
    if (hand.job->Place(i, &hit.place) != kDunmoorSuccess || hand.job->Heading(i, &hit.heading) != kDunmoorSuccess)
      return false;
    hand.job->Related(i, &hit.how, &hit.word);
    hit.place.book = hand.book;
    into->push_back(std::move(hit));
    return true;
  };
  bool read = true;
  for (int32_t i = 0; read && i < count && kept.size() < keep; ++i) read = copy(i, &kept);
  for (int32_t i = count; read && i < hand.job->Found(); ++i) read = copy(i, &later);
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
  hand = Hand();
  ahead = Hand();  // not reached: none of its hits is listed
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
