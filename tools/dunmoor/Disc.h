// The disc a command reads and which of its books: "dunmoor COMMAND [--book N] ROOT ...".
#ifndef DUNMOOR_TOOLS_DUNMOOR_DISC_H
#define DUNMOOR_TOOLS_DUNMOOR_DISC_H

#include <cstdint>
#include <string>
#include <utility>

namespace cli {

// A disc root and the book of it that a command reads.
struct Disc {
  static constexpr int32_t kFirstUsable = -1;

  Disc(std::string root, int32_t book = kFirstUsable) : root(std::move(root)), book(book) {}
  Disc(const char* root) : root(root) {}

  std::string root;
  int32_t book = kFirstUsable;  // catalog index
};

}  // namespace cli

#endif  // DUNMOOR_TOOLS_DUNMOOR_DISC_H
