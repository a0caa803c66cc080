// Dark mode: chosen in the view menu, or taken from Windows' setting for apps and followed while
// the viewer runs. The list and the entry change their colours; the screenshots show the main
// window with an entry and a message box over it.
#include <gtest/gtest.h>

#include <windows.h>

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
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "dark_message_box"));
  PressOk(box);

  Choose(kThemeLight);
  EXPECT_TRUE(Shows(kCream, kWhite));
  EXPECT_TRUE(BarsDark(false));
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
