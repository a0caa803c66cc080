// Where a CD audio sound of the book starts and ends on the disc, in the track/minute/second/
// frame form of the media control interface: the track in the lowest byte, then the minute,
// the second, and the frame in the highest byte.
#ifndef CALVETTA_MEDIA_CDAUDIO_H
#define CALVETTA_MEDIA_CDAUDIO_H

#include <cstdint>

namespace media {

struct CdPlayRange {
  uint32_t from = 0;
  uint32_t to = 0;
};

// From the sound properties bytes 1-5 (track, start minute, start second, length in minutes,
// length in seconds). The end lies in the same track, length after the start; seconds that
// reach 60 carry into the minute. False when a field lies outside what the form can say
// (track or a minute above 99, the start second above 59).
bool CdRange(const uint8_t properties[6], CdPlayRange* range);

constexpr uint32_t Tmsf(uint32_t track, uint32_t minute, uint32_t second, uint32_t frame) {
  return track | (minute << 8) | (second << 16) | (frame << 24);
}

}  // namespace media

#endif  // CALVETTA_MEDIA_CDAUDIO_H
