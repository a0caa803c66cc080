#include "ShelfBooks.h"

#include <algorithm>
#include <cwctype>

namespace brisvane {

namespace {

bool Blank(wchar_t c) { return c == L' ' || c == L'\x3000' || c == L'\t'; }

std::wstring Trimmed(const std::wstring& text) {
  size_t first = 0, last = text.size();
  while (first < last && Blank(text[first])) ++first;
  while (last > first && Blank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// The root for comparing: lower case ASCII, no last backslash.
std::wstring Folded(std::wstring root) {
  while (!root.empty() && (root.back() == L'\\' || root.back() == L'/')) root.pop_back();
  for (wchar_t& c : root)
    if (c < 0x80) c = static_cast<wchar_t>(std::towlower(c));
  return root;
}

}  // namespace

std::wstring ShortName(const std::wstring& title) {
  // A tab, a line end or a NUL would split the line the name is kept in, or the list of lines.
  std::wstring name = title;
  for (wchar_t& c : name)
    if (c < L' ') c = L' ';
  name = Trimmed(name);
  if (name.size() > kShortNameLength) {
    // Room is left for the "…" that says the name goes on; a blank in the second half of what is
    // kept ends a word there, and the cut is made at it.
    name.resize(kShortNameLength - 1);
    if (name.back() >= 0xD800 && name.back() <= 0xDBFF) name.pop_back();  // half a character
    size_t blank = name.size();
    while (blank > kShortNameLength / 2 && !Blank(name[blank - 1])) --blank;
    if (blank > kShortNameLength / 2) name.resize(blank);
    name = Trimmed(name) + L"\x2026";
  }
  return name.empty() ? L"?" : name;
}

std::wstring FolderName(const std::wstring& root) {
  std::wstring path = root;
  while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

void NameApart(std::vector<ShelfBook>* books, size_t added) {
  if (added >= books->size()) return;
  ShelfBook& book = (*books)[added];
  for (size_t i = 0; i < books->size(); ++i) {
    ShelfBook& other = (*books)[i];
    if (i == added || other.name != book.name) continue;
    std::wstring mine = FolderName(book.root), theirs = FolderName(other.root);
    if (Folded(mine) == Folded(theirs)) {
      mine += std::to_wstring(book.index + 1);
      theirs += std::to_wstring(other.index + 1);
    }
    book.name = ShortName(mine);
    other.name = ShortName(theirs);
  }
}

std::vector<std::wstring> ShelfLines(const std::vector<ShelfBook>& books) {
  std::vector<std::wstring> lines;
  for (const ShelfBook& book : books) {
    std::wstring name = book.name;
    std::replace(name.begin(), name.end(), L'\t', L' ');
    lines.push_back(std::wstring(book.ticked ? L"1" : L"0") + L"\t" + std::to_wstring(book.index) + L"\t" + book.root +
                    L"\t" + name);
  }
  return lines;
}

std::vector<ShelfBook> ShelfBooksOf(const std::vector<std::wstring>& lines) {
  std::vector<ShelfBook> books;
  for (const std::wstring& line : lines) {
    size_t first = line.find(L'\t');
    size_t second = first == std::wstring::npos ? first : line.find(L'\t', first + 1);
    size_t third = second == std::wstring::npos ? second : line.find(L'\t', second + 1);
    if (third == std::wstring::npos || first != 1 || (line[0] != L'0' && line[0] != L'1')) continue;
    std::wstring index = line.substr(first + 1, second - first - 1);
    if (index.empty() || index.size() > 4 || !std::all_of(index.begin(), index.end(), iswdigit)) continue;
    ShelfBook book;
    book.ticked = line[0] == L'1';
    book.index = std::stoi(index);
    book.root = line.substr(second + 1, third - second - 1);
    book.name = ShortName(line.substr(third + 1));
    // No path holds a control character: such a root is no disc.
    if (book.root.empty() || std::any_of(book.root.begin(), book.root.end(), [](wchar_t c) { return c < L' '; }))
      continue;
    AddToShelf(&books, book);
  }
  return books;
}

bool SameShelfBook(const ShelfBook& a, const std::wstring& root, int32_t index) {
  return a.index == index && Folded(a.root) == Folded(root);
}

bool AddToShelf(std::vector<ShelfBook>* books, const ShelfBook& book) {
  for (const ShelfBook& held : *books)
    if (SameShelfBook(held, book.root, book.index)) return false;
  books->push_back(book);
  return true;
}

}  // namespace brisvane
