// How the progress dialog fills the result list: one empty item per hit, 4000 a tick, never
// more than kMaxListItems, with a progress bar of 100 steps. The dialog's timers drive it; the
// list and the bar are reached through the callbacks, so the rules run without windows.
#ifndef BRISVANE_VIEWER_CORE_SEARCHBATCHES_H
#define BRISVANE_VIEWER_CORE_SEARCHBATCHES_H

#include <cstdint>
#include <functional>

namespace brisvane {

constexpr int32_t kItemsPerBatch = 4000;

// How the dialog ends: hits listed, a read error, or nothing to list.
enum class SearchOutcome : int32_t { kHits = 1, kReadError = -1, kNoHit = -2 };

class SearchBatches {
 public:
  using AddItem = std::function<void()>;  // adds one empty item to the list
  using StepBar = std::function<void()>;  // advances the progress bar by one step

  SearchBatches(AddItem addItem, StepBar stepBar) : addItem(std::move(addItem)), stepBar(std::move(stepBar)) {}

  // The count is known (result of the count call and the count). kReadError / kNoHit end the
  // search here; kHits means the first batch has been added, and Pending() tells whether more
  // ticks are due. A count of zero or below with a result of 1 counts as no hit, so that an
  // empty list is never reported as hits.
  SearchOutcome Start(int32_t result, int32_t count);
  bool Pending() const { return started && done < total; }

  // One more tick: adds up to kItemsPerBatch items. True when the list is complete.
  bool RunBatch();

  // Cancel: the hits listed so far become the result (kHits), or kNoHit before the count.
  SearchOutcome Cancel();

  int32_t Total() const { return total; }
  int32_t Done() const { return done; }
  int32_t Step() const { return step; }

 private:
  AddItem addItem;
  StepBar stepBar;
  bool started = false;
  int32_t total = 0;
  int32_t step = 1;
  int32_t done = 0;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_SEARCHBATCHES_H
