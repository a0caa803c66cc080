#include "JobRun.h"

#include <algorithm>

#include "SearchRules.h"

namespace brisvane {

namespace {

constexpr JobPace kCountedPace{100, 50, kItemsPerBatch, 0, 0};
constexpr JobPace kScanPace{100, 20, 0, 100, 0};
constexpr JobPace kShelfPace{10, 10, 0, 100, 30};

const JobPace& PaceOf(search::JobForm form) {
  switch (form) {
    case search::JobForm::kCounted: return kCountedPace;
    case search::JobForm::kScan: return kScanPace;
    case search::JobForm::kShelf: break;
  }
  return kShelfPace;
}

// What the list can hold of found hits.
int32_t Listable(int32_t found) { return std::clamp(found, 0, kMaxListItems); }

}  // namespace

JobRun::JobRun(search::SearchJob& job, AddItems addItems)
    : job(job), addItems(std::move(addItems)), pace(PaceOf(job.Form())) {}

bool JobRun::Begin(const Clock& now) { return pace.quietMs == 0 || Work(now, pace.quietMs); }

bool JobRun::Tick(const Clock& now) { return Work(now, ticks++ == 0 ? 0 : pace.sliceMs); }

bool JobRun::Work(const Clock& now, uint32_t slice) {
  if (ended) return false;
  const uint32_t begin = now();
  while (!over) {
    const search::JobStep step = job.Step();
    over = step != search::JobStep::kGoesOn;
    failed = step == search::JobStep::kFailed;
    if (now() - begin >= slice) break;
  }
  List();
  if (!over || listed < Listable(job.Found())) return true;
  End(failed ? SearchOutcome::kReadError : listed > 0 ? SearchOutcome::kHits : SearchOutcome::kNoHit);
  return false;
}

void JobRun::List() {
  int32_t count = Listable(job.Found()) - listed;
  if (pace.itemsPerTick > 0) count = std::min(count, pace.itemsPerTick);
  if (count <= 0) return;
  addItems(count);
  listed += count;
}

SearchOutcome JobRun::Cancel() {
  if (ended) return outcome;
  job.Stop();
  cancelled = true;
  End(listed > 0 ? SearchOutcome::kHits : SearchOutcome::kNoHit);
  return outcome;
}

void JobRun::End(SearchOutcome how) {
  ended = true;
  outcome = how;
}

int32_t JobRun::Total() const {
  return cancelled && job.Form() == search::JobForm::kCounted ? listed : job.Found();
}

int32_t JobRun::BarRange() const { return job.Form() == search::JobForm::kShelf ? std::max(job.Books(), 1) : 100; }

int32_t JobRun::BarPosition() const {
  switch (job.Form()) {
    case search::JobForm::kCounted: {
      if (ended) return 100;
      // A step for every hundredth of the hits listed.
      const int32_t step = std::max(job.Found() / 100, 1);
      return std::min(100, (listed + step - 1) / step);
    }
    case search::JobForm::kScan:
      return ticks % 101;  // round and round while the scan goes on
    case search::JobForm::kShelf:
      break;
  }
  return job.BooksDone();
}

SearchOutcome RunAtOnce(search::SearchJob& job, const JobRun::AddItems& addItems) {
  search::JobStep step;
  while ((step = job.Step()) == search::JobStep::kGoesOn) {
  }
  if (step == search::JobStep::kFailed) return SearchOutcome::kReadError;
  const int32_t count = Listable(job.Found());
  if (count <= 0) return SearchOutcome::kNoHit;
  addItems(count);
  return SearchOutcome::kHits;
}

}  // namespace brisvane
