#include "ShelfCommand.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <sstream>

#include "BenchCommand.h"
#include "BookSession.h"
#include "BookText.h"

namespace cli {

namespace {

std::string BookName(const std::vector<ShelfLine>& lines, const ShelfBooks::Book& book) {
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

// Runs the search to its end, with a message for each book passed over. The number of books
// searched.
int SearchShelf(const std::vector<ShelfLine>& lines, ShelfBooks& shelf, search::ShelfJob& job, SearchKind kind,
                std::ostream& err) {
  while (job.Step() != search::JobStep::kDone) {
  }
  for (size_t b = 0; b < shelf.Count(); ++b) {
    std::string why;
    if (job.Outcome(b) == search::BookOutcome::kCannotSearch) why = CannotSearch(*shelf.Open(b), kind);
    if (job.Outcome(b) == search::BookOutcome::kReadFailed) why = kReadFailedMessage;
    if (why.empty()) continue;
    const ShelfBooks::Book& book = shelf.Books()[b];
    LineMessage(lines[book.place].line, "book " + std::to_string(book.index) + ": " + Bare(why), err);
  }
  return job.Count(search::BookOutcome::kSearched);
}

// Reads the shelf file and opens its books: false (exit status 1) when no book opened.
bool OpenedShelf(const std::string& path, std::vector<ShelfLine>* lines, ShelfBooks* shelf, std::ostream& err) {
  if (!ReadShelfFile(path, lines, err)) return false;
  OpenShelf(*lines, shelf, err);
  if (shelf->Books().empty()) {
    err << "dunmoor: no book of the shelf " << path << " opens\n";
    return false;
  }
  return true;
}

}  // namespace

void ShelfBooks::Opened(size_t place, int32_t index, std::unique_ptr<dunmoor::Library> library) {
  Book book;
  book.place = place;
  book.index = index;
  book.calls = std::make_unique<LibraryCalls>(*library);
  book.library = std::move(library);
  books.push_back(std::move(book));
}

size_t ShelfBooks::Add(size_t place, const std::string& root, int32_t index, Refusal* why) {
  *why = Refusal::kNone;
  auto library = std::make_unique<dunmoor::Library>();
  if (library->OpenEpwing(root.c_str()) != kDunmoorSuccess) {
    *why = Refusal::kNoCatalog;
    return 0;
  }
  const int32_t records = static_cast<int32_t>(library->Catalog()->size());
  if (index != ShelfLine::kEveryBook) {
    if (index < 0 || index >= records) {
      *why = Refusal::kNoSuchBook;
      return 0;
    }
    int32_t result = library->BooksOpenAt(index);
    if (result != kDunmoorSuccess) {
      *why = result == kDunmoorRefused ? Refusal::kNotUsable : Refusal::kDoesNotOpen;
      return 0;
    }
    Opened(place, index, std::move(library));
    return 1;
  }
  // Every usable book, each in a library of its own (the catalog read again for each).
  size_t count = 0;
  bool anyUsable = false;
  for (int32_t at = 0; at < records; ++at) {
    if (!library) {
      library = std::make_unique<dunmoor::Library>();
      if (library->OpenEpwing(root.c_str()) != kDunmoorSuccess) break;  // the disc went away meanwhile
    }
    int32_t result = library->BooksOpenAt(at);
    if (result == kDunmoorRefused) continue;
    anyUsable = true;
    if (result != kDunmoorSuccess) continue;
    Opened(place, at, std::move(library));
    ++count;
  }
  if (count == 0) *why = anyUsable ? Refusal::kDoesNotOpen : Refusal::kNotUsable;
  return count;
}

bool ReadShelfFile(const std::string& path, std::vector<ShelfLine>* lines, std::ostream& err) {
  std::string whole;
  if (!ReadPathFile(path, &whole)) {
    err << "dunmoor: the shelf file " << path << " cannot be read\n";
    return false;
  }
  std::istringstream file(whole);
  lines->clear();
  std::string text;
  for (size_t number = 1; std::getline(file, text); ++number) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.empty()) continue;
    ShelfLine line{number, text, ShelfLine::kEveryBook};
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

void OpenShelf(const std::vector<ShelfLine>& lines, ShelfBooks* shelf, std::ostream& err) {
  for (size_t place = 0; place < lines.size(); ++place) {
    const ShelfLine& line = lines[place];
    ShelfBooks::Refusal why = ShelfBooks::Refusal::kNone;
    if (shelf->Add(place, line.root, line.index, &why) > 0) continue;
    const bool every = line.index == ShelfLine::kEveryBook;
    const std::string book = "book " + std::to_string(line.index);
    switch (why) {
      case ShelfBooks::Refusal::kNoCatalog:
        LineMessage(line.line, Bare(NoCatalogMessage(line.root)), err);
        break;
      case ShelfBooks::Refusal::kNoSuchBook:
        LineMessage(line.line, "the catalog at " + line.root + " has no " + book, err);
        break;
      case ShelfBooks::Refusal::kNotUsable:
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
  ShelfBooks shelf;
  if (!OpenedShelf(path, &lines, &shelf, err)) return 1;
  // The books stay open: every hit is asked of its book as it is printed.
  search::ShelfJob job(shelf, kind, key, 0);
  if (SearchShelf(lines, shelf, job, kind, err) == 0) return 1;

  out << "hits " << job.Found() << "\n";
  for (size_t b = 0; b < shelf.Count(); ++b) {
    if (job.Outcome(b) != search::BookOutcome::kSearched) continue;
    const booktext::GaijiMap map = BookCharacterMap(*shelf.Books()[b].library);
    const std::string name = BookName(lines, shelf.Books()[b]);
    for (int32_t i = job.FirstHitOf(b); i < job.FirstHitOf(b) + job.HitsOf(b); ++i)
      if (!PrintHit(job, i, name, map, out, err)) return 1;
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
  ShelfBooks shelf;
  if (!OpenedShelf(path, &lines, &shelf, err)) return 1;

  std::string heading;
  int searched = 0;
  int32_t hits = 0;
  std::ostringstream quiet;  // each book's message once, from the first search
  auto begin = std::chrono::steady_clock::now();
  for (uint32_t r = 0; r < repeat; ++r) {
    search::ShelfJob job(shelf, kind, key, 0);
    searched = SearchShelf(lines, shelf, job, kind, r == 0 ? err : quiet);
    if (searched == 0) return 1;
    hits = job.Found();
    for (size_t b = 0; b < shelf.Count(); ++b) {
      const int32_t first = job.FirstHitOf(b), count = std::min<int64_t>(job.HitsOf(b), headings);
      for (int32_t i = first; i < first + count; ++i) {
        if (job.Heading(i, &heading) != kDunmoorSuccess) {
          err << "dunmoor: the heading of hit " << i - first << " of book " << BookName(lines, shelf.Books()[b])
              << " cannot be read\n";
          return 1;
        }
      }
    }
  }
  auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - begin);
  out << "bench books=" << searched << " hits=" << hits << " repeat=" << repeat
      << " ns_per_search=" << elapsed.count() / repeat;
  if (kind == SearchKind::kFullText) {
    // The baseline of a full-text shelf, which scans two books at a time: each book searched
    // alone, one after the other, in the same run.
    int32_t alone = 0;
    begin = std::chrono::steady_clock::now();
    for (uint32_t r = 0; r < repeat; ++r) {
      alone = 0;
      for (size_t b = 0; b < shelf.Count(); ++b) {
        search::BookJob job(*shelf.Open(b), kind, key);
        while (job.Step() == search::JobStep::kGoesOn) {
        }
        alone += job.Found();
      }
    }
    elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - begin);
    out << " one_by_one_hits=" << alone << " one_by_one_ns=" << elapsed.count() / repeat;
  }
  out << "\n";
  return 0;
}

}  // namespace cli
