// References to other places in the book, reading from a given position, and the menu.
//
// A reference code block, as callers pass it (never more than kMaxReferenceBlock bytes):
//
//   1F 42 (or 1F 43)   start code
//   ...                anchor text
//   1F 62 (or 1F 63)   end code
//   6 bytes            BCD target position: block (4 bytes), offset (2 bytes)
//
// The end code and its position bytes must lie within the first kMaxReferenceBlock bytes; the
// search for it never goes further, and stops at the first end code.
#ifndef DUNMOOR_BOOKLIB_REFERENCES_H
#define DUNMOOR_BOOKLIB_REFERENCES_H

#include <cstddef>
#include <cstdint>

#include "BookState.h"
#include "ReadCursor.h"

namespace dunmoor {

constexpr size_t kMaxReferenceBlock = 128;
// Index identifier of the book's menu in the index table.
constexpr uint8_t kMenuIndexId = 0x01;

enum class ReferenceCheck {
  kTarget,        // *target holds the target position
  kNoEscape,      // the block does not begin with 0x1F
  kNoReference,   // the code is not a reference start code (of a kind allowed)
  kMalformed,     // no end code with its position within reach, or a position outside the file
};

// Decodes the target position of the reference code block. secondKind: 1F 43 .. 1F 63 counts
// as a reference too. Reads at most kMaxReferenceBlock bytes of code.
ReferenceCheck DecodeReference(const uint8_t* code, bool secondKind, uint32_t* target);

class References {
 public:
  // book may be nullptr (no open book): every reader then fails with -1.
  References(BookState* book, ReadCursor& cursor) : book(book), cursor(cursor) {}

  // Up to size bytes from the reference's target; the target position, -2 for a block that is
  // no reference ("SuperLink Error1"/"SuperLink Error2" shown for a wrong start code) or a
  // malformed one, -1 no book or a failed disc check, seek or read.
  int32_t GetLinkContent(const char* code, char* buffer, uint32_t size, uint32_t* length);
  // Up to size bytes from position; the position, -2 for a negative one, -1 as above.
  int32_t GetLinkContByPt(int32_t position, char* buffer, uint32_t size, uint32_t* length);
  // The entry at a 1F 42 reference's target a piece at a time (rule B): 1, 0, -2, -1. While
  // a piece goes on, the next call continues it whatever block it is given.
  int32_t GetLinkContentEntry(const char* code, char* buffer, uint32_t size, uint32_t* length);
  // Position of the menu: the first index descriptor of kMenuIndexId. -2 none (or a page outside
  // the file's positions), -1 no book.
  int32_t GetMenuHead();

 private:
  BookState* book;
  ReadCursor& cursor;
};

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_REFERENCES_H
