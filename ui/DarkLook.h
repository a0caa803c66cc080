// The dark look of the viewer's own windows beyond the frame: while it is on, every dialog and
// message box made on the thread (the viewer's and the content view's alike) is drawn dark as it
// opens: its ground, texts, edit and list fields, list and tree views and progress bars take the dark
// colours, its push buttons are drawn by us, and its title bar is dark where the system offers
// that. The owner-drawn lists of the dialogs ask DarkLook() for their colours.
#ifndef UI_DARKLOOK_H
#define UI_DARKLOOK_H

#include <windows.h>

namespace ui {

struct LookColours {
  COLORREF ground;
  COLORREF field;
  COLORREF ink;
  COLORREF greyInk;
  COLORREF selection;
  COLORREF selectionInk;
  COLORREF edge;
};

// The dark colours, and the light ones (the system's).
const LookColours& DarkColours();
LookColours LightColours();
// The colours of the look now.
inline LookColours CurrentColours();

// The look for the windows this thread makes from now on.
void SetDarkLook(bool dark);
bool DarkLook();

// A window's title bar dark or light, where the system offers it (Windows 10 20H1 and later).
void DarkTitleBar(HWND window, bool dark);

// A window's scroll bars (and a list's or a field's other parts) in the system's dark form for
// applications, where the system has one (Windows 10 1809 and later; elsewhere, and under Wine,
// they stay as the system draws them).
void DarkScrollBars(HWND window, bool dark);

inline LookColours CurrentColours() { return DarkLook() ? DarkColours() : LightColours(); }

}  // namespace ui

#endif  // UI_DARKLOOK_H
