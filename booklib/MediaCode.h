// What pictures and sound share: reading a graphic or sound code inside the caller's copy of
// the entry text.
//
// A code block, as callers pass it: the start code (fixed part), the caption text, the end code
// and, for a monochrome graphic, the 6 BCD position bytes after 1F 64. The block's length is not
// passed, so the search for the end code is bounded: the end code must begin within
// kMaxCaptionBytes bytes after the fixed part (the caption a book may write; what is handed back
// is cut to the caller's buffer), so that no search reads more than
// fixed part + kMaxCaptionBytes + 8 bytes of the block (at most 20 + 256 + 8 = 284). The search
// steps through whole characters and codes, and a zero byte where a character would begin ends
// the block: a copy cut short and zero-filled (as the content view keeps its 128-byte copies)
// is never read past its end. A code whose end code is not found so is refused (-2).
//
// Every caller's copy holds at least kHeldBytes bytes and a byte after them (the content view's:
// 128 bytes and a zero). A zero at byte kHeldBytes means the copy ends there: nothing from it on
// is read, so a code cut by that end (a code inside the caption whose arguments, or an end code
// whose position bytes, would reach past it) is refused rather than read past the copy. Longer
// copies (the command-line reader's hold 512 bytes) are read as far as the search goes.
#ifndef DUNMOOR_BOOKLIB_MEDIACODE_H
#define DUNMOOR_BOOKLIB_MEDIACODE_H

#include <cstddef>
#include <cstdint>

namespace dunmoor::media {

constexpr size_t kMaxCaptionBytes = 256;

constexpr size_t kHeldBytes = 128;

// Offset of the end code (its 0x1F byte) in the block code, searched from the end of the fixed
// part as described above, with trailing bytes after the end code's two that must be there too
// (the position after 1F 64); false when it is not found.
bool FindEndCode(const uint8_t* code, size_t fixedLength, uint8_t endCode, size_t trailing, size_t* end);

// The BCD position at p (block 4 bytes, offset 2 bytes) when every nibble is a decimal digit
// and the block is not 0 (blocks are numbered from 1); false otherwise.
bool StrictBcdPosition(const uint8_t* p, uint32_t* block, uint32_t* offset);

// Copies the caption code[from, to) into out, at most limit bytes, then a zero byte
// (out holds limit + 1 bytes).
void CopyCaption(const uint8_t* code, size_t from, size_t to, char* out, size_t limit);

}  // namespace dunmoor::media

#endif  // DUNMOOR_BOOKLIB_MEDIACODE_H
