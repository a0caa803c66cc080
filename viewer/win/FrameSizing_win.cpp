#include "FrameSizing_win.h"

namespace brisvane {

void KeepMinimumSize(WPARAM edge, RECT* rect) {
  bool narrow = rect->right - rect->left < kFrameMinimumWidth;
  bool low = rect->bottom - rect->top < kFrameMinimumHeight;
  // Left, top and top-left move the left and top sides; right, bottom and bottom-right the
  // right and bottom ones; the two remaining corners one of each.
  bool movesLeft = edge == WMSZ_LEFT || edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
  bool movesTop = edge == WMSZ_LEFT || edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
  if (narrow) {
    if (movesLeft) rect->left = rect->right - kFrameMinimumWidth;
    else rect->right = rect->left + kFrameMinimumWidth;
  }
  if (low) {
    if (movesTop) rect->top = rect->bottom - kFrameMinimumHeight;
    else rect->bottom = rect->top + kFrameMinimumHeight;
  }
}

}  // namespace brisvane
