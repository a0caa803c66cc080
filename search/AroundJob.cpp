#include "AroundJob.h"

namespace search {

AroundJob::AroundJob(BookCalls& calls, const booktext::SearchKey& key, int32_t textPosition, int32_t count)
    : calls(calls), key(key), textPosition(textPosition), count(count) {}

JobStep AroundJob::Step() {
  if (over) return JobStep::kDone;
  over = true;
  booktext::SearchKey working = key;  // the library normalises it in place
  WordProperties properties = {};
  int32_t place = 0;
  const int32_t result = calls.GetWordsAround(working.bytes, textPosition, count, &properties, &place);
  if (result == kDunmoorFailed) return JobStep::kFailed;
  if (result == kDunmoorSuccess && properties.hitCount > 0) {
    found = properties.hitCount;
    selected = place < found ? place : found - 1;
  }
  return JobStep::kDone;
}

int32_t AroundJob::Place(int32_t index, HitPlace* place) { return PlaceOfHit(calls, index, found, place); }

int32_t AroundJob::Heading(int32_t index, std::string* heading) {
  if (index < 0 || index >= found) return kDunmoorRefused;
  return ReadHeading(calls, index, heading);
}

}  // namespace search
