#include "SearchCommand.h"

#include <cstring>

#include "BookSession.h"
#include "BookText.h"
#include "SearchWord.h"

namespace cli {

int RunSearch(const Disc& disc, const std::string& word, std::ostream& out, std::ostream& err) {
  booktext::SearchKey key;
  if (!KeyFromWord(word, &key, err)) return 1;
  dunmoor::Library library;
  if (int status = OpenBook(&library, disc, err)) return status;

  WordProperties properties{};
  int32_t result = library.GetWordProperties(key.bytes, &properties);
  if (result == dunmoor::kBadArgument) {
    out << "hits 0\n";
    return 0;
  }
  if (result != dunmoor::kSuccess) {
    err << "dunmoor: the search failed: the book cannot be read (or the disc changed)\n";
    return 1;
  }
  const auto& hits = library.Book()->Hits();
  booktext::GaijiMap map = BookCharacterMap(library);
  out << "hits " << properties.hitCount << "\n";
  char heading[kDunmoorHeadingSize + 1] = {};
  WordItem item{};
  item.text = heading;
  for (int32_t i = 0; i < properties.hitCount && static_cast<size_t>(i) < hits.size(); ++i) {
    if (library.GetWordItem(i, &item) != dunmoor::kSuccess) {
      err << "dunmoor: the heading of hit " << i << " cannot be read\n";
      return 1;
    }
    size_t length = strnlen(heading, kDunmoorHeadingSize);
    out << i << " " << hits[i].textPosition << " " << hits[i].headingPosition << " "
        << BookTextToUtf8(reinterpret_cast<const uint8_t*>(heading), length, &map) << "\n";
  }
  return 0;
}

}  // namespace cli
