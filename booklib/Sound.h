// Sound: CD audio stretches (1F 48 .. 1F 68, and 1F 4A .. 1F 6A with a CD-audio byte 3) and
// sound data stored in the text file (1F 4A .. 1F 6A, byte 3 low nibble 1).
//
// Code blocks (offsets from the 0x1F byte; block length and the end-code search as MediaCode.h):
//   1F 48  2 track, 4 start minute, 5 start second, 8 minutes, 9 seconds (1 BCD byte each);
//          caption from 12; 1F 68
//   1F 4A  3 low nibble 1: sound data; 4-5 format nibbles; 6-9 start block, 10-11 start offset,
//          12-15 end block, 16-17 end offset (BCD); caption from 18; 1F 6A
//          3 other low nibble: CD audio, the fields of 1F 48 one byte later (3, 5, 6, 9, 10);
//          the code is 18 bytes long all the same, so its caption begins at 18; 1F 6A
//
// The properties record (kDunmoorSoundPropertiesSize bytes): 0 kind (0 CD audio, 1 sound data);
// CD audio 1 track, 2 start minute, 3 start second, 4 minutes, 5 seconds; sound data 6 low and
// 7 high nibble of byte 4, 8 high and 9 low nibble of byte 5; 10.. the caption, at most 200
// bytes, and a zero byte. Bytes the kind does not use are left as they were.
//
// The sound data are the bytes from the start position up to, not including, the end position.
// GetPcmSize refuses (-2) a code whose positions have a bad BCD digit or block 0, whose end does
// not lie after its start, or whose data do not lie inside the text file; such a code never
// reaches a read. The request remembers its start, so GetPcmCont moves there itself.
//
// Results: 1 (GetSoundProp), the byte count (GetPcmSize), the bytes read (GetPcmCont); -1 no
// open book, a failed disc check, move or read; -2 a code of the wrong kind, no end code within
// reach (GetSoundProp), GetPcmCont without a pending request.
#ifndef DUNMOOR_BOOKLIB_SOUND_H
#define DUNMOOR_BOOKLIB_SOUND_H

#include <cstdint>

#include "BookState.h"
#include "MediaRequests.h"

namespace dunmoor {

constexpr size_t kSoundCaptionLimit = 200;

class Sound {
 public:
  // book may be nullptr (no open book): every call then gives -1.
  Sound(BookState* book, PcmRequest& request) : book(book), request(request) {}

  int32_t GetSoundProp(const char* code, uint8_t* properties);
  int32_t GetPcmSize(const char* code);
  int32_t GetPcmCont(const char* code, char* buffer);

 private:
  BookState* book;
  PcmRequest& request;
};

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_SOUND_H
