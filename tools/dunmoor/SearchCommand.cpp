#include "SearchCommand.h"

#include <cstring>

#include "BookSession.h"
#include "BookText.h"
#include "FullTextSearch.h"
#include "KeywordSearch.h"
#include "LibraryCalls.h"
#include "SearchWord.h"

namespace cli {

const char kReadFailedMessage[] = "dunmoor: the search failed: the book cannot be read (or the disc changed)\n";

bool KeyForSearch(SearchKind kind, const std::vector<std::string>& words, booktext::SearchKey* key, std::ostream& err) {
  std::string joined;
  for (const std::string& word : words) joined += (joined.empty() ? "" : " ") + word;
  if (!KeyFromWord(joined, key, err)) return false;
  if (kind == SearchKind::kKeyword) {
    size_t count = dunmoor::KeywordsOf(dunmoor::CharactersOf(key->bytes)).size();
    if (count == 0 || count > kDunmoorMostKeywords) {
      err << "dunmoor: a keyword search takes 1 to " << kDunmoorMostKeywords << " words\n";
      return false;
    }
  }
  if (kind == SearchKind::kFullText && dunmoor::FullTextWordOf(dunmoor::CharactersOf(key->bytes)).empty()) {
    err << "dunmoor: a full-text search takes a word of 1 to " << dunmoor::kMaxFullTextKeyBytes / 2
        << " characters\n";
    return false;
  }
  return true;
}

std::string CannotSearch(search::BookCalls& calls, SearchKind kind) {
  return search::Offers(calls.SearchModes(), kind) ? std::string() : "dunmoor: this book has no keyword index\n";
}

int RunToEnd(search::SearchJob& job, std::ostream& err) {
  search::JobStep step;
  while ((step = job.Step()) == search::JobStep::kGoesOn) {
  }
  if (step != search::JobStep::kFailed) return 0;
  err << kReadFailedMessage;
  return 1;
}

int RunSearchOn(search::BookCalls& calls, SearchKind kind, const booktext::SearchKey& key, int32_t* hits,
                std::ostream& err) {
  if (std::string why = CannotSearch(calls, kind); !why.empty()) {
    err << why;
    return 1;
  }
  search::BookJob job(calls, kind, key);
  if (int status = RunToEnd(job, err)) return status;
  *hits = job.Found();
  return 0;
}

bool PrintHit(search::SearchJob& job, int32_t index, const std::string& book, const booktext::GaijiMap& map,
              std::ostream& out, std::ostream& err) {
  search::HitPlace place;
  std::string heading;
  if (job.Place(index, &place) != kDunmoorSuccess || job.Heading(index, &heading) != kDunmoorSuccess) {
    err << "dunmoor: the heading of hit " << (book.empty() ? std::to_string(index) : std::to_string(place.index) + " of book " + book)
        << " cannot be read\n";
    return false;
  }
  // The heading as far as its first zero byte.
  const size_t length = strnlen(heading.c_str(), heading.size());
  out << (book.empty() ? "" : book + " ") << place.index << " " << place.textPosition << " " << place.headingPosition << " "
      << BookTextToUtf8(reinterpret_cast<const uint8_t*>(heading.data()), length, &map) << "\n";
  return true;
}

int RunSearch(const Disc& disc, SearchKind kind, const std::vector<std::string>& words, std::ostream& out,
              std::ostream& err) {
  booktext::SearchKey key;
  if (!KeyForSearch(kind, words, &key, err)) return kind == SearchKind::kKeyword ? 2 : 1;
  dunmoor::Library library;
  if (int status = OpenBook(&library, disc, err)) return status;

  LibraryCalls calls(library);
  if (std::string why = CannotSearch(calls, kind); !why.empty()) {
    err << why;
    return 1;
  }
  search::BookJob job(calls, kind, key);
  if (int status = RunToEnd(job, err)) return status;
  booktext::GaijiMap map = BookCharacterMap(library);
  out << "hits " << job.Found() << "\n";
  for (int32_t i = 0; i < job.Found(); ++i)
    if (!PrintHit(job, i, "", map, out, err)) return 1;
  return 0;
}

}  // namespace cli
