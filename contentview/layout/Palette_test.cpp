#include "Palette.h"

#include <gtest/gtest.h>

namespace calvetta {
namespace {

TEST(Palette, ContrastRatiosOfKnownPairs) {
  EXPECT_NEAR(ContrastRatio(Rgb(0, 0, 0), Rgb(255, 255, 255)), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(Rgb(255, 255, 255), Rgb(0, 0, 0)), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(Rgb(119, 119, 119), Rgb(255, 255, 255)), 4.48, 0.01);
  EXPECT_NEAR(ContrastRatio(Rgb(0, 0, 255), Rgb(255, 255, 255)), 8.59, 0.01);
}

TEST(Palette, TheDarkPaletteKeepsEveryKindReadableAndApart) {
  const uint32_t laid[] = {kDefaultTextColour, kReferenceColour, kGraphicColour, kSoundColour};
  for (uint32_t colour : laid) {
    const uint32_t drawn = kDarkPalette.Map(colour);
    EXPECT_GE(ContrastRatio(drawn, kDarkPalette.background), 4.5) << std::hex << colour;
    for (uint32_t other : laid)
      if (other != colour) EXPECT_NE(drawn, kDarkPalette.Map(other)) << std::hex << colour << " " << other;
  }
  EXPECT_EQ(kDarkPalette.Map(kBackgroundColour), kDarkPalette.background);
  EXPECT_EQ(kDarkPalette.Map(Rgb(1, 2, 3)), Rgb(1, 2, 3));
  // The light palette draws the book's colours as they are.
  for (uint32_t colour : laid) EXPECT_EQ(kLightPalette.Map(colour), colour);
}

}  // namespace
}  // namespace calvetta
