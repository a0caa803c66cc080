#include "RelatedCommand.h"

#include <chrono>
#include <cstring>

#include "BenchCommand.h"
#include "BookSession.h"
#include "BookText.h"
#include "JisText.h"
#include "LibraryCalls.h"
#include "RelatedJob.h"
#include "SearchCommand.h"
#include "SearchWord.h"
#include "ShelfCommand.h"

namespace cli {

namespace {

// No list here: every hit is printed.
constexpr size_t kEveryHit = SIZE_MAX;

std::u32string Unicode(const std::string& utf8) {
  std::u32string word;
  size_t at = 0;
  char32_t c = 0;
  while (booktext::NextUtf8(utf8, &at, &c)) word.push_back(c);
  return word;
}

std::string Utf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) booktext::AppendUtf8(&out, c);
  return out;
}

// How hit index was found: "exact", or "RELATION:WORD".
std::string How(search::SearchJob& job, int32_t index) {
  booktext::Relation how;
  std::u32string word;
  if (!job.Related(index, &how, &word)) return "exact";
  return std::string(booktext::RelationName(how)) + ":" + Utf8(word);
}

// The line of hit index: as PrintHit prints it, HOW before the heading.
bool PrintRelatedHit(search::SearchJob& job, int32_t index, const std::string& book, const booktext::GaijiMap& map,
                     std::ostream& out, std::ostream& err) {
  search::HitPlace place;
  std::string heading;
  if (job.Place(index, &place) != kDunmoorSuccess || job.Heading(index, &heading) != kDunmoorSuccess) {
    err << "dunmoor: the heading of hit " << index << " cannot be read\n";
    return false;
  }
  const size_t length = strnlen(heading.c_str(), heading.size());
  out << (book.empty() ? "" : book + " ") << index << " " << place.textPosition << " " << place.headingPosition << " "
      << How(job, index) << " " << BookTextToUtf8(reinterpret_cast<const uint8_t*>(heading.data()), length, &map)
      << "\n";
  return true;
}

}  // namespace

int RunRelatedSearch(const Disc& disc, const std::string& word, std::ostream& out, std::ostream& err) {
  booktext::SearchKey key;
  if (!KeyForSearch(SearchKind::kHeadword, {word}, &key, err)) return 1;
  dunmoor::Library library;
  if (int status = OpenBook(&library, disc, err)) return status;
  LibraryCalls calls(library);
  search::RelatedJob job(calls, key, Unicode(word), {}, kEveryHit);
  if (int status = RunToEnd(job, err)) return status;
  const booktext::GaijiMap map = BookCharacterMap(library);
  out << "hits " << job.Found() << "\n";
  for (int32_t i = 0; i < job.Found(); ++i)
    if (!PrintRelatedHit(job, i, "", map, out, err)) return 1;
  return 0;
}

int RunRelatedShelfSearch(const std::string& path, const std::string& word, std::ostream& out, std::ostream& err) {
  booktext::SearchKey key;
  if (!KeyForSearch(SearchKind::kHeadword, {word}, &key, err)) return 1;
  std::vector<ShelfLine> lines;
  ShelfBooks shelf;
  if (!ReadShelfFile(path, &lines, err)) return 1;
  OpenShelf(lines, &shelf, err);
  if (shelf.Books().empty()) {
    err << "dunmoor: no book of the shelf " << path << " opens\n";
    return 1;
  }
  const std::u32string typed = Unicode(word);
  search::ShelfJob job(shelf, SearchKind::kHeadword,
                       [&](search::BookCalls& calls) {
                         return std::make_unique<search::RelatedJob>(calls, key, typed, booktext::RelatedOptions{},
                                                                     kEveryHit);
                       },
                       kEveryHit);
  if (RunToEnd(job, err) != 0 || job.Count(search::BookOutcome::kSearched) == 0) return 1;
  out << "hits " << job.Found() << "\n";
  for (int32_t i = 0; i < job.Found(); ++i) {
    search::HitPlace place;
    if (job.Place(i, &place) != kDunmoorSuccess) return 1;
    const ShelfBooks::Book& book = shelf.Books()[place.book];
    const std::string name = std::to_string(lines[book.place].line) + ":" + std::to_string(book.index);
    if (!PrintRelatedHit(job, i, name, BookCharacterMap(*book.library), out, err)) return 1;
  }
  return 0;
}

int RunRelatedBench(const Disc& disc, const std::string& word, const std::string& repeatText,
                    const std::string& headingsText, std::ostream& out, std::ostream& err) {
  uint32_t repeat = 0, headings = 0;
  if (!ParseBenchCounts(repeatText, headingsText, &repeat, &headings, err)) return 2;
  booktext::SearchKey key;
  if (!KeyForSearch(SearchKind::kHeadword, {word}, &key, err)) return 1;
  dunmoor::Library library;
  if (int status = OpenBook(&library, disc, err)) return status;
  LibraryCalls calls(library);
  const std::u32string typed = Unicode(word);
  using Clock = std::chrono::steady_clock;
  int32_t hits = 0;
  int searches = 0;
  std::string heading;
  const Clock::time_point begin = Clock::now();
  for (uint32_t r = 0; r < repeat; ++r) {
    search::RelatedJob job(calls, key, typed, {}, kEveryHit);
    if (int status = RunToEnd(job, err)) return status;
    hits = job.Found();
    searches = job.Searches() + 1;
    for (int32_t i = 0; i < std::min<int64_t>(hits, headings); ++i)
      if (job.Heading(i, &heading) != kDunmoorSuccess) return 1;
  }
  const Clock::time_point middle = Clock::now();
  // The baseline: the exact search of the word as typed, in the same run.
  WordProperties properties{};
  for (uint32_t r = 0; r < repeat; ++r) {
    booktext::SearchKey working = key;
    if (library.GetWordProperties(working.bytes, &properties) == kDunmoorFailed) return 1;
  }
  const Clock::time_point end = Clock::now();
  auto mean = [&](Clock::duration d) { return std::chrono::duration_cast<std::chrono::nanoseconds>(d).count() / repeat; };
  out << "bench hits=" << hits << " searches=" << searches << " repeat=" << repeat
      << " ns_per_search=" << mean(middle - begin) << " ns_per_exact=" << mean(end - middle) << "\n";
  return 0;
}

}  // namespace cli
