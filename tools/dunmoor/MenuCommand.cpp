#include "MenuCommand.h"

#include "BookSession.h"
#include "ShowCommand.h"

namespace cli {

int RunMenu(const Disc& disc, std::ostream& out, std::ostream& err) {
  dunmoor::Library library;
  if (int status = OpenBook(&library, disc, err)) return status;
  int32_t menu = library.Links().GetMenuHead();
  if (menu == kDunmoorRefused) {
    out << "this book has no menu\n";
    return 0;
  }
  if (menu < 0) {
    err << "dunmoor: the menu cannot be found: the book cannot be read\n";
    return 1;
  }
  out << "menu at " << menu << "\n";
  return PrintEntry(&library, static_cast<uint32_t>(menu), out, err);
}

}  // namespace cli
