#include "AroundCommand.h"

#include <vector>

#include "BookSession.h"
#include "BookText.h"
#include "SearchCommand.h"
#include "SearchWord.h"

namespace cli {

int RunAround(const Disc& disc, const std::string& word, const std::string& countText, std::ostream& out,
              std::ostream& err) {
  uint32_t count = 0;
  if (!ParseNumber(countText, kDunmoorMostAround, &count)) {
    err << "dunmoor: around takes a count of keys from 0 to " << kDunmoorMostAround << "\n";
    return 2;
  }
  booktext::SearchKey key;
  if (!KeyFromWord(word, &key, err)) return 1;
  dunmoor::Library library;
  if (int status = OpenBook(&library, disc, err)) return status;
  WordProperties properties{};
  int32_t place = 0;
  std::vector<dunmoor::IndexKey> keys;
  const int32_t result =
      library.GetWordsAround(key.bytes, -1, static_cast<int32_t>(count), &properties, &place, &keys);
  if (result == kDunmoorFailed) {
    err << kReadFailedMessage;
    return 1;
  }
  if (result != kDunmoorSuccess) {
    err << "dunmoor: no word index of this book holds keys for " << word << " (a word with '*' has none)\n";
    return 1;
  }
  out << "keys " << keys.size() << " place " << place << "\n";
  for (size_t i = 0; i < keys.size(); ++i) {
    out << i << " " << keys[i].textPosition << " " << keys[i].headingPosition << " "
        << BookTextToUtf8(keys[i].key.data(), keys[i].key.size(), nullptr) << "\n";
  }
  return 0;
}

}  // namespace cli
