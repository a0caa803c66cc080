// Sizes the design gives in pixels of a 96-dots-an-inch screen, at the screen's resolution:
// at 144 or 192 dots an inch the toolbar, the word box and the status bar's panes grow with the
// text, as the fonts (made in points) already do. The viewer follows each monitor's resolution:
// a window's own (WindowDpi) is the one to size it by, and it changes when the window moves to
// a monitor of another resolution (WM_DPICHANGED, WM_DPICHANGED_AFTERPARENT).
#ifndef UI_DPI_H
#define UI_DPI_H

#include <windows.h>

// Sent to child windows after their top-level window moved to a monitor of another resolution
// (Windows 10 1703 and later; the headers declare it only for that target).
#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

namespace ui {

constexpr int kDesignDpi = 96;

// The system's dots an inch, which stays the same while a program runs, so it is asked for once:
// the resolution of a window whose own cannot be known.
inline int ScreenDpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return value > 0 ? value : kDesignDpi;
  }();
  return dpi;
}

// The dots an inch of the monitor the window is on (GetDpiForWindow, on Windows 10 and later);
// the system's where that is not known.
inline int WindowDpi(HWND window) {
  using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
  static const GetDpiForWindowProc getDpi = reinterpret_cast<GetDpiForWindowProc>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  UINT dpi = getDpi && window ? getDpi(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

// designPixels at the screen's resolution (the same at 96 dots an inch).
inline int ScaledPixels(int designPixels, int dpi = ScreenDpi()) { return MulDiv(designPixels, dpi, kDesignDpi); }

}  // namespace ui

#endif  // UI_DPI_H
