// Reading the text of the open book through the shared ReadCursor.
//
// Two families work on the one cursor:
//  - raw readers copy as many bytes as the caller's buffer holds, stop at no code, and return
//    the position they read from (GetWordCont, GetWordContNext, GetWordContLast,
//    GetContLastNoSet);
//  - entry-at-a-time readers deliver one entry in buffer-sized pieces and find where it ends
//    (GetWordContent, GetNextContentByWord, GetLastContentByWord): 1 the entry ends in this
//    buffer, 0 the buffer is full and the entry goes on.
//
// Where an entry ends:
//  - rule A (GetWordContent, per hit): at the first entry start code 1F 41 01 after the hit's own
//    one; the hit's seen flag records that its own code has gone by. 1F 03 does not end it.
//  - rule B (next/previous entry, and the link entry reader): at 1F 03, or at the second entry
//    start code of a fresh read, or at the first one of a continuation.
//  - either way, at the end of the text file.
// A piece that would end inside a possible end code (a trailing 1F, or 1F 41) is delivered
// without those bytes: the next piece begins with them, so a code cut by the buffer's end is
// still seen whole. Every piece but the last holds at least one byte, so callers always progress.
//
// Results: positions (raw readers), 1 / 0 (entry readers), -1 no book or a failed disc check,
// seek or read, -2 a null pointer or a hit index outside the hits (raw reader). Every read makes
// the disc check first and never writes more than size bytes into the buffer.
#ifndef DUNMOOR_BOOKLIB_TEXTREADERS_H
#define DUNMOOR_BOOKLIB_TEXTREADERS_H

#include <cstddef>
#include <cstdint>

#include "BookState.h"
#include "ReadCursor.h"

namespace dunmoor {

// The backward entry search reads at most this many 2048-byte blocks.
constexpr int kMaxBackwardBlocks = 200;

class TextReaders {
 public:
  // book may be nullptr (no open book): every reader then fails with -1.
  TextReaders(BookState* book, ReadCursor& cursor) : book(book), cursor(cursor) {}

  int32_t GetWordCont(int32_t index, char* buffer, uint32_t size, uint32_t* length);
  int32_t GetWordContNext(char* buffer, uint32_t size, uint32_t* length);
  int32_t GetWordContLast(char* buffer, uint32_t size, uint32_t* length);
  int32_t GetContLastNoSet(char* buffer, uint32_t size, uint32_t* length);

  int32_t GetWordContent(int32_t index, char* buffer, uint32_t size, uint32_t* length);
  int32_t GetNextContentByWord(char* buffer, uint32_t size, uint32_t* length);
  int32_t GetLastContentByWord(char* buffer, uint32_t size, uint32_t* length);

  // Shared with the reference readers (book and pointers already checked):
  // a raw read of up to size bytes at position; start, next, total and *length move as for
  // every raw reader. The position, or -1.
  int32_t ReadRaw(uint32_t position, char* buffer, uint32_t size, uint32_t* length);
  // One piece of an entry under rule B: from start when more is 0, else on from start + total.
  int32_t ReadEntryPiece(char* buffer, uint32_t size, uint32_t* length);

 private:
  // Disc check, seek and read.
  bool ReadAt(uint32_t position, void* buffer, uint32_t size, uint32_t* got);
  // Start of the last entry start code before position s; false when none can be looked for.
  bool FindEntryBefore(uint32_t s, uint32_t* found);

  BookState* book;
  ReadCursor& cursor;
};

// Rule A over bytes[0..n): offset of the end, or n. Updates *seen.
size_t FindEntryEndOfHit(const uint8_t* bytes, size_t n, uint32_t* seen);
// Rule B over bytes[0..n): offset of the end, or n. continuing: this piece continues an entry.
size_t FindEntryEnd(const uint8_t* bytes, size_t n, bool continuing);
// Number of trailing bytes of bytes[0..n) that may be the beginning of an end code cut by the
// buffer's end (0, 1 or 2), never all of them.
size_t CutCodeTail(const uint8_t* bytes, size_t n);

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_TEXTREADERS_H
