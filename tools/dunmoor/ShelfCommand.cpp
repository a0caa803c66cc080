#include "ShelfCommand.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>

#include "BenchCommand.h"
#include "BookSession.h"
#include "BookText.h"

namespace cli {

namespace {

std::string BookName(const std::vector<ShelfLine>& lines, const dunmoor::Shelf::Book& book) {
  return std::to_string(lines[book.place].line) + ":" + std::to_string(book.index);
}

// A message of the other commands without its "dunmoor: " and its newline.
std::string Bare(const std::string& message) {
  std::string text = message.rfind("dunmoor: ", 0) == 0 ? message.substr(9) : message;
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

void LineMessage(size_t line, const std::string& message, std::ostream& err) {
  err << "dunmoor: line " << line << ": " << message << "\n";
}

// Runs the search of kind on every book, with a message for each book passed over. The number
// of books searched.
size_t SearchShelf(const std::vector<ShelfLine>& lines, dunmoor::Shelf* shelf, SearchKind kind,
                   const booktext::SearchKey& key, std::vector<dunmoor::Shelf::Hit>* hits, std::ostream& err) {
  std::vector<std::string> messages(shelf->Books().size());
  size_t at = 0;
  size_t searched = shelf->Search(
      [&](dunmoor::Library& library, int32_t* count) {
        std::ostringstream why;
        int status = RunSearchOn(&library, kind, key, count, why);
        messages[at++] = why.str();
        if (status == 0) return dunmoor::kSuccess;
        return kind == SearchKind::kKeyword && !(library.GetSearchModes() & kDunmoorKeywordSearch)
                   ? dunmoor::kBadArgument
                   : dunmoor::kFailed;
      },
      hits);
  for (size_t b = 0; b < messages.size(); ++b) {
    if (messages[b].empty()) continue;
    const dunmoor::Shelf::Book& book = shelf->Books()[b];
    LineMessage(lines[book.place].line, "book " + std::to_string(book.index) + ": " + Bare(messages[b]), err);
  }
  return searched;
}

// Reads the shelf file and opens its books: false (exit status 1) when no book opened.
bool OpenedShelf(const std::string& path, std::vector<ShelfLine>* lines, dunmoor::Shelf* shelf, std::ostream& err) {
  if (!ReadShelfFile(path, lines, err)) return false;
  OpenShelf(*lines, shelf, err);
  if (shelf->Books().empty()) {
    err << "dunmoor: no book of the shelf " << path << " opens\n";
    return false;
  }
  return true;
}

}  // namespace

bool ReadShelfFile(const std::string& path, std::vector<ShelfLine>* lines, std::ostream& err) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    err << "dunmoor: the shelf file " << path << " cannot be read\n";
    return false;
  }
  lines->clear();
  std::string text;
  for (size_t number = 1; std::getline(file, text); ++number) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.empty()) continue;
    ShelfLine line{number, text, dunmoor::Shelf::kEveryBook};
    size_t tab = text.rfind('\t');
    if (tab != std::string::npos) {
      uint32_t index = 0;
      if (!ParseNumber(text.substr(tab + 1), INT32_MAX, &index)) {
        LineMessage(number, "a catalog index (a number from 0) must follow the tab", err);
        continue;
      }
      line.root = text.substr(0, tab);
      line.index = static_cast<int32_t>(index);
    }
    lines->push_back(std::move(line));
  }
  return true;
}

void OpenShelf(const std::vector<ShelfLine>& lines, dunmoor::Shelf* shelf, std::ostream& err) {
  for (size_t place = 0; place < lines.size(); ++place) {
    const ShelfLine& line = lines[place];
    dunmoor::Shelf::Refusal why = dunmoor::Shelf::Refusal::kNone;
    if (shelf->Add(place, line.root, line.index, &why) > 0) continue;
    const bool every = line.index == dunmoor::Shelf::kEveryBook;
    const std::string book = "book " + std::to_string(line.index);
    switch (why) {
      case dunmoor::Shelf::Refusal::kNoCatalog:
        LineMessage(line.line, Bare(NoCatalogMessage(line.root)), err);
        break;
      case dunmoor::Shelf::Refusal::kNoSuchBook:
        LineMessage(line.line, "the catalog at " + line.root + " has no " + book, err);
        break;
      case dunmoor::Shelf::Refusal::kNotUsable:
        LineMessage(line.line, every ? "the catalog at " + line.root + " lists no usable book"
                                     : book + " of " + line.root + " is not usable",
                    err);
        break;
      default:
        LineMessage(line.line, (every ? "no book of " + line.root : book + " of " + line.root) +
                                   " opens (its text file is missing or damaged)",
                    err);
        break;
    }
  }
}

int RunShelfSearch(const std::string& path, SearchKind kind, const std::vector<std::string>& words,
                   std::ostream& out, std::ostream& err) {
  booktext::SearchKey key;
  if (!KeyForSearch(kind, words, &key, err)) return kind == SearchKind::kKeyword ? 2 : 1;
  std::vector<ShelfLine> lines;
  dunmoor::Shelf shelf;
  if (!OpenedShelf(path, &lines, &shelf, err)) return 1;
  std::vector<dunmoor::Shelf::Hit> hits;
  if (SearchShelf(lines, &shelf, kind, key, &hits, err) == 0) return 1;

  out << "hits " << hits.size() << "\n";
  char heading[kDunmoorHeadingSize + 1] = {};
  WordItem item{};
  item.text = heading;
  size_t mapOf = SIZE_MAX;
  booktext::GaijiMap map;
  for (const dunmoor::Shelf::Hit& hit : hits) {
    dunmoor::Library& library = shelf.LibraryOf(hit.book);
    if (mapOf != hit.book) {
      map = BookCharacterMap(library);
      mapOf = hit.book;
    }
    const dunmoor::HitRecord& record = library.Book()->Hits()[static_cast<size_t>(hit.index)];
    std::string name = BookName(lines, shelf.Books()[hit.book]);
    if (library.GetWordItem(hit.index, &item) != dunmoor::kSuccess) {
      err << "dunmoor: the heading of hit " << hit.index << " of book " << name << " cannot be read\n";
      return 1;
    }
    size_t length = strnlen(heading, kDunmoorHeadingSize);
    out << name << " " << hit.index << " " << record.textPosition << " " << record.headingPosition << " "
        << BookTextToUtf8(reinterpret_cast<const uint8_t*>(heading), length, &map) << "\n";
  }
  return 0;
}

int RunShelfBench(const std::string& path, SearchKind kind, const std::string& word, const std::string& repeatText,
                  const std::string& headingsText, std::ostream& out, std::ostream& err) {
  uint32_t repeat = 0, headings = 0;
  if (!ParseBenchCounts(repeatText, headingsText, &repeat, &headings, err)) return 2;
  booktext::SearchKey key;
  if (!KeyForSearch(kind, {word}, &key, err)) return 1;
  std::vector<ShelfLine> lines;
  dunmoor::Shelf shelf;
  if (!OpenedShelf(path, &lines, &shelf, err)) return 1;

  char heading[kDunmoorHeadingSize];
  WordItem item{};
  item.text = heading;
  std::vector<dunmoor::Shelf::Hit> hits;
  size_t searched = 0;
  std::ostringstream quiet;  // each book's message once, from the first search
  auto begin = std::chrono::steady_clock::now();
  for (uint32_t r = 0; r < repeat; ++r) {
    searched = SearchShelf(lines, &shelf, kind, key, &hits, r == 0 ? err : quiet);
    if (searched == 0) return 1;
    for (size_t b = 0; b < shelf.Books().size(); ++b) {
      int32_t count = std::min<int64_t>(shelf.Books()[b].hits, headings);
      for (int32_t i = 0; i < count; ++i) {
        if (shelf.LibraryOf(b).GetWordItem(i, &item) != dunmoor::kSuccess) {
          err << "dunmoor: the heading of hit " << i << " of book " << BookName(lines, shelf.Books()[b])
              << " cannot be read\n";
          return 1;
        }
      }
    }
  }
  auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - begin);
  out << "bench books=" << searched << " hits=" << hits.size() << " repeat=" << repeat
      << " ns_per_search=" << elapsed.count() / repeat << "\n";
  return 0;
}

}  // namespace cli
