// The shelf forms of search and bench: every book a shelf file names, searched in one go.
//
// A shelf file holds one book a line: a disc root, optionally followed by a tab and a catalog
// index (without one, every usable book of that disc). Lines are numbered from 1; empty lines
// are passed over. A book is named "L:C" by its line and catalog index.
#ifndef DUNMOOR_TOOLS_DUNMOOR_SHELFCOMMAND_H
#define DUNMOOR_TOOLS_DUNMOOR_SHELFCOMMAND_H

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "SearchCommand.h"
#include "Shelf.h"

namespace cli {

struct ShelfLine {
  size_t line;     // from 1
  std::string root;
  int32_t index;   // dunmoor::Shelf::kEveryBook when the line names none
};

// Reads the shelf file at path. False with a message on err when it cannot be read; a line
// whose index is not a number is left out with a message naming it.
bool ReadShelfFile(const std::string& path, std::vector<ShelfLine>* lines, std::ostream& err);

// Opens the books of every line; a line whose disc or book does not open gets a message on err
// naming the line, and the others are opened all the same.
void OpenShelf(const std::vector<ShelfLine>& lines, dunmoor::Shelf* shelf, std::ostream& err);

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
