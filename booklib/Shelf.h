// Books open at once, each in a library instance of its own: the shelf that one search covers.
// The books are searched one after another in shelf order; each keeps its hits in its own
// library (its headings, entries and external characters are read there), and the shelf lists
// the hits book by book, each book's in its own order.
#ifndef DUNMOOR_BOOKLIB_SHELF_H
#define DUNMOOR_BOOKLIB_SHELF_H

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Library.h"

namespace dunmoor {

class Shelf {
 public:
  // The catalog index that stands for every usable book of a disc.
  static constexpr int32_t kEveryBook = -1;

  struct Book {
    size_t place = 0;    // the caller's number for the disc it was added from
    int32_t index = 0;   // its catalog index
    std::unique_ptr<Library> library;
    int32_t hits = 0;       // of the last search
    int32_t result = 0;     // of the last search on it: kSuccess, kBadArgument, kFailed
  };
  struct Hit {
    size_t book;    // in Books()
    int32_t index;  // in that book's hit list
  };
  // What a search does on one book's library: kSuccess with *hits set (0 for none),
  // kBadArgument when the book cannot run it (no such index), kFailed when a read failed.
  using BookSearch = std::function<int32_t(Library& library, int32_t* hits)>;

  // Opens the book of catalog index at root, or with kEveryBook every usable book of that disc,
  // and puts it (them) last on the shelf as books of place. Returns how many opened: 0 when the
  // catalog cannot be read or no book of it opens (*why then says which).
  enum class Refusal { kNone, kNoCatalog, kNoSuchBook, kNotUsable, kDoesNotOpen };
  size_t Add(size_t place, const std::string& root, int32_t index, Refusal* why);

  const std::vector<Book>& Books() const { return books; }
  Library& LibraryOf(size_t book) { return *books[book].library; }

  // Runs search on every book in shelf order and lists their hits in *hits (emptied first).
  // Returns the number of books it ran on (a book that cannot run it or whose read failed
  // counts as not searched; its result says why).
  size_t Search(const BookSearch& search, std::vector<Hit>* hits);

 private:
  std::vector<Book> books;
};

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_SHELF_H
