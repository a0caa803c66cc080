#include "PopupPlace.h"

#include <algorithm>

namespace brisvane {

PlaceRect PopupPlace(const PlaceRect& anchor, int width, int height, const PlaceRect& area) {
  // A little below the line, so that the word stays readable.
  constexpr int kGap = 4;
  width = std::max(width, 1);
  height = std::max(height, 1);
  // No work area known: under the line as it is.
  if (area.Width() <= 0 || area.Height() <= 0)
    return PlaceRect{anchor.left, anchor.bottom + kGap, anchor.left + width, anchor.bottom + kGap + height};
  width = std::min(width, area.Width());
  height = std::min(height, area.Height());
  int top = anchor.bottom + kGap;
  if (top + height > area.bottom && anchor.top - kGap - height >= area.top) top = anchor.top - kGap - height;
  top = std::clamp(top, area.top, area.bottom - height);
  const int left = std::clamp(anchor.left, area.left, area.right - width);
  return PlaceRect{left, top, left + width, top + height};
}

}  // namespace brisvane
