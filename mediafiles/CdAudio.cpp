#include "CdAudio.h"

namespace media {

bool CdRange(const uint8_t properties[6], CdPlayRange* range) {
  const uint32_t track = properties[1], startMinute = properties[2], startSecond = properties[3];
  const uint32_t seconds = startSecond + properties[5];
  const uint32_t endMinute = startMinute + properties[4] + seconds / 60;
  const uint32_t endSecond = seconds % 60;
  if (track > 99 || startMinute > 99 || startSecond > 59 || endMinute > 99) return false;
  range->from = Tmsf(track, startMinute, startSecond, 0);
  range->to = Tmsf(track, endMinute, endSecond, 0);
  return true;
}

}  // namespace media
