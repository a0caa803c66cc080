// dunmoor: reads EPWING books from the command line with the book-access library.
#include <iostream>
#include <string>
#include <vector>

#include "BenchCommand.h"
#include "BenchIoCommand.h"
#include "BenchOpenCommand.h"
#include "GaijiCommand.h"
#include "InfoCommand.h"
#include "MenuCommand.h"
#include "PictureCommand.h"
#include "SearchCommand.h"
#include "ShowCommand.h"
#include "SoundCommand.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace {

void Usage(std::ostream& out) {
  out << "usage: dunmoor COMMAND ARGUMENTS\n"
         "  info ROOT                 the catalog of the disc at ROOT and the index table of its first book\n"
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
         "                            the external character CODE (hex, e.g. A121) of the SIZE-dot font (16, 24,\n"
         "                            30, 48; default 16): one line a row, # ink, . paper\n"
         "  bench ROOT WORD REPEAT HEADINGS\n"
         "                            REPEAT searches for WORD, each reading the first HEADINGS headings;\n"
         "                            prints the mean time of one in nanoseconds\n"
         "  bench-open ROOT REPEAT    the mean time of opening the catalog and book, in nanoseconds\n"
         "  bench-io ROOT REPEAT      the baseline: a disc check and a read of a page, 32 pages, a heading\n"
         "Every command reads the first usable book of the disc. Text is printed as UTF-8; external\n"
         "characters appear as {XXXX} with their code.\n";
}

// The arguments as UTF-8. Windows hands a program its arguments in the ANSI code page, which
// cannot hold every search word: there the wide command line is converted instead.
std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
#ifdef _WIN32
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return args;
  if (count == argc) {
    for (int i = 0; i < count; ++i) {
      int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
      if (size <= 0) continue;
      std::string utf8(static_cast<size_t>(size), '\0');
      WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, &utf8[0], size, nullptr, nullptr);
      utf8.resize(static_cast<size_t>(size) - 1);
      args[static_cast<size_t>(i)] = utf8;
    }
  }
  LocalFree(wide);
#endif
  return args;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  SetConsoleOutputCP(CP_UTF8);  // the text is printed as UTF-8
#endif
  if (argc < 2) {
    Usage(std::cerr);
    return 2;
  }
  // Disc roots go to the library as given (the system code page); words are taken as UTF-8.
  std::vector<std::string> utf8 = Utf8Arguments(argc, argv);
  std::string command = argv[1];
  std::ostream& out = std::cout;
  std::ostream& err = std::cerr;
  if (command == "help" || command == "--help" || command == "-h") {
    Usage(out);
    return 0;
  }
  if (command == "info" && argc == 3) return cli::RunInfo(argv[2], out, err);
  if (command == "search" && argc == 4) return cli::RunSearch(argv[2], utf8[3], out, err);
  if (command == "show" && argc == 4) return cli::RunShow(argv[2], argv[3], out, err);
  if (command == "menu" && argc == 3) return cli::RunMenu(argv[2], out, err);
  if (command == "picture" && argc == 5) return cli::RunPicture(argv[2], argv[3], argv[4], out, err);
  if (command == "sound" && argc == 5) return cli::RunSound(argv[2], argv[3], argv[4], out, err);
  if (command == "gaiji" && (argc == 5 || argc == 6))
    return cli::RunGaiji(argv[2], argv[3], argv[4], argc == 6 ? argv[5] : "", out, err);
  if (command == "bench" && argc == 6) return cli::RunBench(argv[2], utf8[3], argv[4], argv[5], out, err);
  if (command == "bench-open" && argc == 4) return cli::RunBenchOpen(argv[2], argv[3], out, err);
  if (command == "bench-io" && argc == 4) return cli::RunBenchIo(argv[2], argv[3], out, err);
  Usage(err);
  return 2;
}
