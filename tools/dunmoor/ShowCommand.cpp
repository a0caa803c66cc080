#include "ShowCommand.h"

#include <cstdint>

#include "BookSession.h"
#include "BookText.h"
#include "EntryReader.h"

namespace cli {

int PrintEntry(dunmoor::Library* library, uint32_t position, std::ostream& out, std::ostream& err) {
  EntryRead entry = ReadEntry(library, position);
  if (entry.result != kDunmoorSuccess) {
    err << "dunmoor: the text at " << position << " cannot be read (or the disc changed)\n";
    return 1;
  }
  booktext::GaijiMap map = BookCharacterMap(*library);
  std::string text = EntryTextToUtf8(entry.bytes.data(), entry.bytes.size(), position, &map);
  out << text;
  if (!text.empty() && text.back() != '\n') out << "\n";
  if (entry.cut) out << "[cut after " << kMaxEntryBytes << " bytes: no end of the entry found]\n";
  return 0;
}

int RunShow(const Disc& disc, const std::string& position, std::ostream& out, std::ostream& err) {
  uint32_t at = 0;
  if (!ParseNumber(position, INT32_MAX, &at)) {
    err << "dunmoor: the position must be a decimal byte offset, 0 to 2147483647: " << position << "\n";
    return 2;
  }
  dunmoor::Library library;
  if (int status = OpenBook(&library, disc, err)) return status;
  uint64_t size = 0;
  if (library.Book()->TextFile().Size(&size) && at >= size) {
    err << "dunmoor: position " << at << " lies past the end of the text (" << size << " bytes)\n";
    return 1;
  }
  return PrintEntry(&library, at, out, err);
}

}  // namespace cli
