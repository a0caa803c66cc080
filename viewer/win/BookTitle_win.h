// Asking Dunmoor whether a path holds a book, for the title and browse dialogs, with the title
// made ready for a Unicode control: the book stores it in JIS X 0208 code, which becomes
// Shift-JIS and then, explicitly through code page 932, UTF-16.
#ifndef BRISVANE_VIEWER_WIN_BOOKTITLE_WIN_H
#define BRISVANE_VIEWER_WIN_BOOKTITLE_WIN_H

#include <cstdint>
#include <string>
#include <vector>

#include "BookApi.h"

namespace brisvane {

// True and *title set when IsEpwBook returns 1 for path; false (title untouched) otherwise,
// also for a path that does not fit the library's 256-byte path.
bool FindBookTitle(const BookApi& book, const std::wstring& path, std::wstring* title);

// One usable book of a disc: its catalog index and title.
struct DiscBook {
  int32_t index;
  std::wstring title;
};

// Every usable book of the disc at path, in catalog order; empty when the path holds none.
// Loads that disc's catalog into the library (the caller reloads its own catalog afterwards).
// With a library that cannot open a book by its index, only the first usable book is listed.
std::vector<DiscBook> ListDiscBooks(const BookApi& book, const std::wstring& path);

// The catalog index of the first usable book of the loaded catalog, -1 when there is none:
// the book that epwBooksOpen opens.
int32_t FirstUsableBook(const BookApi& book);

// Paths travel to the library and the registry as bytes of the local code page.
std::string ToLocalPath(const std::wstring& path);
std::wstring FromLocalPath(const std::string& path);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_BOOKTITLE_WIN_H
