// Little-endian numbers appended to a byte vector, as BMP and WAVE headers store them.
#ifndef CALVETTA_MEDIA_LITTLEENDIAN_H
#define CALVETTA_MEDIA_LITTLEENDIAN_H

#include <cstdint>
#include <vector>

namespace media {

inline void Put16(std::vector<uint8_t>* out, uint32_t v) {
  out->push_back(static_cast<uint8_t>(v & 0xFF));
  out->push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

inline void Put32(std::vector<uint8_t>* out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace media

#endif  // CALVETTA_MEDIA_LITTLEENDIAN_H
