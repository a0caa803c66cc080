// dunmoor: reads EPWING books from the command line with the book-access library.
#include <algorithm>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "AroundCommand.h"
#include "BenchCommand.h"
#include "BenchIoCommand.h"
#include "BenchOpenCommand.h"
#include "BookSession.h"
#include "GaijiCommand.h"
#include "InfoCommand.h"
#include "MenuCommand.h"
#include "PictureCommand.h"
#include "RelatedCommand.h"
#include "SearchCommand.h"
#include "ShelfCommand.h"
#include "ShowCommand.h"
#include "SoundCommand.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

void Usage(std::ostream& out) {
  out << "usage: dunmoor COMMAND [--book N] ARGUMENTS\n"
         "  info ROOT                 the catalog of the disc at ROOT (* marks the book read) and that book's\n"
         "                            index table\n"
         "  search ROOT WORD          headwords matching WORD: \"hits N\", then INDEX TEXTPOS HEADPOS HEADING;\n"
         "                            *WORD finds words ending with WORD, WORD* words beginning with it\n"
         "  show ROOT POS             the entry at text position POS (decimal), to its end; graphics and\n"
         "                            sounds are marked with the position of their code (@POS)\n"
         "  menu ROOT                 the book's menu, or \"this book has no menu\"\n"
         "  picture ROOT POS OUTFILE  the picture whose graphic starts at text position POS (show marks\n"
         "                            it with @POS): a monochrome one as a 1-bit BMP, a colour one as stored\n"
         "  sound ROOT POS OUTFILE    describes the sound whose code starts at POS; sound data in the book\n"
         "                            go to OUTFILE as a WAVE file (CD audio: no file)\n"
         "  gaiji ROOT CODE narrow|wide [SIZE]\n"
         "                            the external character CODE (hex, e.g. A121) of the SIZE-dot font (16,\n"
         "                            24, 30 or 48, and 32 for 30; default 16): one line a row, # ink, . paper\n"
         "  bench ROOT WORD REPEAT HEADINGS\n"
         "                            REPEAT searches for WORD, each reading the first HEADINGS headings;\n"
         "                            prints the mean time of one in nanoseconds\n"
         "  search --shelf FILE [--keyword|--text] WORD...\n"
         "  bench --shelf FILE [--keyword|--text] WORD REPEAT HEADINGS\n"
         "                            the same on every book of the shelf file FILE (a disc root a line,\n"
         "                            optionally a tab and a catalog index): hits as BOOK INDEX TEXTPOS\n"
         "                            HEADPOS HEADING, BOOK being LINE:CATALOG-INDEX; HEADINGS per book\n"
         "  search --related ROOT WORD\n"
         "  search --related --shelf FILE WORD\n"
         "  bench --related ROOT WORD REPEAT HEADINGS\n"
         "                            WORD as running text holds it: its hits, then those of its other kana,\n"
         "                            kanji variants, dictionary forms or beginning: INDEX TEXTPOS HEADPOS\n"
         "                            HOW HEADING, HOW exact or how it was found (deinflected:食べる)\n"
         "  around ROOT WORD N        the word index around WORD: \"keys K place P\", then the N keys before\n"
         "                            its place and N from it on, INDEX TEXTPOS HEADPOS KEY, in index order\n"
         "  bench-open ROOT REPEAT    the mean time of opening the catalog and book, in nanoseconds\n"
         "  bench-io ROOT REPEAT      the baseline: a disc check and a read of a page, 32 pages, a heading\n"
         "Every command reads the first usable book of the disc, or with --book N the book of catalog\n"
         "index N (info lists them). Text is printed as UTF-8; external characters appear as {XXXX}\n"
         "with their code.\n";
}

}  // namespace

// The command with its arguments as UTF-8 (natively: as given). Disc roots and file names go to
// the library so, and words are read so.
static int Run(const std::vector<std::string>& arguments) {
  if (arguments.size() < 2) {
    Usage(std::cerr);
    return 2;
  }
  std::vector<std::string> raw = arguments;
  std::vector<std::string> utf8 = arguments;
  std::string command = raw[1];
  std::ostream& out = std::cout;
  std::ostream& err = std::cerr;
  if (command == "help" || command == "--help" || command == "-h") {
    Usage(out);
    return 0;
  }
  static const char* const kCommands[] = {"info", "search", "show", "menu", "picture", "sound",
                                          "gaiji", "bench", "bench-open", "bench-io", "around"};
  if (std::find(std::begin(kCommands), std::end(kCommands), command) == std::end(kCommands)) {
    err << "dunmoor: unknown command " << command << "\n";
    Usage(err);
    return 2;
  }
  // "--shelf FILE" right after search and bench: every book of the shelf file.
  std::string shelf;
  bool onShelf = false;
  if ((command == "search" || command == "bench") && raw.size() > 2 && raw[2] == "--shelf") {
    if (raw.size() < 4) {
      err << "dunmoor: --shelf takes a shelf file (a disc root a line, a tab and a catalog index after it)\n";
      return 2;
    }
    shelf = raw[3];
    onShelf = true;
    raw.erase(raw.begin() + 2, raw.begin() + 4);
    utf8.erase(utf8.begin() + 2, utf8.begin() + 4);
  }
  // "--related" right after search and bench: the headword search with the related words.
  bool related = false;
  if ((command == "search" || command == "bench") && raw.size() > 2 && raw[2] == "--related") {
    related = true;
    raw.erase(raw.begin() + 2);
    utf8.erase(utf8.begin() + 2);
    if (raw.size() > 3 && raw[2] == "--shelf") {
      if (command == "search" && raw.size() == 5) return cli::RunRelatedShelfSearch(raw[3], utf8[4], out, err);
      Usage(err);
      return 2;
    }
  }
  // "--keyword" or "--text" right after search and bench choose the kind of search.
  cli::SearchKind kind = cli::SearchKind::kHeadword;
  if ((command == "search" || command == "bench") && raw.size() > 2 && (raw[2] == "--keyword" || raw[2] == "--text")) {
    kind = raw[2] == "--keyword" ? cli::SearchKind::kKeyword : cli::SearchKind::kFullText;
    raw.erase(raw.begin() + 2);
    utf8.erase(utf8.begin() + 2);
  }
  if (onShelf) {
    size_t n = raw.size();
    if (command == "search" && (n == 3 || (n > 3 && kind == cli::SearchKind::kKeyword)))
      return cli::RunShelfSearch(shelf, kind, std::vector<std::string>(utf8.begin() + 2, utf8.end()), out, err);
    if (command == "bench" && n == 5) return cli::RunShelfBench(shelf, kind, utf8[2], raw[3], raw[4], out, err);
    Usage(err);
    return 2;
  }
  // "--book N" names the catalog index of the book to read.
  int32_t book = cli::Disc::kFirstUsable;
  if (raw.size() > 2 && raw[2] == "--book") {
    uint32_t n = 0;
    if (raw.size() < 4 || !cli::ParseNumber(raw[3], INT32_MAX, &n)) {
      err << "dunmoor: --book takes a book number (0 for the first book of the catalog)\n";
      return 2;
    }
    book = static_cast<int32_t>(n);
    raw.erase(raw.begin() + 2, raw.begin() + 4);
    utf8.erase(utf8.begin() + 2, utf8.begin() + 4);
  }
  size_t count = raw.size();
  if (count < 3) {
    Usage(err);
    return 2;
  }
  cli::Disc disc(raw[2], book);
  if (command == "info" && count == 3) return cli::RunInfo(disc, out, err);
  if (related && command == "search" && count == 4) return cli::RunRelatedSearch(disc, utf8[3], out, err);
  if (related && command == "bench" && count == 6) return cli::RunRelatedBench(disc, utf8[3], raw[4], raw[5], out, err);
  if (related) {
    Usage(err);
    return 2;
  }
  if (command == "search" && (count == 4 || (count > 4 && kind == cli::SearchKind::kKeyword)))
    return cli::RunSearch(disc, kind, std::vector<std::string>(utf8.begin() + 3, utf8.end()), out, err);
  if (command == "around" && count == 5) return cli::RunAround(disc, utf8[3], raw[4], out, err);
  if (command == "show" && count == 4) return cli::RunShow(disc, raw[3], out, err);
  if (command == "menu" && count == 3) return cli::RunMenu(disc, out, err);
  if (command == "picture" && count == 5) return cli::RunPicture(disc, raw[3], raw[4], out, err);
  if (command == "sound" && count == 5) return cli::RunSound(disc, raw[3], raw[4], out, err);
  if (command == "gaiji" && (count == 5 || count == 6))
    return cli::RunGaiji(disc, raw[3], raw[4], count == 6 ? raw[5] : "", out, err);
  if (command == "bench" && count == 6) return cli::RunBench(disc, kind, utf8[3], raw[4], raw[5], out, err);
  if (command == "bench-open" && count == 4) return cli::RunBenchOpen(disc, raw[3], out, err);
  if (command == "bench-io" && count == 4) return cli::RunBenchIo(disc, raw[3], out, err);
  Usage(err);
  return 2;
}

#ifdef _WIN32
// Windows hands wmain the command line as typed, in UTF-16: a folder or a word in any language
// survives, where main's arguments in the system code page would lose what that page lacks.
int wmain(int argc, wchar_t** argv) {
  SetConsoleOutputCP(CP_UTF8);  // the text is printed as UTF-8
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) {
    int size = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 1), '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, &utf8[0], size, nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    arguments.push_back(std::move(utf8));
  }
  return Run(arguments);
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv, argv + argc)); }
#endif
