// The main window's minimum size while the user drags one of its edges: never narrower than
// 300 pixels or lower than 200 (on a 96-dots-an-inch screen; more on a finer one), and the edge
// being dragged is the one that stops.
#ifndef BRISVANE_VIEWER_WIN_FRAMESIZING_WIN_H
#define BRISVANE_VIEWER_WIN_FRAMESIZING_WIN_H

#include <windows.h>

namespace brisvane {

constexpr int kFrameMinimumWidth = 300;
constexpr int kFrameMinimumHeight = 200;

// edge: the WMSZ_ code of WM_SIZING; rect: the dragged rectangle, corrected in place; dpi: the
// window's dots an inch.
void KeepMinimumSize(WPARAM edge, RECT* rect, int dpi = 96);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_FRAMESIZING_WIN_H
