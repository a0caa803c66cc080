#include "Shelf.h"

namespace dunmoor {

size_t Shelf::Add(size_t place, const std::string& root, int32_t index, Refusal* why) {
  *why = Refusal::kNone;
  auto opened = [&](std::unique_ptr<Library> library, int32_t at) {
    Book book;
    book.place = place;
    book.index = at;
    book.library = std::move(library);
    books.push_back(std::move(book));
  };
  auto library = std::make_unique<Library>();
  if (library->OpenEpwing(root.c_str()) != kSuccess) {
    *why = Refusal::kNoCatalog;
    return 0;
  }
  const int32_t records = static_cast<int32_t>(library->Catalog()->size());
  if (index != kEveryBook) {
    if (index < 0 || index >= records) {
      *why = Refusal::kNoSuchBook;
      return 0;
    }
    int32_t result = library->BooksOpenAt(index);
    if (result != kSuccess) {
      *why = result == kBadArgument ? Refusal::kNotUsable : Refusal::kDoesNotOpen;
      return 0;
    }
    opened(std::move(library), index);
    return 1;
  }
  // Every usable book, each in a library of its own (the catalog read again for each).
  size_t count = 0;
  bool anyUsable = false;
  for (int32_t at = 0; at < records; ++at) {
    if (!library) {
      library = std::make_unique<Library>();
      if (library->OpenEpwing(root.c_str()) != kSuccess) break;  // the disc went away meanwhile
    }
    int32_t result = library->BooksOpenAt(at);
    if (result == kBadArgument) continue;
    anyUsable = true;
    if (result != kSuccess) continue;
    opened(std::move(library), at);
    ++count;
  }
  if (count == 0) *why = anyUsable ? Refusal::kDoesNotOpen : Refusal::kNotUsable;
  return count;
}

size_t Shelf::Search(const BookSearch& search, std::vector<Hit>* hits) {
  hits->clear();
  size_t searched = 0;
  for (size_t b = 0; b < books.size(); ++b) {
    Book& book = books[b];
    book.hits = 0;
    book.result = search(*book.library, &book.hits);
    if (book.result != kSuccess) {
      book.hits = 0;
      continue;
    }
    ++searched;
    for (int32_t i = 0; i < book.hits; ++i) hits->push_back({b, i});
  }
  return searched;
}

}  // namespace dunmoor
