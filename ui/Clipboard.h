// Opening the clipboard where another program may hold it for a moment (a clipboard manager, the
// system's own synchronisation with other desktops): a few tries, 10 ms apart.
#ifndef UI_CLIPBOARD_H
#define UI_CLIPBOARD_H

#include <windows.h>

namespace ui {

inline bool OpenClipboardPatiently(HWND window) {
  constexpr int kTries = 20;
  for (int i = 0; i < kTries; ++i) {
    if (OpenClipboard(window)) return true;
    Sleep(10);
  }
  return false;
}

}  // namespace ui

#endif  // UI_CLIPBOARD_H
