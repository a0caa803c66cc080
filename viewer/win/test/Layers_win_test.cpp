// References followed in Brisvane.exe under Wine: each click on a reference in the content
// window adds a layer, and 前の階層 (F3) goes back through them, the latest first. Alt+Up and
// Alt+Down (and their toolbar buttons) step to the entry before and after, in the book's order.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "SearchFixture.h"

namespace {

using viewertest::SearchRoadTest;
using viewertest::SettledPixels;
using viewertest::WaitUntil;

constexpr int kPreviousLayer = 32780;
constexpr int kEntryNext = 32812;

bool IsBlue(uint32_t pixel) {
  return (pixel & 0xFF) > 180 && ((pixel >> 8) & 0xFF) < 100 && ((pixel >> 16) & 0xFF) < 100;
}

// A point on the first reference (blue text) of the content window, in its client coordinates:
// the leftmost blue pixel of the topmost band of blue; false when it shows none.
bool FirstReference(HWND content, const std::vector<uint32_t>& pixels, POINT* point) {
  RECT rect = {};
  GetWindowRect(content, &rect);
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (pixels.size() != static_cast<size_t>(width) * height) return false;
  auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; };
  int top = -1;
  for (int y = 0; y < height && top < 0; ++y)
    for (int x = 0; x < width && top < 0; ++x)
      if (IsBlue(at(x, y))) top = y;
  if (top < 0) return false;
  // Ink starts a few pixels below the top of its row; rows are at least 16 pixels high.
  for (int x = 0; x < width; ++x)
    for (int y = top; y < std::min(height, top + 8); ++y)
      if (IsBlue(at(x, y))) {
        *point = {x + 1, top + 4};
        return true;
      }
  return false;
}

class LayersTest : public SearchRoadTest {
 protected:
  LRESULT LayerButton() {
    return SendMessageW(viewertest::FindChild(frame, L"ToolbarWindow32"), TB_GETSTATE, kPreviousLayer, 0);
  }
  // Clicks the first reference the content window shows.
  void ClickFirstReference(const std::vector<uint32_t>& shown) {
    POINT point = {};
    ASSERT_TRUE(FirstReference(content, shown, &point)) << "no reference shown";
    PostMessageW(content, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    PostMessageW(content, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
  }
  // Waits until the content window settles showing `expected`.
  bool Shows(const std::vector<uint32_t>& expected) {
    return WaitUntil([&] { return SettledPixels(content) == expected; }, 10000);
  }
  // Alt+key from the keyboard, the viewer in front.
  void PressAlt(WORD key) {
    SetForegroundWindow(frame);
    ASSERT_TRUE(viewertest::PressKeys({VK_MENU, key}));
  }
  // The entry a search for word shows first.
  std::vector<uint32_t> EntryOf(const wchar_t* word) {
    Search(word);
    EXPECT_GE(WaitForHits(), 1) << "nothing found for the entry";
    Drain();
    std::vector<uint32_t> shown;
    WaitUntil([&] { return (shown = SettledPixels(content)) != blank; });
    return shown;
  }
  std::vector<uint32_t> blank;
  void PressF3() {
    PostMessageW(frame, WM_KEYDOWN, VK_F3, 0);
    PostMessageW(frame, WM_KEYUP, VK_F3, 0);
  }
};

TEST_F(LayersTest, F3GoesBackThroughTheFollowedReferencesLatestFirst) {
  Search(L"いえ");
  ASSERT_GE(WaitForHits(), 1);
  Drain();
  std::vector<uint32_t> house;
  POINT any = {};
  ASSERT_TRUE(WaitUntil([&] { return FirstReference(content, house = SettledPixels(content), &any); }));
  EXPECT_EQ(LayerButton(), TBSTATE_INDETERMINATE);

  ClickFirstReference(house);  // へや【部屋】
  std::vector<uint32_t> room;
  ASSERT_TRUE(WaitUntil([&] { return (room = SettledPixels(content)) != house; })) << "the reference was not followed";
  EXPECT_EQ(LayerButton(), TBSTATE_ENABLED);
  ClickFirstReference(room);  // いえ【家】 of the entry へや: back to the house, one layer deeper
  ASSERT_TRUE(Shows(house)) << "the second reference was not followed";
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "layers_two_deep"));

  PressF3();
  EXPECT_TRUE(Shows(room)) << "F3 did not return to the entry of へや";
  EXPECT_EQ(LayerButton(), TBSTATE_ENABLED);
  PressF3();
  EXPECT_TRUE(Shows(house)) << "the second F3 did not return to the entry of いえ";
  EXPECT_TRUE(WaitUntil([&] { return LayerButton() == TBSTATE_INDETERMINATE; }, 5000));
  PressF3();  // nothing left: nothing changes
  Drain();
  EXPECT_EQ(SettledPixels(content), house);
}

TEST_F(LayersTest, AReferenceOfTheSecondKindIsALinkThatIsFollowed) {
  // The entry はし【端】 ends with "Compare はし【橋】", a reference of the second kind (1F 43).
  Search(L"端");
  ASSERT_GE(WaitForHits(), 1);
  Drain();
  std::vector<uint32_t> edge;
  POINT any = {};
  ASSERT_TRUE(WaitUntil([&] { return FirstReference(content, edge = SettledPixels(content), &any); }))
      << "the reference is not drawn as a link";
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "reference_second_kind"));
  ClickFirstReference(edge);
  std::vector<uint32_t> bridge;
  ASSERT_TRUE(WaitUntil([&] { return (bridge = SettledPixels(content)) != edge; })) << "the reference was not followed";
  EXPECT_EQ(LayerButton(), TBSTATE_ENABLED);
  // It led to the entry that a search of 橋 shows.
  Search(L"橋");
  ASSERT_GE(WaitForHits(), 1);
  EXPECT_TRUE(Shows(bridge));
}

// In the sample book あおい, あかい and あかるい follow each other; あい is its first entry.
TEST_F(LayersTest, AltDownAndAltUpStepToTheEntriesAfterAndBeforeInTheBooksOrder) {
  blank = SettledPixels(content);
  const std::vector<uint32_t> blue = EntryOf(L"あおい");
  const std::vector<uint32_t> bright = EntryOf(L"あかるい");
  const std::vector<uint32_t> red = EntryOf(L"あかい");
  ASSERT_NE(blue, red);
  ASSERT_NE(bright, red);
  PressAlt(VK_DOWN);
  EXPECT_TRUE(Shows(bright)) << "Alt+Down did not show あかるい";
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "entry_next"));
  PressAlt(VK_UP);
  EXPECT_TRUE(Shows(red)) << "Alt+Up did not come back to あかい";
  PressAlt(VK_UP);
  EXPECT_TRUE(Shows(blue)) << "Alt+Up did not show あおい";
  // The toolbar's button, as the key.
  PostMessageW(frame, WM_COMMAND, MAKEWPARAM(kEntryNext, 0), 0);
  EXPECT_TRUE(Shows(red)) << "the button did not show あかい";
  EXPECT_EQ(LayerButton(), TBSTATE_INDETERMINATE);  // no layers: F3 has nothing to go back to

  // Nothing lies before the first entry: it stays.
  const std::vector<uint32_t> first = EntryOf(L"あい");
  PressAlt(VK_UP);
  Drain();
  EXPECT_EQ(SettledPixels(content), first);
  PressAlt(VK_DOWN);
  EXPECT_TRUE(WaitUntil([&] { return SettledPixels(content) != first; })) << "Alt+Down did not leave the first entry";

  // In the word box the key opens the box's history instead, as in any combo box.
  const std::vector<uint32_t> second = SettledPixels(content);
  ASSERT_TRUE(viewertest::PressKeys({VK_CONTROL, 'L'}));
  PressAlt(VK_DOWN);
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(wordBox, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
  // Down then moves in the history, the menu bar left alone.
  const LRESULT chosen = SendMessageW(wordBox, CB_GETCURSEL, 0, 0);
  ASSERT_TRUE(viewertest::PressKeys({VK_DOWN}));
  Drain();
  EXPECT_NE(SendMessageW(wordBox, CB_GETDROPPEDSTATE, 0, 0), 0) << "the history closed";
  HWND menu = FindWindowW(L"#32768", nullptr);
  EXPECT_FALSE(menu && IsWindowVisible(menu)) << "a menu opened";
  EXPECT_NE(SendMessageW(wordBox, CB_GETCURSEL, 0, 0), chosen) << "Down did not move in the history";
  if (menu && IsWindowVisible(menu)) viewertest::PressKeys({VK_ESCAPE});
  SendMessageW(wordBox, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(SettledPixels(content), second);
}

}  // namespace
