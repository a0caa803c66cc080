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

// True and *title set when IsEpwBook returns 1 for path; false (title untouched) otherwise.
bool FindBookTitle(const BookApi& book, const std::wstring& path, std::wstring* title);

// One usable book of a disc: its catalog index and title, and when it is of a kind the library
// knows of and does not read, which (kDunmoorCompressedText, kDunmoorEbFamily; else 0).
struct DiscBook {
  int32_t index;
  std::wstring title;
  int32_t unreadable = 0;
};

// Every usable book of the disc at path, in catalog order; empty when the path holds none.
// Loads that disc's catalog into the library (the caller reloads its own catalog afterwards).
// With a library that cannot open a book by its index, only the first usable book is listed.
// The books of kinds not read come too (an EB-family disc as one book of index -1, titled
// 電子ブック): callers that open books leave them out.
std::vector<DiscBook> ListDiscBooks(const BookApi& book, const std::wstring& path);
// What the user is told of a book of a kind not read (kDunmoorCompressedText, kDunmoorEbFamily);
// empty for 0.
std::wstring UnreadableText(int32_t unreadable);
// Why the disc at path holds no book that opens, when every record of its catalog is a book of a
// kind not read (or it is an EB-family disc): that text; empty otherwise. The library's own
// catalog stays loaded.
std::wstring NoReadableBookText(const BookApi& book, const std::wstring& path);

// The catalog index of the first usable book of the loaded catalog, -1 when there is none:
// the book that epwBooksOpen opens.
int32_t FirstUsableBook(const BookApi& book);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_BOOKTITLE_WIN_H
