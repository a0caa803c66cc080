// Where a book is: the disc root (its long path) and the catalog index of the book (-1: the
// first usable one).
#ifndef BRISVANE_VIEWER_WIN_BOOKPLACE_H
#define BRISVANE_VIEWER_WIN_BOOKPLACE_H

#include <cstdint>
#include <string>

namespace brisvane {

struct BookPlace {
  std::wstring path;
  int32_t index = -1;

  bool operator==(const BookPlace& other) const { return path == other.path && index == other.index; }
  bool operator!=(const BookPlace& other) const { return !(*this == other); }
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_BOOKPLACE_H
