// The toolbar pictures' dark form, pixel by pixel (the window side applies it to whole strips).
#include "ui/DarkPixels.h"

#include <gtest/gtest.h>

namespace {

using ui::DarkFormOfPixel;

TEST(DarkPixels, DarkInkTurnsLightAndTheRestStays) {
  EXPECT_EQ(DarkFormOfPixel(0x000000), 0xFFFFFFu) << "black ink";
  EXPECT_EQ(DarkFormOfPixel(0x404040), 0xBFBFBFu) << "a dark grey, the search icon's handle";
  EXPECT_EQ(DarkFormOfPixel(0x808080), 0x808080u) << "mid grey already reads on the dark";
  EXPECT_EQ(DarkFormOfPixel(0xFFFFFF), 0xFFFFFFu);
  EXPECT_EQ(DarkFormOfPixel(0xFF0000), 0xFF0000u) << "a bright colour";
  EXPECT_EQ(DarkFormOfPixel(0xFF000000 | 0x123456) & 0xFF000000, 0u) << "no alpha left over";
}

TEST(DarkPixels, TheMaskStaysClearAndNothingElseBecomesIt) {
  EXPECT_EQ(DarkFormOfPixel(ui::kClearPictureColour), ui::kClearPictureColour);
  // 0x3F3F3F inverts onto the clear colour: it must stay ink.
  EXPECT_NE(DarkFormOfPixel(0x3F3F3F), ui::kClearPictureColour);
  for (uint32_t grey = 0; grey < 0x80; ++grey) {
    const uint32_t pixel = grey | (grey << 8) | (grey << 16);
    if (pixel != ui::kClearPictureColour) EXPECT_NE(DarkFormOfPixel(pixel), ui::kClearPictureColour) << grey;
  }
}

TEST(DarkPixels, ADarkColourIsLiftedKeepingItsHue) {
  const uint32_t navy = 0x800000;  // 0x00BBGGRR: blue 0x80
  const uint32_t lifted = DarkFormOfPixel(navy);
  EXPECT_EQ((lifted >> 16) & 0xFF, 0xA0u) << "its brightest channel reaches the readable";
  EXPECT_EQ(lifted & 0xFF, 0x20u);
  EXPECT_EQ((lifted >> 8) & 0xFF, 0x20u);
}

}  // namespace
