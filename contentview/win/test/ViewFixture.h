// The content view's test fixture: the sample book opened and searched for いえ, a parent window
// standing in for the viewer's content pane, the view created in it, and what the tests read
// back from the window (captures, buttons, the view's font measures).
#ifndef CALVETTA_WIN_TEST_VIEWFIXTURE_H
#define CALVETTA_WIN_TEST_VIEWFIXTURE_H

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Calvetta.h"
#include "TestFiles.h"
#include "win/test/ViewHarness.h"

namespace viewtest {

inline constexpr COLORREF kBackground = RGB(255, 255, 225);
inline constexpr int kButtonColumn = 16;
inline constexpr int kButtonIds[] = {2022, 2023, 2024, 2025};  // line up, line down, page up, page down
// いえ as JIS X 0208: the entry of the house, with a bold keyword, a picture, an external
// character and two references.
inline const char kHouseKey[] = "\x24\x24\x24\x28";
// The same nine kanji the view measures its full width with: 漢字辞典国語英和林.
inline const wchar_t kNineKanji[] = L"\u6f22\u5b57\u8f9e\u5178\u56fd\u8a9e\u82f1\u548c\u6797";

inline bool IsBlue(COLORREF c) { return GetBValue(c) > 180 && GetRValue(c) < 100 && GetGValue(c) < 100; }
inline bool IsRed(COLORREF c) { return GetRValue(c) > 220 && GetGValue(c) < 40 && GetBValue(c) < 40; }

inline int CountWhere(const Capture& capture, int right, int bottom, bool (*test)(COLORREF)) {
  int n = 0;
  for (int y = 0; y < bottom; ++y)
    for (int x = 0; x < right; ++x) n += test(capture.At(x, y));
  return n;
}

// The first pixel row (left of right) that holds a pixel passing test; -1 when none does.
inline int FirstRowWhere(const Capture& capture, int right, int bottom, bool (*test)(COLORREF)) {
  for (int y = 0; y < bottom; ++y)
    for (int x = 0; x < right; ++x)
      if (test(capture.At(x, y))) return y;
  return -1;
}

class ContentView : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(view.Bind()) << "cannot bind Calvetta.dll";
    ASSERT_TRUE(book.Bind()) << "cannot bind Dunmoor.dll";
    std::string root = testfiles::BuiltBook("sample").make_preferred().string();
    ASSERT_EQ(book.OpenEpwing(root.c_str()), 1) << root;
    ASSERT_EQ(book.epwBooksOpen(), 1);
    char key[sizeof kHouseKey];
    std::memcpy(key, kHouseKey, sizeof key);
    WordProperties properties = {};
    ASSERT_EQ(book.epwGetWordProperties(key, &properties), 1);
    ASSERT_GE(properties.hitCount, 1);
  }
  void TearDown() override {
    parent.reset();
    if (book.epwBooksClose) book.epwBooksClose();
    if (book.CloseEpwing) book.CloseEpwing();
  }

  void Open(int width, int height) {
    parent = std::make_unique<viewtest::ParentWindow>();
    ASSERT_TRUE(parent->Create(width, height));
    hwnd = static_cast<HWND>(view.viewCreateView(parent->Hwnd(), 0, 0, width, height));
    ASSERT_NE(hwnd, nullptr);
    Pump();
  }
  void Resize(int width, int height) {
    MoveWindow(hwnd, 0, 0, width, height, TRUE);
    Pump();
  }
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = SendMessageW(hwnd, message, wParam, lParam);
    Pump();
    return result;
  }
  RECT Client() const {
    RECT r;
    GetClientRect(hwnd, &r);
    return r;
  }
  // The capture of the parent's client area, saved under name.
  Capture Shot(const char* name) {
    Capture capture = Capture::Of(parent->Hwnd());
    EXPECT_TRUE(capture.SaveBmp(name));
    return capture;
  }
  int TextRight() const { return Client().right - kButtonColumn; }
  bool TextAreaIsBlank(const Capture& capture) const {
    RECT r = Client();
    int right = r.right - kButtonColumn;
    return capture.Count(kBackground, 0, 0, right, r.bottom) == right * r.bottom;
  }
  std::vector<bool> ButtonsEnabled() const {
    std::vector<bool> enabled;
    for (int id : kButtonIds) enabled.push_back(IsWindowEnabled(GetDlgItem(hwnd, id)) != 0);
    return enabled;
  }
  HFONT ViewFont() const { return reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)); }
  TEXTMETRICW ViewMetrics() const {
    viewtest::Surface surface(8, 8, kBackground);
    SelectObject(surface.Dc(), ViewFont());
    TEXTMETRICW tm = {};
    GetTextMetricsW(surface.Dc(), &tm);
    return tm;
  }
  int LineHeight() const {
    TEXTMETRICW tm = ViewMetrics();
    return tm.tmHeight + tm.tmExternalLeading + 1;
  }
  int HalfWidth() const { return ViewMetrics().tmAveCharWidth; }
  int FullWidth() const {
    viewtest::Surface surface(8, 8, kBackground);
    SelectObject(surface.Dc(), ViewFont());
    SIZE extent = {};
    GetTextExtentPoint32W(surface.Dc(), kNineKanji, 9, &extent);
    return extent.cx / 9;
  }

  viewtest::CalvettaApi view;
  viewtest::BookApi book;
  std::unique_ptr<viewtest::ParentWindow> parent;
  HWND hwnd = nullptr;
};

}  // namespace viewtest

#endif  // CALVETTA_WIN_TEST_VIEWFIXTURE_H
