// Placeholder while the drawing exports are being written.
#include "Dunmoor.h"

extern "C" {

int32_t epwShowExCodePixel(uint32_t, uint32_t, uint32_t, int32_t, int32_t, int32_t, int32_t, uint32_t, void*) {
  return -1;
}
int32_t epwShowExCode(uint32_t, uint32_t, uint32_t, int32_t, int32_t, int32_t, int32_t, uint32_t, uint32_t,
                      void*) {
  return -1;
}
int32_t epwExCode2Bmp(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, void*) { return -1; }

}  // extern "C"
