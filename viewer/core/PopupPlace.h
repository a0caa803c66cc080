// Where the look-up pop-up opens: beside the word read, inside the work area of its monitor.
// Rectangles are left, top, right, bottom in screen pixels.
#ifndef BRISVANE_VIEWER_CORE_POPUPPLACE_H
#define BRISVANE_VIEWER_CORE_POPUPPLACE_H

namespace brisvane {

struct PlaceRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// A window of width × height for a word whose line is anchor (the caret's rectangle, or a point
// under the pointer as an empty one): under the line from its left end, or above it when it does
// not fit below; moved left and up as far as the work area asks, and no larger than it.
PlaceRect PopupPlace(const PlaceRect& anchor, int width, int height, const PlaceRect& workArea);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_CORE_POPUPPLACE_H
