// edictbook EDICT OUTDIR: the EDRDG's edict file (UTF-8) made into a book in OUTDIR.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "BookBuild.h"
#include "EdictSource.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: edictbook EDICT.utf8 OUTDIR\n", stderr);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "edictbook: cannot read %s\n", argv[1]);
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  size_t entries = 0;
  const std::string source = bookbuild::EdictToBookSource(text.str(), &entries);
  bookbuild::LayoutMap map;
  bookbuild::BuildStatus status = bookbuild::BuildDisc(source, argv[2], &map);
  if (!status.ok) {
    std::fprintf(stderr, "edictbook: line %d of the source: %s\n", status.line, status.message.c_str());
    return 1;
  }
  std::printf("edictbook: %zu entries into %s\n", entries, argv[2]);
  return 0;
}
