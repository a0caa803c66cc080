// A window of text bytes held in memory, addressed by view position.
#ifndef CALVETTA_LAYOUT_HELDTEXT_H
#define CALVETTA_LAYOUT_HELDTEXT_H

#include <cstdint>

namespace calvetta {

// View positions base .. base + size - 1 are held; reads outside give 0.
struct HeldText {
  const uint8_t* data = nullptr;
  int32_t base = 0;
  int32_t size = 0;
  bool Holds(int32_t p) const { return p >= base && p - base < size; }
  uint8_t At(int32_t p) const { return Holds(p) ? data[p - base] : 0; }
};

}  // namespace calvetta

#endif  // CALVETTA_LAYOUT_HELDTEXT_H
