// The view's scroll buttons are system push buttons with a small subclass: whenever a
// button's pressed state changes it posts WM_USER + its id to its parent (wParam 1 pressed,
// 0 released), and after a click it gives the focus back to the parent.
#ifndef CALVETTA_WIN_SCROLLBUTTON_WIN_H
#define CALVETTA_WIN_SCROLLBUTTON_WIN_H

#include <windows.h>

namespace calvetta {

// The view's column has four: line up, line down, page up, page down (ids IDB_VIEW_LINEUP on).
constexpr int kScrollButtonCount = 4;

// Creates the button (WS_CHILD | WS_VISIBLE | BS_ICON | BS_CENTER, 16 x 16) with icon; null
// on failure.
HWND CreateScrollButton(HWND parent, int id, HICON icon, HINSTANCE module);

}  // namespace calvetta

#endif  // CALVETTA_WIN_SCROLLBUTTON_WIN_H
