#include "Palette.h"

#include <algorithm>
#include <cmath>

namespace calvetta {

namespace {

double Linear(uint32_t channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(uint32_t colour) {
  return 0.2126 * Linear(colour & 0xFF) + 0.7152 * Linear((colour >> 8) & 0xFF) + 0.0722 * Linear((colour >> 16) & 0xFF);
}

}  // namespace

double ContrastRatio(uint32_t one, uint32_t other) {
  const double a = Luminance(one), b = Luminance(other);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

}  // namespace calvetta
