#include "BookTitle_win.h"

#include <windows.h>

#include <algorithm>

#include "BookPaths_win.h"
#include "ShiftJis.h"
#include "TitleDialogRes.h"
#include "ui/ResourceText.h"
#include "ui/ShiftJisText.h"

namespace brisvane {

namespace {

// A catalog counts its entries in 16 bits. epwGetBookInfo answers -1 alike for an index past
// the records and for an unusable record, so every possible index is asked (a call costs
// next to nothing).
constexpr int32_t kMaxCatalogRecords = 65536;
// Records asked one by one whether they are of a kind not read: more than a disc holds.
constexpr int32_t kMaxAskedRecords = 256;

// A title as the book stores it (JIS X 0208, kDunmoorTitleSize bytes) for a Unicode control.
std::wstring TitleFromJis(char* jis) {
  jis[kDunmoorTitleSize - 1] = '\0';
  booktext::JisToSjisInPlace(jis, kDunmoorTitleSize);
  wchar_t wide[kDunmoorTitleSize] = {};
  MultiByteToWideChar(ui::kShiftJisCodePage, 0, jis, -1, wide, kDunmoorTitleSize);
  wide[kDunmoorTitleSize - 1] = L'\0';
  return wide;
}

}  // namespace

bool FindBookTitle(const BookApi& book, const std::wstring& path, std::wstring* title) {
  char jis[kDunmoorTitleSize] = {};
  if (path.empty() || IsBookAt(book, path, jis) != kDunmoorSuccess) return false;
  *title = TitleFromJis(jis);
  return true;
}

std::vector<DiscBook> ListDiscBooks(const BookApi& book, const std::wstring& path) {
  if (path.empty()) return {};
  // Asked of the disc without its catalog loaded: the library's own stays as it is.
  auto unreadable = [&](int32_t index) { return std::max(BookProblemAt(book, path, index, nullptr), 0); };
  std::vector<DiscBook> books;
  if (!book.epwBooksOpenAt) {
    // A library that opens only the first usable book: that one is the disc's book.
    std::wstring first;
    if (FindBookTitle(book, path, &first)) books.push_back({-1, first});
  } else if (OpenCatalogAt(book, path) == kDunmoorSuccess) {
    for (int32_t i = 0; i < kMaxCatalogRecords; ++i) {
      char jis[kDunmoorTitleSize] = {};
      BookInfo info = {0, jis};
      if (book.epwGetBookInfo(i, &info) == kDunmoorSuccess) books.push_back({i, TitleFromJis(jis), unreadable(i)});
    }
    return books;
  }
  if (books.empty() && unreadable(-1) == kDunmoorEbFamily)
    books.push_back({-1, ui::LoadText(IDS_EB_FAMILY_TITLE), kDunmoorEbFamily});
  else if (!books.empty())
    books.front().unreadable = unreadable(0);
  return books;
}

std::wstring UnreadableText(int32_t unreadable) {
  switch (unreadable) {
    case kDunmoorCompressedText: return ui::LoadText(IDS_COMPRESSED_TEXT);
    case kDunmoorEbFamily: return ui::LoadText(IDS_EB_FAMILY);
    default: return {};
  }
}

std::wstring NoReadableBookText(const BookApi& book, const std::wstring& path) {
  if (path.empty()) return {};
  // Asked record by record, without loading the disc's catalog into the library.
  if (BookProblemAt(book, path, -1, nullptr) == kDunmoorEbFamily) return UnreadableText(kDunmoorEbFamily);
  int32_t first = 0;
  for (int32_t i = 0; i < kMaxAskedRecords; ++i) {
    const int32_t problem = BookProblemAt(book, path, i, nullptr);
    if (problem < 0) break;  // past the records, or no catalog
    if (problem == 0) return {};
    if (!first) first = problem;
  }
  return UnreadableText(first);
}

int32_t FirstUsableBook(const BookApi& book) {
  for (int32_t i = 0; i < kMaxCatalogRecords; ++i) {
    char title[kDunmoorTitleSize];
    BookInfo info = {0, title};
    if (book.epwGetBookInfo(i, &info) == kDunmoorSuccess) return i;
  }
  return -1;
}

}  // namespace brisvane
