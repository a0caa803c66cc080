#include "ScaledPicture.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "DarkPixels.h"
#include "Dpi.h"

namespace ui {

namespace {

// The size of a bitmap handle, or 0 × 0.
SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

HBITMAP Stretched(HBITMAP source, SIZE from, int width, int height) {
  HDC screen = GetDC(nullptr);
  HDC in = CreateCompatibleDC(screen), out = CreateCompatibleDC(screen);
  HBITMAP scaled = CreateCompatibleBitmap(screen, width, height);
  if (in && out && scaled) {
    HGDIOBJ oldIn = SelectObject(in, source), oldOut = SelectObject(out, scaled);
    SetStretchBltMode(out, COLORONCOLOR);
    StretchBlt(out, 0, 0, width, height, in, 0, 0, from.cx, from.cy, SRCCOPY);
    SelectObject(in, oldIn);
    SelectObject(out, oldOut);
  }
  if (in) DeleteDC(in);
  if (out) DeleteDC(out);
  ReleaseDC(nullptr, screen);
  return scaled;
}

// The drawing of percent 200, 150 or 100, or the next smaller one the module has.
HBITMAP LoadDrawing(HINSTANCE module, int id, int percent) {
  HBITMAP picture = nullptr;
  if (percent >= 200) picture = LoadBitmapW(module, MAKEINTRESOURCEW(UI_BITMAP_AT_200(id)));
  if (!picture && percent >= 150) picture = LoadBitmapW(module, MAKEINTRESOURCEW(UI_BITMAP_AT_150(id)));
  return picture ? picture : LoadBitmapW(module, MAKEINTRESOURCEW(id));
}

}  // namespace

HBITMAP LoadScaledBitmap(HINSTANCE module, int id, int designWidth, int width, int height) {
  // The drawing closest in size: 2 times from 1.75 on, 1.5 times from 1.25 on.
  int percent = designWidth > 0 ? width * 100 / designWidth : 100;
  HBITMAP picture = LoadDrawing(module, id, percent >= 175 ? 200 : (percent >= 125 ? 150 : 100));
  if (!picture) return nullptr;
  SIZE size = BitmapSize(picture);
  if (size.cx == width && size.cy == height) return picture;
  HBITMAP scaled = Stretched(picture, size, width, height);
  DeleteObject(picture);
  return scaled;
}

HBITMAP LoadFittingBitmap(HINSTANCE module, int id, int designSide, int room) {
  return LoadDrawing(module, id, room >= 2 * designSide ? 200 : (2 * room >= 3 * designSide ? 150 : 100));
}

HICON LoadScaledIcon(HINSTANCE module, int id, int designSide, int dpi) {
  int side = ScaledPixels(designSide, dpi);
  return static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, side, side, 0));
}

namespace {

// The bitmap's pixels in their dark form, in place.
void ToDarkForm(HBITMAP bitmap) {
  BITMAP shape = {};
  if (!GetObjectW(bitmap, sizeof shape, &shape) || shape.bmWidth <= 0 || shape.bmHeight <= 0) return;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shape.bmWidth;
  info.bmiHeader.biHeight = -shape.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(static_cast<size_t>(shape.bmWidth) * static_cast<size_t>(shape.bmHeight));
  HDC screen = GetDC(nullptr);
  if (!screen) return;
  if (GetDIBits(screen, bitmap, 0, static_cast<UINT>(shape.bmHeight), pixels.data(), &info, DIB_RGB_COLORS)) {
    for (uint32_t& pixel : pixels) pixel = DarkFormOfPixel(pixel);
    SetDIBits(screen, bitmap, 0, static_cast<UINT>(shape.bmHeight), pixels.data(), &info, DIB_RGB_COLORS);
  }
  ReleaseDC(nullptr, screen);
}

}  // namespace

void SetToolbarPictures(HWND toolbar, HINSTANCE module, const ToolbarStrip* strips, size_t count, int dpi,
                        UniqueImageList* owner, bool dark) {
  constexpr int kPictureWidth = 16, kPictureHeight = 15, kButtonMargin = 7;
  constexpr COLORREF kClear = RGB(0xC0, 0xC0, 0xC0);
  const int width = ScaledPixels(kPictureWidth, dpi), height = ScaledPixels(kPictureHeight, dpi);
  UniqueImageList pictures(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 6, 0));
  if (!pictures) return;
  for (size_t i = 0; i < count; ++i) {
    const ToolbarStrip& strip = strips[i];
    UniqueBitmap bitmap(
        LoadScaledBitmap(module, strip.bitmapId, strip.pictures * kPictureWidth, strip.pictures * width, height));
    if (bitmap && dark) ToDarkForm(bitmap.Get());
    if (bitmap) ImageList_AddMasked(pictures.Get(), bitmap.Get(), kClear);
  }
  SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures.Get()));
  SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(width + kButtonMargin, height + kButtonMargin));
  *owner = std::move(pictures);
}

HCURSOR LoadScaledCursor(HINSTANCE module, int id, int dpi) {
  constexpr int kDesignCursor = 32;  // the canvas cursors are drawn on
  int side = ScaledPixels(kDesignCursor, dpi);
  return static_cast<HCURSOR>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_CURSOR, side, side, 0));
}

}  // namespace ui
