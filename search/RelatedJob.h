// A headword search of one book for a word as running text holds it: the search as typed, whose
// hits come first in the design's order and stay the library's own (read by their number), then
// the related words of booktext::RelatedWords, each searched exactly, their hits kept with how
// they were found and what was found, duplicates of earlier hits left out. When none of those
// finds anything, the longest beginning of the word that does (itself or a related word of it).
//
// The related words are searched first and the word as typed last, so that the library's own
// hits are those of the search as typed when the job is done.
#ifndef SEARCH_RELATEDJOB_H
#define SEARCH_RELATEDJOB_H

#include <set>
#include <string>
#include <vector>

#include "RelatedWords.h"
#include "SearchJob.h"

namespace search {

class RelatedJob : public SearchJob {
 public:
  // typedKey: the key the viewer builds from word (the design's search); keep: how many hits in
  // all (the typed search's and the related) the job lists. The typed search's hits are counted
  // whole even past keep, as a BookJob counts them.
  RelatedJob(BookCalls& calls, const booktext::SearchKey& typedKey, std::u32string word,
             const booktext::RelatedOptions& options, size_t keep);

  JobForm Form() const override { return JobForm::kCounted; }
  JobStep Step() override;
  int32_t Found() const override { return typedHits + static_cast<int32_t>(related.size()); }
  int32_t Books() const override { return 1; }
  int32_t BooksDone() const override { return done ? 1 : 0; }
  void Stop() override { done = true; }
  bool LibraryHit(int32_t index) const override { return index >= 0 && index < typedHits; }
  bool Related(int32_t index, booktext::Relation* how, std::u32string* word) const override;
  int32_t Place(int32_t index, HitPlace* place) override;
  int32_t Heading(int32_t index, std::string* heading) override;

  // The exact searches it made.
  int Searches() const { return searches; }

 private:
  struct Kept {
    HitPlace place;
    std::string heading;
    booktext::Relation how;
    std::u32string word;
  };
  // Searches word exactly and keeps its new hits as found by how: the number kept, -1 when a
  // read failed.
  int32_t KeepHitsOf(const std::u32string& candidate, booktext::Relation how);
  // The related words of one word searched: whether any found something, false also on a failed read.
  bool SearchRelated(const std::u32string& of, booktext::Relation leading, bool* failed);

  BookCalls& calls;
  booktext::SearchKey typedKey;
  std::u32string word;
  booktext::RelatedOptions options;
  size_t keep;
  bool done = false;
  int searches = 0;
  int32_t typedHits = 0;
  std::vector<uint32_t> typedPositions;  // the text positions of the typed search's hits
  std::set<std::u32string> searchedWords;
  std::vector<Kept> related;
};

}  // namespace search

#endif  // SEARCH_RELATEDJOB_H
