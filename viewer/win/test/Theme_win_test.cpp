// Dark mode: chosen in the view menu, or taken from Windows' setting for apps and followed while
// the viewer runs. The list and the entry change their colours; the screenshots show the main
// window with an entry and a message box over it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "SearchFixture.h"
#include "Settings_win.h"

namespace {

using viewertest::SearchRoadTest;
using viewertest::WaitUntil;

constexpr WPARAM kThemeWindows = 32805;
constexpr WPARAM kThemeLight = 32806;
constexpr WPARAM kThemeDark = 32807;
constexpr WPARAM kTitleSelect = 32779;
constexpr uint32_t kCream = 0xFFFFE1;     // the design's paper, 0x00RRGGBB as the screen gives it
constexpr uint32_t kDarkPaper = 0x1E1E1E;
constexpr uint32_t kDarkBars = 0x2B2B2B;   // the toolbar's and the status bar's ground
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr wchar_t kPersonalize[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// The colour most of the window's pixels have: its paper.
uint32_t Paper(HWND window) {
  std::map<uint32_t, size_t> counts;
  for (uint32_t pixel : viewertest::ScreenPixels(window)) ++counts[pixel];
  uint32_t most = 0;
  size_t seen = 0;
  for (const auto& [colour, count] : counts)
    if (count > seen) most = colour, seen = count;
  return most;
}

// The colour most pixels of the frame's menu bar have: the rows right above its client area (the
// bar's own rectangle is not told to another process under Wine).
uint32_t MenuBarPaper(HWND frame) {
  RECT window = {}, client = {};
  POINT origin = {0, 0};
  if (!GetWindowRect(frame, &window) || !GetClientRect(frame, &client) || !ClientToScreen(frame, &origin)) return 0;
  const int width = window.right - window.left;
  const int bottom = origin.y - window.top - 1;  // the last row of the bar (a line under it aside)
  const int top = bottom - GetSystemMetrics(SM_CYMENU) + 2;
  const std::vector<uint32_t> pixels = viewertest::ScreenPixels(frame, width, bottom + 1);
  std::map<uint32_t, size_t> counts;
  for (int y = std::max(top, 0); y < bottom; ++y)
    for (int x = origin.x - window.left; x < origin.x - window.left + client.right; ++x) {
      const size_t at = static_cast<size_t>(y) * width + x;
      if (at < pixels.size()) ++counts[pixels[at] & 0xFFFFFF];
    }
  uint32_t most = 0;
  size_t seen = 0;
  for (const auto& [colour, count] : counts)
    if (count > seen) most = colour, seen = count;
  return most;
}

// A window of class name owned by owner (a dialog, the picture's pop-up), once it is shown.
HWND OwnedWindow(HWND owner, const wchar_t* name) {
  HWND found = nullptr;
  WaitUntil([&] {
    found = nullptr;
    for (HWND each = FindWindowExW(nullptr, nullptr, name, nullptr); each && !found;
         each = FindWindowExW(nullptr, each, name, nullptr))
      if (GetWindow(each, GW_OWNER) == owner && IsWindowVisible(each)) found = each;
    return found != nullptr;
  }, 10000);
  return found;
}

void SetAppsLight(DWORD light) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme", REG_DWORD, &light, sizeof light);
}

class ThemeTest : public SearchRoadTest {
 protected:
  void TearDown() override {
    SearchRoadTest::TearDown();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kPersonalize, L"AppsUseLightTheme");
  }
  void Choose(WPARAM command) {
    PostMessageW(frame, WM_COMMAND, command, 0);
    Drain();
  }
  bool Shows(uint32_t content, uint32_t listPaper) {
    return WaitUntil([&] { return Paper(this->content) == content && Paper(list) == listPaper; }, 10000);
  }
  // Whether both bars are painted dark (or both not).
  bool BarsDark(bool dark) {
    HWND toolbar = viewertest::FindChild(frame, L"ToolbarWindow32");
    return WaitUntil([&] { return (Paper(toolbar) == kDarkBars) == dark && (Paper(statusBar) == kDarkBars) == dark; },
                     10000);
  }
};

TEST_F(ThemeTest, TheViewMenuMakesTheListAndTheEntryDarkAndLightAgain) {
  Search(L"はし");
  ASSERT_EQ(WaitForHits(), 3);
  ASSERT_TRUE(Shows(kCream, kWhite)) << std::hex << Paper(content) << " " << Paper(list);
  Choose(kThemeDark);
  EXPECT_TRUE(Shows(kDarkPaper, kDarkPaper)) << std::hex << Paper(content) << " " << Paper(list);
  EXPECT_TRUE(BarsDark(true));
  EXPECT_EQ(Status(1), L"検索結果 : 3    項目") << "the bar keeps its texts";
  uint32_t stored = 0;
  EXPECT_TRUE(exchange::ReadNumberSetting(L"view", L"Theme", &stored));
  EXPECT_EQ(stored, 2u);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "dark_from_menu"));
  // A message over the dark window (the system draws message boxes).
  Search(L"zzzq");
  HWND box = WaitForMessage(viewertest::kNoHit);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return Paper(box) == kDarkBars; }, 5000)) << std::hex << Paper(box);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "dark_message_box"));
  PressOk(box);
  EXPECT_TRUE(WaitUntil([&] { return MenuBarPaper(frame) == kDarkBars; }, 5000)) << std::hex << MenuBarPaper(frame);

  // A dialog of the viewer's: the book's choice.
  PostMessageW(frame, WM_COMMAND, kTitleSelect, 0);
  HWND dialog = OwnedWindow(frame, L"#32770");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return Paper(dialog) == kDarkBars || Paper(dialog) == kDarkPaper; }, 5000))
      << std::hex << Paper(dialog);
  EXPECT_TRUE(viewertest::SaveWindowShot(dialog, "dark_dialog"));
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));

  // The picture of いえ's entry, opened from the keyboard: the first link of the entry.
  Search(L"いえ");
  ASSERT_EQ(WaitForHits(), 1);
  Drain();
  PostMessageW(content, WM_KEYDOWN, VK_TAB, 0);
  PostMessageW(content, WM_KEYDOWN, VK_RETURN, 0);
  HWND picture = OwnedWindow(frame, L"BMP window");
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return Paper(picture) == kDarkBars; }, 5000)) << std::hex << Paper(picture);
  EXPECT_TRUE(viewertest::SaveWindowShot(picture, "dark_picture"));
  PostMessageW(picture, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(picture); }));

  Choose(kThemeLight);
  EXPECT_TRUE(Shows(kCream, kWhite));
  EXPECT_TRUE(BarsDark(false));
  EXPECT_NE(MenuBarPaper(frame), kDarkBars) << "the menu bar is the system's again";
  Choose(kThemeWindows);  // Windows is light here
  EXPECT_TRUE(Shows(kCream, kWhite));
}

TEST_F(ThemeTest, AsWindowsItStartsDarkAndFollowsAChangeWhileRunning) {
  // The viewer that SetUp started is light; Windows' apps go dark and the viewer starts again.
  SetAppsLight(0);
  SearchRoadTest::TearDown();
  SearchRoadTest::SetUp();
  Search(L"はし");
  ASSERT_EQ(WaitForHits(), 3);
  EXPECT_TRUE(Shows(kDarkPaper, kDarkPaper)) << std::hex << Paper(content) << " " << Paper(list);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "dark_from_windows"));

  SetAppsLight(1);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(frame, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"), SMTO_ABORTIFHUNG,
                      5000, &ignored);
  EXPECT_TRUE(Shows(kCream, kWhite));
}

}  // namespace
