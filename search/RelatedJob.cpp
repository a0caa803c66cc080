#include "RelatedJob.h"

#include <algorithm>
#include <cstdint>

namespace search {

RelatedJob::RelatedJob(BookCalls& calls, const booktext::SearchKey& typedKey, std::u32string word,
                       const booktext::RelatedOptions& options, size_t keep)
    : calls(calls),
      typedKey(typedKey),
      word(std::move(word)),
      options(options),
      keep(std::min<size_t>(keep, INT32_MAX)) {}

int32_t RelatedJob::KeepHitsOf(const std::u32string& candidate, booktext::Relation how) {
  booktext::SearchKey key;
  // A word searched once (a beginning of the phrase and a form of a longer one may be the same)
  // is not searched again.
  if (!searchedWords.insert(candidate).second || !booktext::ExactKey(candidate, &key)) return 0;
  ++searches;
  WordProperties properties = {};
  const int32_t result = calls.GetWordProperties(key.bytes, &properties);
  if (result == kDunmoorFailed) return -1;
  if (result != kDunmoorSuccess) return 0;
  int32_t kept = 0;
  for (int32_t i = 0; i < properties.hitCount && static_cast<size_t>(Found()) < keep; ++i) {
    DunmoorHit hit = {};
    Kept next;
    if (calls.GetHit(i, &hit) != kDunmoorSuccess) return -1;
    const uint32_t at = static_cast<uint32_t>(hit.textPosition);
    // A hit listed before (by the search as typed, or another related word) is left out.
    if (std::find(typedPositions.begin(), typedPositions.end(), at) != typedPositions.end() ||
        std::any_of(related.begin(), related.end(), [&](const Kept& k) { return k.place.textPosition == hit.textPosition; }))
      continue;
    const int32_t read = ReadHeading(calls, i, &next.heading);
    if (read != kDunmoorSuccess) return -1;
    next.place = HitPlace{0, i, hit.textPosition, hit.headingPosition, hit.matchPosition, hit.matchLength};
    next.how = how;
    next.word = candidate;
    related.push_back(std::move(next));
    ++kept;
  }
  return kept;
}

bool RelatedJob::SearchRelated(const std::u32string& of, booktext::Relation leading, bool* failed) {
  bool any = false;
  auto search = [&](const std::u32string& candidate, booktext::Relation how) {
    const int32_t kept = KeepHitsOf(candidate, how);
    if (kept < 0) *failed = true;
    any = any || kept > 0;
  };
  // A beginning of the word is itself a candidate; the word as typed is not (it was searched).
  if (of != word) search(of, leading);
  for (const booktext::RelatedWord& r : booktext::RelatedWords(of, options)) {
    if (*failed) break;
    search(r.word, of == word ? r.how : leading);
  }
  return any;
}

JobStep RelatedJob::Step() {
  if (done) return JobStep::kDone;
  done = true;
  auto typed = [&](bool keepPositions) {
    booktext::SearchKey working = typedKey;
    WordProperties properties = {};
    const int32_t result = calls.GetWordProperties(working.bytes, &properties);
    typedHits = result == kDunmoorSuccess && properties.hitCount > 0 ? properties.hitCount : 0;
    if (keepPositions) {
      // The hits past what the job keeps are counted (the list says how many it left out) but
      // never listed: their positions are not needed.
      typedPositions.clear();
      const int32_t listed = std::min<int32_t>(typedHits, static_cast<int32_t>(keep));
      for (int32_t i = 0; i < listed; ++i) {
        DunmoorHit hit = {};
        if (calls.GetHit(i, &hit) == kDunmoorSuccess) typedPositions.push_back(static_cast<uint32_t>(hit.textPosition));
      }
    }
    return result;
  };
  if (typed(true) == kDunmoorFailed) return JobStep::kFailed;
  const int32_t typedFound = typedHits;
  // A word with a wildcard asks for what it says: no related words.
  const bool pattern = word.find(U'*') != std::u32string::npos || word.find(U'\uFF0A') != std::u32string::npos;
  bool failed = false;
  bool any = !pattern && SearchRelated(word, booktext::Relation::kLeading, &failed);
  if (!pattern && !any && typedFound == 0 && !failed) {
    for (const std::u32string& part : booktext::LeadingParts(word)) {
      if (SearchRelated(part, booktext::Relation::kLeading, &failed) || failed) break;
    }
  }
  if (failed) return JobStep::kFailed;
  // The library's own hits are the search as typed's again (every search replaced them).
  if (searches > 0 && typedFound > 0 && typed(false) == kDunmoorFailed) return JobStep::kFailed;
  typedHits = typedFound;
  return JobStep::kDone;
}

bool RelatedJob::Related(int32_t index, booktext::Relation* how, std::u32string* relatedWord) const {
  if (index < typedHits || index >= Found()) return false;
  const Kept& hit = related[static_cast<size_t>(index - typedHits)];
  *how = hit.how;
  *relatedWord = hit.word;
  return true;
}

int32_t RelatedJob::Place(int32_t index, HitPlace* place) {
  if (index < 0 || index >= Found()) return kDunmoorRefused;
  if (index >= typedHits) {
    *place = related[static_cast<size_t>(index - typedHits)].place;
    return kDunmoorSuccess;
  }
  DunmoorHit hit = {};
  const int32_t result = calls.GetHit(index, &hit);
  if (result != kDunmoorSuccess) return result;
  *place = HitPlace{0, index, hit.textPosition, hit.headingPosition, hit.matchPosition, hit.matchLength};
  return kDunmoorSuccess;
}

int32_t RelatedJob::Heading(int32_t index, std::string* heading) {
  if (index < 0 || index >= Found()) return kDunmoorRefused;
  if (index >= typedHits) {
    *heading = related[static_cast<size_t>(index - typedHits)].heading;
    return kDunmoorSuccess;
  }
  return ReadHeading(calls, index, heading);
}

}  // namespace search
