// Pictures at the screen's resolution. Each bitmap of the resources is drawn at build time as
// designed for 96 dots an inch, and again at 1.5 and at 2 times (resource ids + 1500, + 2000);
// an icon or cursor holds the three sizes in one resource.
#ifndef UI_SCALED_PICTURE_H
#define UI_SCALED_PICTURE_H

#include <windows.h>

// The resource ids of a bitmap's larger drawings (rc files use these too).
#define UI_BITMAP_AT_150(id) ((id) + 1500)
#define UI_BITMAP_AT_200(id) ((id) + 2000)

#ifndef RC_INVOKED
#include <commctrl.h>

#include <cstddef>

#include "UniqueHandle.h"

namespace ui {

// The bitmap id drawn closest to width × height (designWidth wide as designed), stretched pixel
// for pixel to exactly that size where no drawing has it. The caller owns it; nullptr when the
// module has no such bitmap.
HBITMAP LoadScaledBitmap(HINSTANCE module, int id, int designWidth, int width, int height);

// The largest drawing of the bitmap id (designSide wide as designed) that is no wider than room,
// at its own size; the drawing as designed where none fits. The caller owns it.
HBITMAP LoadFittingBitmap(HINSTANCE module, int id, int designSide, int room);

// The icon id at the size a screen of dpi dots an inch asks for (designSide at 96); the caller
// owns it.
HICON LoadScaledIcon(HINSTANCE module, int id, int designSide, int dpi);
// The cursor id at that size (not shared: a shared one keeps the size it was first loaded at);
// the caller owns it.
HCURSOR LoadScaledCursor(HINSTANCE module, int id, int dpi);

// A toolbar's button pictures: bitmaps of one or more 16 × 15 pictures side by side (at 96 dots an
// inch), whose light grey is clear and shows the button's face.
struct ToolbarStrip {
  int bitmapId;
  int pictures;
};
// Gives toolbar the strips' pictures, in order, at dpi dots an inch, through an image list that
// *owner keeps (the toolbar lets go of the one before); each button is its picture and 7 pixels
// each way. With dark, the pictures' dark form (DarkPixels.h), for a dark face.
void SetToolbarPictures(HWND toolbar, HINSTANCE module, const ToolbarStrip* strips, size_t count, int dpi,
                        UniqueImageList* owner, bool dark = false);

}  // namespace ui
#endif  // RC_INVOKED

#endif  // UI_SCALED_PICTURE_H
