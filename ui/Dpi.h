// Sizes the design gives in pixels of a 96-dots-an-inch screen, at the screen's resolution:
// at 144 or 192 dots an inch the toolbar, the word box and the status bar's panes grow with the
// text, as the fonts (made in points) already do.
#ifndef UI_DPI_H
#define UI_DPI_H

#include <windows.h>

namespace ui {

constexpr int kDesignDpi = 96;

// The screen's dots an inch: the system's, which the viewer declares it follows and which
// stays the same while a program runs, so it is asked for once.
inline int ScreenDpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return value > 0 ? value : kDesignDpi;
  }();
  return dpi;
}

// designPixels at the screen's resolution (the same at 96 dots an inch).
inline int ScaledPixels(int designPixels, int dpi = ScreenDpi()) { return MulDiv(designPixels, dpi, kDesignDpi); }

}  // namespace ui

#endif  // UI_DPI_H
