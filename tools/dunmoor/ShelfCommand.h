// The shelf forms of search and bench: every book a shelf file names, searched in one go.
//
// A shelf file holds one book a line: a disc root, optionally followed by a tab and a catalog
// index (without one, every usable book of that disc). Lines are numbered from 1; empty lines
// are passed over. A book is named "L:C" by its line and catalog index.
#ifndef DUNMOOR_TOOLS_DUNMOOR_SHELFCOMMAND_H
#define DUNMOOR_TOOLS_DUNMOOR_SHELFCOMMAND_H

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "Library.h"
#include "LibraryCalls.h"
#include "SearchCommand.h"
#include "ShelfJob.h"

namespace cli {

struct ShelfLine {
  static constexpr int32_t kEveryBook = -1;  // the line names no catalog index
  size_t line;     // from 1
  std::string root;
  int32_t index;   // kEveryBook when the line names none
};

// The books of a shelf file, each open in a library instance of its own, in the file's order.
class ShelfBooks : public search::ShelfSource {
 public:
  struct Book {
    size_t place = 0;   // the shelf line it came from (index into the lines)
    int32_t index = 0;  // its catalog index
    std::unique_ptr<dunmoor::Library> library;
    std::unique_ptr<LibraryCalls> calls;
  };
  // Why a line opened no book.
  enum class Refusal { kNone, kNoCatalog, kNoSuchBook, kNotUsable, kDoesNotOpen };

  // Opens the book of catalog index at root, or with ShelfLine::kEveryBook every usable book of
  // that disc, and puts it (them) last as books of place. Returns how many opened: 0 when the
  // catalog cannot be read or no book of it opens (*why then says which).
  size_t Add(size_t place, const std::string& root, int32_t index, Refusal* why);
  const std::vector<Book>& Books() const { return books; }

  // search::ShelfSource: every book is ticked and stays open.
  size_t Count() const override { return books.size(); }
  bool Ticked(size_t) const override { return true; }
  search::BookCalls* Open(size_t book) override { return books[book].calls.get(); }
  search::BookCalls* Reopen(size_t) override { return nullptr; }

 private:
  void Opened(size_t place, int32_t index, std::unique_ptr<dunmoor::Library> library);

  std::vector<Book> books;
};

// Reads the shelf file at path. False with a message on err when it cannot be read; a line
// whose index is not a number is left out with a message naming it.
bool ReadShelfFile(const std::string& path, std::vector<ShelfLine>* lines, std::ostream& err);

// Opens the books of every line; a line whose disc or book does not open gets a message on err
// naming the line, and the others are opened all the same.
void OpenShelf(const std::vector<ShelfLine>& lines, ShelfBooks* shelf, std::ostream& err);

// search --shelf: prints "hits N", then one line a hit: "L:C INDEX TEXTPOS HEADPOS HEADING" (INDEX
// the hit's number in its book's list), books in shelf order. A book that cannot run the
// search (no keyword index) or whose read fails gets a message and is passed over. Returns 0
// when at least one book was searched; 1 when none was (or the file cannot be read), 2 for a
// keyword search of no word or more than 5.
int RunShelfSearch(const std::string& path, SearchKind kind, const std::vector<std::string>& words,
                   std::ostream& out, std::ostream& err);

// bench --shelf: opens the shelf once, then repeat times searches every book for word and reads
// the first `headings` headings of each book's hits. Prints
// "bench books=B hits=N repeat=R ns_per_search=X", X the mean time of one shelf search with
// its headings. Exit status as for search --shelf.
int RunShelfBench(const std::string& path, SearchKind kind, const std::string& word, const std::string& repeat,
                  const std::string& headings, std::ostream& out, std::ostream& err);

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_SHELFCOMMAND_H
