#include "FrameSizing_win.h"

namespace brisvane {

void KeepMinimumSize(WPARAM edge, RECT* rect, int dpi) {
  const int minimumWidth = MulDiv(kFrameMinimumWidth, dpi, 96), minimumHeight = MulDiv(kFrameMinimumHeight, dpi, 96);
  bool narrow = rect->right - rect->left < minimumWidth;
  bool low = rect->bottom - rect->top < minimumHeight;
  // Left, top and top-left move the left and top sides; right, bottom and bottom-right the
  // right and bottom ones; the two remaining corners one of each.
  bool movesLeft = edge == WMSZ_LEFT || edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
  bool movesTop = edge == WMSZ_LEFT || edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
  if (narrow) {
    if (movesLeft) rect->left = rect->right - minimumWidth;
    else rect->right = rect->left + minimumWidth;
  }
  if (low) {
    if (movesTop) rect->top = rect->bottom - minimumHeight;
    else rect->bottom = rect->top + minimumHeight;
  }
}

}  // namespace brisvane
