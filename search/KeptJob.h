// Hits known before any search: entries the reader kept (bookmarks), listed and shown as a
// search's hits are, each read at its text position from its own book.
#ifndef SEARCH_KEPTJOB_H
#define SEARCH_KEPTJOB_H

#include <string>
#include <vector>

#include "SearchJob.h"

namespace search {

struct KeptHit {
  size_t book = 0;           // the job's book it is read from
  std::string heading;       // as the library gives headings (JIS with its codes)
  int32_t textPosition = 0;
};

class KeptJob : public SearchJob {
 public:
  KeptJob(std::vector<KeptHit> hits, int32_t books) : hits(std::move(hits)), books(books) {}

  JobForm Form() const override { return JobForm::kCounted; }
  JobStep Step() override { return JobStep::kDone; }
  int32_t Found() const override { return static_cast<int32_t>(hits.size()); }
  int32_t Books() const override { return books; }
  int32_t BooksDone() const override { return books; }
  void Stop() override {}
  int32_t Place(int32_t index, HitPlace* place) override;
  int32_t Heading(int32_t index, std::string* heading) override;
  // None is the library's: each is read from its book by its position.
  bool LibraryHit(int32_t index) const override { return false; }

 private:
  std::vector<KeptHit> hits;
  int32_t books;
};

}  // namespace search

#endif  // SEARCH_KEPTJOB_H
