// The three drawing exports for external characters: a glyph of the open book's fonts onto the
// caller's device context (HDC), or into a new monochrome bitmap (HBITMAP) that the caller owns.
// Which device pixels belong to which glyph bit is worked out in GlyphRaster.cpp.
#include <type_traits>

#include <windows.h>

#include <cstring>
#include <vector>

#include "Dunmoor.h"
#include "ExportGuard.h"
#include "GlyphRaster.h"
#include "Library.h"

using dunmoor::Glyph;
using exportguard::Guarded;
using dunmoor::TheLibrary;

namespace {

// The glyph for the exports' common arguments: 1, -1 or -2 as the exports return them.
int32_t FindGlyph(uint32_t code, uint32_t size, uint32_t wide, Glyph* glyph) {
  dunmoor::Library& library = TheLibrary();
  if (!library.Book()) return kDunmoorFailed;
  return library.Gaiji().ReadGlyph(code, size, wide, glyph);
}

COLORREF Colour(uint32_t rgb) { return static_cast<COLORREF>(rgb & 0xFFFFFF); }

int32_t ShowPixels(uint32_t code, uint32_t size, uint32_t wide, int32_t left, int32_t top, int32_t right,
                   int32_t bottom, uint32_t ink, HDC dc) {
  Glyph glyph;
  int32_t found = FindGlyph(code, size, wide, &glyph);
  if (found != kDunmoorSuccess) return found;
  // Pixels outside the clip box would not be set anyway: leaving them out sets the same pixels
  // and keeps the work bounded for any rectangle.
  RECT box;
  if (GetClipBox(dc, &box) == ERROR) return kDunmoorSuccess;
  dunmoor::PixelArea clip{box.left, box.top, box.right, box.bottom};
  COLORREF colour = Colour(ink);
  dunmoor::ForEachInkArea(glyph, left, top, right, bottom, clip, [&](const dunmoor::PixelArea& area) {
    for (int64_t y = area.top; y < area.bottom; ++y)
      for (int64_t x = area.left; x < area.right; ++x) SetPixel(dc, static_cast<int>(x), static_cast<int>(y), colour);
  });
  return kDunmoorSuccess;
}

int32_t ShowWhole(uint32_t code, uint32_t size, uint32_t wide, int32_t left, int32_t top, int32_t right,
                  int32_t bottom, uint32_t ink, uint32_t paper, HDC dc) {
  Glyph glyph;
  int32_t found = FindGlyph(code, size, wide, &glyph);
  if (found != kDunmoorSuccess) return found;
  std::vector<uint8_t> picture = dunmoor::GlyphPicture24(glyph, ink, paper);
  int width = dunmoor::PictureWidth(glyph), height = glyph.Geometry().height;
  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(picture.size());
  // The extent as 32-bit arithmetic gives it, without overflowing.
  int w = static_cast<int>(static_cast<uint32_t>(right) - static_cast<uint32_t>(left));
  int h = static_cast<int>(static_cast<uint32_t>(bottom) - static_cast<uint32_t>(top));
  StretchDIBits(dc, left, top, w, h, 0, 0, width, height, picture.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  return kDunmoorSuccess;
}

int32_t MakeBitmap(uint32_t code, uint32_t size, uint32_t wide, HBITMAP* bitmap) {
  Glyph glyph;
  int32_t found = FindGlyph(code, size, wide, &glyph);
  if (found != kDunmoorSuccess) return found;
  if (!bitmap) return kDunmoorRefused;
  std::vector<uint8_t> bits = dunmoor::MonochromeBits(glyph);
  HBITMAP made = CreateBitmap(glyph.Geometry().width, glyph.Geometry().height, 1, 1, bits.data());
  if (!made) return kDunmoorRefused;
  *bitmap = made;
  return kDunmoorSuccess;
}

}  // namespace

extern "C" {

int32_t epwShowExCodePixel(uint32_t code, uint32_t size, uint32_t wide, int32_t left, int32_t top, int32_t right,
                           int32_t bottom, uint32_t ink, void* dc) {
  return Guarded<int32_t>(kDunmoorFailed,
                 [&] { return ShowPixels(code, size, wide, left, top, right, bottom, ink, static_cast<HDC>(dc)); });
}

int32_t epwShowExCode(uint32_t code, uint32_t size, uint32_t wide, int32_t left, int32_t top, int32_t right,
                      int32_t bottom, uint32_t ink, uint32_t paper, void* dc) {
  return Guarded<int32_t>(kDunmoorFailed, [&] {
    return ShowWhole(code, size, wide, left, top, right, bottom, ink, paper, static_cast<HDC>(dc));
  });
}

int32_t epwExCode2Bmp(uint32_t code, uint32_t size, uint32_t wide, uint32_t, uint32_t, uint32_t, uint32_t,
                      void* bitmap) {
  return Guarded<int32_t>(kDunmoorFailed, [&] { return MakeBitmap(code, size, wide, static_cast<HBITMAP*>(bitmap)); });
}

}  // extern "C"

#define DUNMOOR_CHECK_EXPORT(name, result, parameters) \
  static_assert(std::is_same<decltype(&::name), name##Proc>::value, #name " differs from its list entry");
DUNMOOR_DRAWING_EXPORTS(DUNMOOR_CHECK_EXPORT)
#undef DUNMOOR_CHECK_EXPORT
