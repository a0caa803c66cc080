// The frame's menu bar in the dark: its items drawn by us (owner-drawn) on the dark ground, and
// drawn by the system again in the light. The menus that open from it stay the system's.
#ifndef BRISVANE_VIEWER_WIN_MENUBARLOOK_WIN_H
#define BRISVANE_VIEWER_WIN_MENUBARLOOK_WIN_H

#include <windows.h>

#include <string>
#include <vector>

#include "ui/UniqueHandle.h"

namespace brisvane {

class MenuBarLook {
 public:
  // The bar of frame dark or light.
  void Apply(HWND frame, bool dark);
  // WM_MEASUREITEM and WM_DRAWITEM of the bar's items, and in the dark the frame's WM_NCPAINT and
  // WM_NCACTIVATE (the bar right of its items is painted dark after the system's painting); true
  // when the message was handled.
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

 private:
  // An item of the bar is its index + 1 in its data.
  const std::wstring* TextOf(ULONG_PTR data) const;
  void PaintRest() const;
  bool dark = false;

  HWND frame = nullptr;
  std::vector<std::wstring> texts;  // the items' texts, kept while they are owner-drawn
  ui::UniqueBrush ground;
  ui::UniqueFont font;
};

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_MENUBARLOOK_WIN_H
