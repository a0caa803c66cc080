#include "SearchJob.h"

#include "ControlCodes.h"

namespace search {

BookJob::BookJob(BookCalls& calls, SearchKind kind, const booktext::SearchKey& key)
    : calls(calls), kind(kind), key(key) {}

JobForm BookJob::Form() const { return CallsOf(kind).count ? JobForm::kCounted : JobForm::kScan; }

JobStep BookJob::Over(int32_t result) {
  over = true;
  return result == kDunmoorFailed ? JobStep::kFailed : JobStep::kDone;
}

JobStep BookJob::Step() {
  if (over) return JobStep::kDone;
  const KindCalls& use = CallsOf(kind);
  WordProperties properties = {};
  if (!begun) {
    begun = true;
    booktext::SearchKey working = key;
    if (use.count) {
      const int32_t result = (calls.*use.count)(working.bytes, &properties);
      if (result == kDunmoorSuccess && properties.hitCount > 0) found = properties.hitCount;
      return Over(result);
    }
    // A scan that cannot start (an empty key, no book) finds nothing.
    if ((calls.*use.begin)(working.bytes) != kDunmoorSuccess) return Over(kDunmoorRefused);
  }
  const int32_t result = (calls.*use.next)(&properties);
  if (result == kDunmoorSuccess || result == kDunmoorGoesOn) found = properties.hitCount;
  return result == kDunmoorGoesOn ? JobStep::kGoesOn : Over(result);
}

int32_t BookJob::Place(int32_t index, HitPlace* place) { return PlaceOfHit(calls, index, found, place); }

int32_t PlaceOfHit(BookCalls& calls, int32_t index, int32_t found, HitPlace* place) {
  if (index < 0 || index >= found) return kDunmoorRefused;
  DunmoorHit hit = {};
  const int32_t result = calls.GetHit(index, &hit);
  if (result != kDunmoorSuccess) return result;
  *place = HitPlace{0, index, hit.textPosition, hit.headingPosition, hit.matchPosition, hit.matchLength};
  return kDunmoorSuccess;
}

int32_t BookJob::Heading(int32_t index, std::string* heading) {
  if (index < 0 || index >= found) return kDunmoorRefused;
  return ReadHeading(calls, index, heading);
}

int32_t ReadHeading(BookCalls& calls, int32_t index, std::string* heading) {
  char text[kDunmoorHeadingSize] = {};
  WordItem item = {};
  item.text = text;
  const int32_t result = calls.GetWordItem(index, &item);
  if (result != kDunmoorSuccess) return result;
  heading->assign(text, booktext::code::HeadingLength(text, sizeof text));
  return kDunmoorSuccess;
}

}  // namespace search
