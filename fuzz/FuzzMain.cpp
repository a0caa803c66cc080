// The libFuzzer entry of one target; DUNMOOR_FUZZ_ENTRY names its function (FuzzTargets.h).
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return fuzz::DUNMOOR_FUZZ_ENTRY(data, size);
}
