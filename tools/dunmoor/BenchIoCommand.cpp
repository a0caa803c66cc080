#include "BenchIoCommand.h"

#include <chrono>
#include <vector>

#include "BookSession.h"
#include "Library.h"

namespace cli {

namespace {

// Mean nanoseconds of repeat rounds of a disc check and a read of size bytes, the reads moving
// through the first 256 KiB of the text file (warm, as the pages of one search are); false
// when a check or read fails.
bool TimeReads(dunmoor::BookState* book, uint32_t size, uint32_t repeat, uint64_t fileSize, int64_t* ns) {
  std::vector<uint8_t> buffer(size);
  uint32_t span = fileSize > size ? static_cast<uint32_t>(std::min<uint64_t>(fileSize - size, 1u << 18)) : 0;
  auto begin = std::chrono::steady_clock::now();
  for (uint32_t r = 0; r < repeat; ++r) {
    uint32_t position = span ? (r * 2048u) % span : 0;
    uint32_t got = 0;
    if (!book->DiscCheck() || !book->TextFile().Seek(position) || !book->TextFile().Read(buffer.data(), size, &got))
      return false;
  }
  *ns = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - begin).count() / repeat;
  return true;
}

}  // namespace

int RunBenchIo(const Disc& disc, const std::string& repeatText, std::ostream& out, std::ostream& err) {
  uint32_t repeat = 0;
  if (!ParseNumber(repeatText, 1000000000, &repeat) || repeat == 0) {
    err << "dunmoor: REPEAT must be a number 1 to 1000000000\n";
    return 2;
  }
  dunmoor::Library library;
  if (int status = OpenBook(&library, disc, err)) return status;
  dunmoor::BookState* book = library.Book();
  uint64_t fileSize = 0;
  book->TextFile().Size(&fileSize);
  int64_t page = 0, pages = 0, heading = 0;
  if (!TimeReads(book, 2048, repeat, fileSize, &page) || !TimeReads(book, 32 * 2048, repeat, fileSize, &pages) ||
      !TimeReads(book, kDunmoorHeadingSize, repeat, fileSize, &heading)) {
    err << "dunmoor: the book cannot be read (or the disc changed)\n";
    return 1;
  }
  out << "bench-io repeat=" << repeat << " ns_per_page=" << page << " ns_per_32_pages=" << pages
      << " ns_per_heading=" << heading << "\n";
  return 0;
}

}  // namespace cli
