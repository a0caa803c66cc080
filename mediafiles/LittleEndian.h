// Little-endian numbers as BMP, WAVE, icon and picture-record headers store them.
#ifndef MEDIAFILES_LITTLEENDIAN_H
#define MEDIAFILES_LITTLEENDIAN_H

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

// Writes v over the four bytes at p.
inline void Store32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>((v >> (8 * i)) & 0xFF);
}

inline uint32_t Read32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t{p[3]} << 24);
}

}  // namespace media

#endif  // MEDIAFILES_LITTLEENDIAN_H
