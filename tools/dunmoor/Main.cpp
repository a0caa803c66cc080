// dunmoor: reads EPWING books from the command line with the book-access library.
#include <iostream>
#include <string>

#include "InfoCommand.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

void Usage(std::ostream& out) {
  out << "usage: dunmoor COMMAND ARGUMENTS\n"
         "  info ROOT     the catalog of the disc at ROOT and the index table of its first book\n"
         "Text is printed as UTF-8; external characters appear as {XXXX} with their code.\n";
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
  std::string command = argv[1];
  if (command == "help" || command == "--help" || command == "-h") {
    Usage(std::cout);
    return 0;
  }
  if (command == "info" && argc == 3) return cli::RunInfo(argv[2], std::cout, std::cerr);
  Usage(std::cerr);
  return 2;
}
