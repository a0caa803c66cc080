// The colours the view paints with. The book's text is laid out in the design's colours (black
// text, blue references, red pictures, brown sounds on cream); the palette in force maps each to
// what is drawn: the light palette draws them as they are, the dark one in light colours on a
// dark ground, each at least 4.5:1 against it.
#ifndef CALVETTA_LAYOUT_PALETTE_H
#define CALVETTA_LAYOUT_PALETTE_H

#include <cstdint>

#include "LineRecord.h"

namespace calvetta {

struct Palette {
  uint32_t background;
  uint32_t text;
  uint32_t reference;
  uint32_t graphic;
  uint32_t sound;
  uint32_t rule;  // the thin line above an entry that follows another in the view

  // What a colour of the layout is drawn in; a colour the layout does not use, as it is.
  uint32_t Map(uint32_t laidOut) const {
    switch (laidOut) {
      case kDefaultTextColour: return text;
      case kBackgroundColour: return background;
      case kReferenceColour: return reference;
      case kGraphicColour: return graphic;
      case kSoundColour: return sound;
      default: return laidOut;
    }
  }
};

constexpr Palette kLightPalette{kBackgroundColour, kDefaultTextColour, kReferenceColour, kGraphicColour, kSoundColour,
                                Rgb(196, 186, 140)};
// On paper: the light palette on white.
constexpr Palette kPrintPalette{Rgb(255, 255, 255), kDefaultTextColour, kReferenceColour, kGraphicColour,
                                kSoundColour,       Rgb(160, 160, 160)};
constexpr Palette kDarkPalette{Rgb(30, 30, 30),    Rgb(222, 222, 222), Rgb(120, 176, 255), Rgb(255, 128, 118),
                               Rgb(222, 170, 110), Rgb(96, 96, 96)};

// The contrast ratio of two colours (1 to 21), by their relative luminance (sRGB).
double ContrastRatio(uint32_t one, uint32_t other);

}  // namespace calvetta

#endif  // CALVETTA_LAYOUT_PALETTE_H
