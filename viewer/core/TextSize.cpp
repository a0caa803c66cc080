#include "TextSize.h"

#include <cstdlib>
#include <iterator>

namespace brisvane {

namespace {

constexpr int kSteps[] = {80, 90, 100, 110, 125, 150, 175, 200, 250, 300};

}  // namespace

int LargerTextSize(int percent) {
  for (int step : kSteps)
    if (step > percent) return step;
  return kSteps[std::size(kSteps) - 1];
}

int SmallerTextSize(int percent) {
  for (auto step = std::rbegin(kSteps); step != std::rend(kSteps); ++step)
    if (*step < percent) return *step;
  return kSteps[0];
}

int StoredTextSize(uint32_t stored) {
  if (stored < static_cast<uint32_t>(kSteps[0]) || stored > static_cast<uint32_t>(kSteps[std::size(kSteps) - 1]))
    return kNormalTextSize;
  int nearest = kNormalTextSize;
  for (int step : kSteps)
    if (std::abs(step - static_cast<int>(stored)) < std::abs(nearest - static_cast<int>(stored))) nearest = step;
  return nearest;
}

}  // namespace brisvane
