#include "SearchBatches.h"

#include <algorithm>

#include "SearchRules.h"

namespace brisvane {

SearchOutcome SearchBatches::Start(int32_t result, int32_t count) {
  if (result == -1) return SearchOutcome::kReadError;
  if (result != 1 || count <= 0) return SearchOutcome::kNoHit;
  started = true;
  total = count;
  done = 0;
  step = std::max<int32_t>(total / 100, 1);
  RunBatch();
  return SearchOutcome::kHits;
}

bool SearchBatches::RunBatch() {
  if (!started) return false;
  // 64-bit end so that a count near INT32_MAX cannot overflow.
  int64_t end = std::min<int64_t>(int64_t{done} + kItemsPerBatch, total);
  for (int64_t i = done; i < end; ++i) {
    if (i >= kMaxListItems) {
      done = total;
      return true;
    }
    addItem();
    if (i % step == 0) stepBar();
  }
  done = static_cast<int32_t>(end);
  return done >= total;
}

SearchOutcome SearchBatches::Cancel() {
  if (total == 0) return SearchOutcome::kNoHit;
  total = done;
  return SearchOutcome::kHits;
}

}  // namespace brisvane
