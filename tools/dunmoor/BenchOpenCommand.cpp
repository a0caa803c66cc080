#include "BenchOpenCommand.h"

#include <chrono>

#include "BookSession.h"

namespace cli {

int RunBenchOpen(const Disc& disc, const std::string& repeatText, std::ostream& out, std::ostream& err) {
  uint32_t repeat = 0;
  if (!ParseNumber(repeatText, 1000000000, &repeat) || repeat == 0) {
    err << "dunmoor: REPEAT must be a number 1 to 1000000000\n";
    return 2;
  }
  dunmoor::Library library;
  std::chrono::nanoseconds total{0};
  for (uint32_t r = 0; r < repeat; ++r) {
    auto begin = std::chrono::steady_clock::now();
    int status = OpenBook(&library, disc, err);
    total += std::chrono::steady_clock::now() - begin;
    library.BooksClose();
    library.CloseEpwing();
    if (status) return status;
  }
  out << "bench-open repeat=" << repeat << " ns_per_open=" << total.count() / repeat << "\n";
  return 0;
}

}  // namespace cli
