// The dark form of a picture drawn for a light face (the toolbars' buttons): its dark greys and
// black ink turn light by as much as they were dark, dark colours are lifted until they read on a
// dark ground, and everything else stays, the clear light grey of the mask included. Portable:
// one pixel at a time, 0x00BBGGRR (or 0x00RRGGBB: the channels are treated alike).
#ifndef UI_DARKPIXELS_H
#define UI_DARKPIXELS_H

#include <algorithm>
#include <cstdint>

namespace ui {

constexpr uint32_t kClearPictureColour = 0xC0C0C0;

inline uint32_t DarkFormOfPixel(uint32_t pixel) {
  pixel &= 0xFFFFFF;
  if (pixel == kClearPictureColour) return pixel;
  int channel[3] = {static_cast<int>(pixel & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                    static_cast<int>((pixel >> 16) & 0xFF)};
  const int high = std::max({channel[0], channel[1], channel[2]});
  const int low = std::min({channel[0], channel[1], channel[2]});
  constexpr int kGreyChroma = 40;  // channels this close are a grey
  constexpr int kReadable = 160;   // the brightest channel of a colour that reads on the dark
  if (high - low < kGreyChroma) {
    if ((high + low) / 2 >= 128) return pixel;
    for (int& c : channel) c = 255 - c;
  } else if (high < kReadable) {
    const int lift = kReadable - high;
    for (int& c : channel) c = std::min(255, c + lift);
  } else {
    return pixel;
  }
  const uint32_t dark = static_cast<uint32_t>(channel[0]) | (static_cast<uint32_t>(channel[1]) << 8) |
                        (static_cast<uint32_t>(channel[2]) << 16);
  // A grey that would become the clear colour is kept one step off it: it stays ink.
  return dark == kClearPictureColour ? dark + 0x010101 : dark;
}

}  // namespace ui

#endif  // UI_DARKPIXELS_H
