// How a search job is run for the headword list: the progress dialog's ticks (when they come,
// what each does), the items each adds to the list, the bar, and how the run ends. A counted
// search keeps the design's pace: its first tick 100 ms after the dialog opens counts the hits
// and lists the first 4000, then a tick every 50 ms lists 4000 more, the bar moving once a
// hundredth of the hits. A scan or a shelf search works for about a tenth of a second a tick
// (the first tick one step only, so that the list begins to fill at once) and lists all it has
// found. A shelf search begins before any dialog opens, for up to 30 ms: most shelves are
// searched by then, and the dialog is only opened for one that takes longer. The list never
// holds more than kMaxListItems. The windows are reached through the callback, so the rules run
// without them.
#ifndef BRISVANE_VIEWER_CORE_JOBRUN_H
#define BRISVANE_VIEWER_CORE_JOBRUN_H

#include <cstdint>
#include <functional>

#include "SearchJob.h"

namespace brisvane {

constexpr int32_t kItemsPerBatch = 4000;

// How a run ends: hits listed, a read error, or nothing to list.
enum class SearchOutcome : int32_t { kHits = 1, kReadError = -1, kNoHit = -2 };

struct JobPace {
  uint32_t firstDelayMs;  // from the dialog's opening to its first tick
  uint32_t nextDelayMs;   // from one tick to the next
  int32_t itemsPerTick;   // the most items a tick lists (0: all found so far)
  uint32_t sliceMs;       // how long a tick after the first steps the job (the first: one step)
  uint32_t quietMs;       // how long the job runs before the dialog opens (0: not at all)
};

class JobRun {
 public:
  using AddItems = std::function<void(int32_t count)>;  // count more empty items in the list
  using Clock = std::function<uint32_t()>;             // milliseconds

  JobRun(search::SearchJob& job, AddItems addItems);

  const JobPace& Pace() const { return pace; }
  // Before the dialog opens: the job runs for Pace().quietMs. True when the dialog is needed,
  // false when the run is over.
  bool Begin(const Clock& now);
  // One tick: true when another is due (after Pace().nextDelayMs), false when the run is over.
  bool Tick(const Clock& now);
  // The user cancelled: the job stops and what was listed stays; the outcome.
  SearchOutcome Cancel();
  // How it ended (kNoHit before it has).
  SearchOutcome Outcome() const { return outcome; }
  // The hits the status bar reports: all found (also past the list's limit), or for a counted
  // search cancelled, those listed.
  int32_t Total() const;
  int32_t Listed() const { return listed; }
  // The progress bar: a position in 0..BarRange().
  int32_t BarPosition() const;
  int32_t BarRange() const;

 private:
  // Steps the job for slice ms (0: one step), lists what it found; whether more is to do.
  bool Work(const Clock& now, uint32_t slice);
  void List();
  void End(SearchOutcome how);

  search::SearchJob& job;
  AddItems addItems;
  JobPace pace;
  int32_t listed = 0;
  int ticks = 0;
  bool over = false;    // the job is done
  bool failed = false;  // a read failed
  bool ended = false;
  bool cancelled = false;
  SearchOutcome outcome = SearchOutcome::kNoHit;
};

// Runs job to its end at once and lists what it found (as-you-type, no dialog): the outcome.
SearchOutcome RunAtOnce(search::SearchJob& job, const JobRun::AddItems& addItems);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_JOBRUN_H
