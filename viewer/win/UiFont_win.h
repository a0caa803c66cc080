// The font for Japanese text in the viewer's own controls (word box, list, status bar). The
// stock GUI font may have no Japanese glyphs (under Wine it often has none), so an installed
// Japanese face is chosen by name.
#ifndef BRISVANE_VIEWER_WIN_UIFONT_WIN_H
#define BRISVANE_VIEWER_WIN_UIFONT_WIN_H

#include <windows.h>

#include "ui/UniqueHandle.h"

namespace brisvane {

// A new font of the given point size, for a monitor of dpi dots an inch, in the first installed
// face of a list of Japanese UI faces, or in the stock GUI font's face when none is installed.
// The caller owns it.
HFONT CreateJapaneseUiFont(int points, int dpi);

// Gives a dialog made from a resource, and every control on it, a new Japanese UI font of the
// given size (the dialog's own face, "ＭＳ Ｐゴシック", when it is installed: it is the first
// face tried), so that labels, lists and buttons stay legible on a system without that face.
// The font, at the dialog's resolution, goes into *owner, which must outlive the dialog.
void UseJapaneseUiFont(HWND dialog, int points, ui::UniqueFont* owner);

}  // namespace brisvane

#endif  // BRISVANE_VIEWER_WIN_UIFONT_WIN_H
