// makebigbook OUTDIR [ENTRIES]: writes a large generated book (BigBook.h) below OUTDIR and
// OUTDIR/bench-words.txt, one line per planted search: `name word expected`.
// makebigbook --freepwing-source FILE [ENTRIES]: writes the same entries as a source for the
// freepwing conversion script instead, and FILE.words with the planted words and their counts in
// the book freepwing makes of it.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "BigBook.h"
#include "BuildError.h"
#include "DiscImage.h"

namespace {

constexpr size_t kKanaLevelsAtFullSize = 3;  // root, one node level, leaves

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void PrintLayout(const bookbuild::BookLayout& book, size_t entries) {
  std::printf("entries       %zu\n", entries);
  std::printf("text file     %s, %u bytes (%.1f MiB)\n", book.textFile.c_str(), book.textFileSize,
              book.textFileSize / 1048576.0);
  uint32_t first = UINT32_MAX, last = 0, headings = UINT32_MAX;
  for (const auto& [id, at] : book.entryText) first = std::min(first, at), last = std::max(last, at);
  for (const auto& [id, at] : book.entryHeading) headings = std::min(headings, at);
  if (entries > 1 && headings != UINT32_MAX)
    std::printf("entry text    %u bytes, %.0f bytes an entry; headings from %u\n", last - first,
                double(last - first) / double(entries - 1), headings);
  for (const bookbuild::IndexLayout& index : book.indexes) {
    uint32_t pages = index.levels.back().second - index.levels.front().first + 1;
    std::printf("index %-5s   id 0x%02X  %zu records, %u pages, %zu levels:", index.name.c_str(), index.id,
                index.recordCount, pages, index.levels.size());
    for (const auto& [first, last] : index.levels) std::printf(" %u", last - first + 1);
    std::printf(" pages\n");
  }
}

void WriteBenchWords(const bookbuild::BigBook& big, const std::string& path) {
  std::ofstream words(path, std::ios::binary | std::ios::trunc);
  for (const bookbuild::BenchWord& w : big.benchWords) words << w.name << ' ' << w.word << ' ' << w.expected << '\n';
  words.close();
  if (!words) throw bookbuild::BuildError(0, "cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  const bool freepwing = argc >= 2 && std::string(argv[1]) == "--freepwing-source";
  if (freepwing) ++argv, --argc;
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr,
                 "usage: makebigbook OUTDIR [ENTRIES]\n"
                 "       makebigbook --freepwing-source FILE [ENTRIES]   (ENTRIES at least %zu, default %zu)\n",
                 bookbuild::kMinBigBookEntries, bookbuild::BigBookOptions().entries);
    return 2;
  }
  const std::string outDir = argv[1];
  bookbuild::BigBookOptions options;
  if (argc == 3) {
    char* end = nullptr;
    unsigned long long n = std::strtoull(argv[2], &end, 10);
    if (end == argv[2] || *end != '\0' || n < bookbuild::kMinBigBookEntries || n > 2000000) {
      std::fprintf(stderr, "makebigbook: ENTRIES must be a number from %zu to 2000000\n",
                   bookbuild::kMinBigBookEntries);
      return 2;
    }
    options.entries = static_cast<size_t>(n);
  }
  auto start = std::chrono::steady_clock::now();
  try {
    bookbuild::BigBook big = bookbuild::MakeBigBook(options);
    double generated = SecondsSince(start);
    if (freepwing) {
      std::ofstream source(outDir, std::ios::binary | std::ios::trunc);
      big.benchWords = bookbuild::WriteFreePwingSource(big, source);
      source.close();
      if (!source) throw bookbuild::BuildError(0, "cannot write " + outDir);
      WriteBenchWords(big, outDir + ".words");
      std::printf("freepwing source %s: %zu entries in %.2f s\n", outDir.c_str(),
                  big.disc.books.front().entries.size(), SecondsSince(start));
      return 0;
    }
    bookbuild::LayoutMap map;
    bookbuild::DiscImage image = bookbuild::MakeDiscImage(big.disc, &map);
    double laidOut = SecondsSince(start);
    const bookbuild::BookLayout& book = map.books.front();
    const bookbuild::IndexLayout* kana = book.Index("kana");
    if (argc == 2 && kana->levels.size() != kKanaLevelsAtFullSize) {
      std::fprintf(stderr, "makebigbook: the kana index has %zu levels, not %zu\n", kana->levels.size(),
                   kKanaLevelsAtFullSize);
      return 1;
    }
    bookbuild::WriteDiscImage(image, outDir);
    WriteBenchWords(big, outDir + "/bench-words.txt");

    PrintLayout(book, big.disc.books.front().entries.size());
    for (const bookbuild::BenchWord& w : big.benchWords)
      std::printf("bench word    %-7s %6zu hits  %s\n", w.name.c_str(), w.expected, w.word.c_str());
    std::printf("time          %.2f s (entries %.2f s, layout %.2f s, writing %.2f s)\n", SecondsSince(start),
                generated, laidOut - generated, SecondsSince(start) - laidOut);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "makebigbook: %s\n", e.what());
    return 1;
  }
  return 0;
}
