// The headwords around a hit, as a job: one call lists the keys of the book's word index before
// and after the word's place (the key of the hit's entry among its namesakes), as the library's
// own hits, read by number as a search's. The list selects the place.
#ifndef SEARCH_AROUNDJOB_H
#define SEARCH_AROUNDJOB_H

#include <cstdint>

#include "SearchJob.h"

namespace search {

// The keys listed on each side at first, and how many more each time the list reaches an end.
constexpr int32_t kAroundFirst = 50;
constexpr int32_t kAroundMore = 100;

class AroundJob : public SearchJob {
 public:
  // count keys before the place of key (the hit of the entry at textPosition, -1 for none) and
  // count after it.
  AroundJob(BookCalls& calls, const booktext::SearchKey& key, int32_t textPosition, int32_t count);

  JobForm Form() const override { return JobForm::kCounted; }
  JobStep Step() override;
  int32_t Found() const override { return found; }
  int32_t Books() const override { return 1; }
  int32_t BooksDone() const override { return over ? 1 : 0; }
  void Stop() override { over = true; }
  int32_t Place(int32_t index, HitPlace* place) override;
  int32_t Heading(int32_t index, std::string* heading) override;

  // The hit that is the word's place (0 before the job has run).
  int32_t Selected() const { return selected; }
  // Whether keys stand beyond the first and the last listed: there are as many as were asked for.
  bool MoreBefore() const { return selected >= count; }
  bool MoreAfter() const { return found - selected > count; }
  // The same place with more keys on both sides.
  const booktext::SearchKey& Key() const { return key; }
  int32_t TextPosition() const { return textPosition; }
  int32_t Count() const { return count; }

 private:
  BookCalls& calls;
  booktext::SearchKey key;
  int32_t textPosition;
  int32_t count;
  int32_t found = 0;
  int32_t selected = 0;
  bool over = false;
};

}  // namespace search

#endif  // SEARCH_AROUNDJOB_H
