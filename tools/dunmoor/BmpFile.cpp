#include "BmpFile.h"

namespace cli {

bool BmpDimensions(const std::vector<uint8_t>& file, size_t length, uint32_t* width, uint32_t* height) {
  constexpr size_t kHeightEnd = 26;
  if (length > file.size() || length < kHeightEnd || file[0] != 'B' || file[1] != 'M') return false;
  auto at = [&](size_t i) { return file[i] | (file[i + 1] << 8) | (file[i + 2] << 16) | (uint32_t{file[i + 3]} << 24); };
  *width = at(18);
  *height = at(22);
  return true;
}

}  // namespace cli
