// The pop-up beside the word: below its line, above it near the bottom of the screen, inside the
// work area at every edge (also of a second monitor left of the first), never larger than it.
#include "PopupPlace.h"

#include <gtest/gtest.h>

namespace brisvane {
namespace {

void ExpectRect(const PlaceRect& r, int left, int top, int right, int bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST(PopupPlace, BesideTheWordAndInsideTheWorkArea) {
  const PlaceRect screen{0, 0, 1280, 984};  // a task bar below
  ExpectRect(PopupPlace({100, 200, 100, 216}, 480, 360, screen), 100, 220, 580, 580);   // under the caret
  ExpectRect(PopupPlace({100, 800, 100, 816}, 480, 360, screen), 100, 436, 580, 796);   // above, near the bottom
  ExpectRect(PopupPlace({100, 300, 100, 316}, 480, 800, screen), 100, 184, 580, 984);   // fits neither way: clamped
  ExpectRect(PopupPlace({1200, 100, 1200, 100}, 480, 360, screen), 800, 104, 1280, 464);  // at the right edge
  ExpectRect(PopupPlace({10, 10, 10, 26}, 2000, 2000, screen), 0, 0, 1280, 984);       // never larger
  const PlaceRect left{-1920, 0, 0, 1040};  // a second monitor, left of the first
  ExpectRect(PopupPlace({-50, 500, -50, 520}, 480, 360, left), -480, 524, 0, 884);
  ExpectRect(PopupPlace({5, 0, 5, 16}, 480, 360, PlaceRect{0, 0, 0, 0}), 5, 20, 485, 380);  // no area known
}

}  // namespace
}  // namespace brisvane
