// The one reading cursor that every text reader of the library shares: the raw readers, the
// entry-at-a-time readers and the reference readers move the same positions, so interleaving
// them moves each other's places (callers rely on it: after a reference is followed, "next"
// goes on after the bytes it delivered).
#ifndef DUNMOOR_BOOKLIB_READCURSOR_H
#define DUNMOOR_BOOKLIB_READCURSOR_H

#include <cstdint>

namespace dunmoor {

struct ReadCursor {
  uint32_t start = 0;        // position the last read began at
  uint32_t next = 0;         // position after the last delivered byte
  uint32_t total = 0;        // bytes read by the last raw read, or so far of the current entry
  uint32_t more = 0;         // 1 while an entry read by the "next", "last" or link entry reader goes on
  int32_t currentHit = -1;   // hit whose entry epwGetWordContent is delivering; -1 when none
  int32_t continuedHit = 0;  // hit index used when epwGetWordContent continues
  uint32_t complete = 0;     // 1 when epwGetWordContent finished an entry
};

}  // namespace dunmoor

#endif  // DUNMOOR_BOOKLIB_READCURSOR_H
