// The pending picture and sound requests: each remembers what the size call announced until
// the read that goes with it.
#ifndef DUNMOOR_BOOKLIB_MEDIAREQUESTS_H
#define DUNMOOR_BOOKLIB_MEDIAREQUESTS_H

#include <cstdint>

namespace dunmoor {

struct ImageRequest {
  uint32_t byteCount = 0;  // bytes the next epwGetImage reads; 0 = no request pending
  uint32_t block = 0;      // block of the picture data
  uint32_t offset = 0;     // offset of the picture data within the block
  uint8_t code = 0;        // code byte of the graphic the request was made for (0x44, 0x4D)
};

struct PcmRequest {
  uint32_t byteCount = 0;    // bytes the next epwGetPcmCont reads; 0 = no request pending
  uint32_t startBlock = 0;   // block of the first byte
  uint32_t startOffset = 0;  // its offset within the block
};

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_MEDIAREQUESTS_H
