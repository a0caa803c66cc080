#include "SearchCommand.h"

#include <cstring>

#include "BookSession.h"
#include "BookText.h"
#include "KeywordSearch.h"
#include "SearchWord.h"

namespace cli {

bool KeyForSearch(SearchKind kind, const std::vector<std::string>& words, booktext::SearchKey* key, std::ostream& err) {
  std::string joined;
  for (const std::string& word : words) joined += (joined.empty() ? "" : " ") + word;
  if (!KeyFromWord(joined, key, err)) return false;
  if (kind == SearchKind::kKeyword) {
    size_t count = dunmoor::KeywordsOf(dunmoor::CharactersOf(key->bytes)).size();
    if (count == 0 || count > dunmoor::kMaxKeywords) {
      err << "dunmoor: a keyword search takes 1 to " << dunmoor::kMaxKeywords << " words\n";
      return false;
    }
  }
  if (kind == SearchKind::kText && dunmoor::FullTextWordOf(dunmoor::CharactersOf(key->bytes)).empty()) {
    err << "dunmoor: a full-text search takes a word of 1 to " << dunmoor::kMaxFullTextKeyBytes / 2
        << " characters\n";
    return false;
  }
  return true;
}

int RunSearchOn(dunmoor::Library* library, SearchKind kind, booktext::SearchKey key, int32_t* hits, std::ostream& err) {
  WordProperties properties{};
  int32_t result = dunmoor::kBadArgument;
  switch (kind) {
    case SearchKind::kHeadword:
      result = library->GetWordProperties(key.bytes, &properties);
      break;
    case SearchKind::kKeyword:
      if (!(library->GetSearchModes() & kDunmoorKeywordSearch)) {
        err << "dunmoor: this book has no keyword index\n";
        return 1;
      }
      result = library->SearchKeywords(key.bytes, &properties);
      break;
    case SearchKind::kText:
      result = library->BeginFullText(key.bytes);
      if (result == dunmoor::kSuccess) {
        do {
          result = library->NextFullText(&properties);
        } while (result == dunmoor::kGoesOn);
      }
      break;
  }
  if (result == dunmoor::kFailed) {
    err << "dunmoor: the search failed: the book cannot be read (or the disc changed)\n";
    return 1;
  }
  *hits = result == dunmoor::kSuccess ? properties.hitCount : 0;
  return 0;
}

int RunSearch(const Disc& disc, SearchKind kind, const std::vector<std::string>& words, std::ostream& out,
              std::ostream& err) {
  booktext::SearchKey key;
  if (!KeyForSearch(kind, words, &key, err)) return kind == SearchKind::kKeyword ? 2 : 1;
  dunmoor::Library library;
  if (int status = OpenBook(&library, disc, err)) return status;

  int32_t count = 0;
  if (int status = RunSearchOn(&library, kind, key, &count, err)) return status;
  const auto& hits = library.Book()->Hits();
  booktext::GaijiMap map = BookCharacterMap(library);
  out << "hits " << count << "\n";
  char heading[kDunmoorHeadingSize + 1] = {};
  WordItem item{};
  item.text = heading;
  for (int32_t i = 0; i < count && static_cast<size_t>(i) < hits.size(); ++i) {
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
