// Pictures: the monochrome bitmaps (1F 44 .. 1F 64) and colour pictures (1F 4D .. 1F 6D) of
// the open book, fetched in two calls, size first (epwGetImageSize, epwGetImage).
//
// Code blocks (offsets from the 0x1F byte; block length and the end-code search as MediaCode.h):
//   1F 44  4-7 height, 8-11 width (BCD); caption from 12; 1F 64 + 6 BCD position of the bits
//   1F 4D  14-17 block, 18-19 offset (BCD) of the picture data; caption from 20; 1F 6D
//
// Picture data in the text file:
//   monochrome  height * width / 8 bytes, rows top first, width / 8 bytes a row, bit 7 leftmost,
//               a set bit is ink
//   colour      an 8-byte header (bytes 4-7: length of the picture file, little-endian), then
//               the picture file (a Windows bitmap file in the books we know)
//
// Buffer filled by GetImage:
//   kind 0  height (32-bit LE), width (32-bit LE), then the bitmap
//   kind 1  the picture file, byte for byte
//
// Results: GetImageSize gives the bytes GetImage needs (the bitmap + 8, or the file length);
// GetImage the picture bytes read (without the 8-byte head). -1: no open book, a failed disc
// check, move or read. -2: not a graphic code, no end code within reach, a data position with a
// bad BCD digit or block 0, a picture of no bytes or one that does not lie inside the text file,
// GetImage without a pending request or for a code of the other kind.
//
// The request remembers where its data lies, so GetImage moves there itself: a read of the text
// file between the two calls does not spoil it.
#ifndef DUNMOOR_BOOKLIB_IMAGES_H
#define DUNMOOR_BOOKLIB_IMAGES_H

#include <cstdint>

#include "BookState.h"
#include "MediaRequests.h"

namespace dunmoor {

class Images {
 public:
  // book may be nullptr (no open book): both calls then give -1.
  Images(BookState* book, ImageRequest& request) : book(book), request(request) {}

  // caption receives the caption, cut to kDunmoorCaptionSize - 1 bytes, and a zero byte.
  int32_t GetImageSize(const char* code, char* caption);
  int32_t GetImage(const char* code, char* buffer, int32_t* kind);

 private:
  int32_t MonoSize(const uint8_t* code, char* caption);
  int32_t ColorSize(const uint8_t* code, char* caption);

  BookState* book;
  ImageRequest& request;
};

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_IMAGES_H
