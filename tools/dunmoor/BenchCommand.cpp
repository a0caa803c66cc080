#include "BenchCommand.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "BookSession.h"
#include "LibraryCalls.h"
#include "SearchCommand.h"

namespace cli {

namespace {

constexpr uint32_t kMaxRepeat = 1000000000;

}  // namespace

bool ParseBenchCounts(const std::string& repeatText, const std::string& headingsText, uint32_t* repeat,
                      uint32_t* headings, std::ostream& err) {
  if (ParseNumber(repeatText, kMaxRepeat, repeat) && *repeat > 0 && ParseNumber(headingsText, kMaxRepeat, headings))
    return true;
  err << "dunmoor: REPEAT must be a number 1 to " << kMaxRepeat << ", HEADINGS 0 to " << kMaxRepeat << "\n";
  return false;
}

int RunBench(const Disc& disc, SearchKind kind, const std::string& word, const std::string& repeatText,
             const std::string& headingsText, std::ostream& out, std::ostream& err) {
  uint32_t repeat = 0, headings = 0;
  if (!ParseBenchCounts(repeatText, headingsText, &repeat, &headings, err)) return 2;
  booktext::SearchKey typed;
  if (!KeyForSearch(kind, {word}, &typed, err)) return 1;
  dunmoor::Library library;
  if (int status = OpenBook(&library, disc, err)) return status;

  char heading[kDunmoorHeadingSize];
  WordItem item{};
  item.text = heading;
  LibraryCalls calls(library);
  int32_t hits = 0;
  auto begin = std::chrono::steady_clock::now();
  for (uint32_t r = 0; r < repeat; ++r) {
    if (int status = RunSearchOn(calls, kind, typed, &hits, err)) return status;
    int32_t count = std::min<int64_t>(hits, headings);
    for (int32_t i = 0; i < count; ++i) {
      if (library.GetWordItem(i, &item) != kDunmoorSuccess) {
        err << "dunmoor: the heading of hit " << i << " cannot be read\n";
        return 1;
      }
    }
  }
  auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - begin);
  out << "bench hits=" << hits << " repeat=" << repeat << " ns_per_search=" << elapsed.count() / repeat << "\n";
  return 0;
}

}  // namespace cli
