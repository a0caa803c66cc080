// bookbuild SOURCE.book OUTDIR [--map MAPFILE]: writes the disc that the source describes.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "BookBuild.h"

namespace {

const char kUsage[] =
    "usage: bookbuild SOURCE.book OUTDIR [--map MAPFILE]\n"
    "  writes the disc that SOURCE.book describes into OUTDIR (catalog, text file, fonts), and with\n"
    "  --map a text map of where everything lies; the source format: tools/bookbuild/README.md\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc != 3 && !(argc == 5 && std::string(argv[3]) == "--map")) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "bookbuild: cannot read %s\n", argv[1]);
    return 1;
  }
  std::stringstream source;
  source << in.rdbuf();
  bookbuild::LayoutMap map;
  bookbuild::BuildStatus status = bookbuild::BuildDisc(source.str(), argv[2], &map);
  if (!status.ok) {
    std::fprintf(stderr, "%s:%s\n", argv[1], (" " + status.message).c_str());
    return 1;
  }
  if (argc == 5) {
    std::ofstream out(argv[4], std::ios::binary | std::ios::trunc);
    out << map.ToText();
    out.close();
    if (!out) {
      std::fprintf(stderr, "bookbuild: cannot write %s\n", argv[4]);
      return 1;
    }
  }
  return 0;
}
