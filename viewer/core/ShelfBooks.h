// The user's shelf: the books one search can cover at once, in the user's order. Each is a disc
// root and a catalog index, with a short name that the headword list shows beside its hits and
// a tick that puts it in the shelf's searches. The settings keep it as one line a book.
#ifndef BRISVANE_VIEWER_CORE_SHELFBOOKS_H
#define BRISVANE_VIEWER_CORE_SHELFBOOKS_H

#include <cstdint>
#include <string>
#include <vector>

namespace brisvane {

struct ShelfBook {
  std::wstring root;   // the disc root as the title dialog lists it ("D:\", "C:\BOOKS\EIWA\")
  int32_t index = 0;   // catalog index
  std::wstring name;   // short name
  bool ticked = true;  // searched when the scope is the shelf
};

// The longest short name made from a title, in characters.
constexpr size_t kShortNameLength = 8;

// A title in kShortNameLength characters at most (control characters made blanks, blanks at
// either end dropped; "?" for none):
// a longer one is cut, at a blank near the end when there is one, and ends with "…".
std::wstring ShortName(const std::wstring& title);

// The last name of a root's path ("EIWA" for "C:\BOOKS\EIWA\"; "D:" for "D:\").
std::wstring FolderName(const std::wstring& root);

// Book added (an index into books) has the name of another book on the shelf, as two books of
// one title do: both are named after their folders instead, and when those are named alike,
// with their catalog index (from 1) after it.
void NameApart(std::vector<ShelfBook>* books, size_t added);

// The books as the settings keep them: "TICK<TAB>INDEX<TAB>ROOT<TAB>NAME" a line (TICK 1 or 0).
std::vector<std::wstring> ShelfLines(const std::vector<ShelfBook>& books);
// The books of such lines; a line that does not read as one is left out, and so is a second
// line for the same book.
std::vector<ShelfBook> ShelfBooksOf(const std::vector<std::wstring>& lines);

// The same book: the same catalog index on the same root (compared without regard to case, and
// with or without its last backslash).
bool SameShelfBook(const ShelfBook& a, const std::wstring& root, int32_t index);

// Puts book last on the shelf unless it is there already; true when it was added.
bool AddToShelf(std::vector<ShelfBook>* books, const ShelfBook& book);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_SHELFBOOKS_H
