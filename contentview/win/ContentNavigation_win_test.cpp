// Moving through the view as the user does: scroll keys, a held scroll button, the cursor over
// references, pictures and sound, and clicks that follow references. Driven with the real
// messages; what the view shows is read back from its window.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "win/test/ViewFixture.h"
#include "win/test/ViewHarness.h"

namespace {

using namespace viewtest;

bool IsBrown(COLORREF c) {
  return GetRValue(c) > 90 && GetRValue(c) < 170 && GetGValue(c) > 30 && GetGValue(c) < 100 && GetBValue(c) < 40;
}
bool IsInk(COLORREF c) { return c != kBackground; }

class Navigation : public ContentView {
 protected:
  // What the view shows now, read from its window without handling any message (so also from
  // inside its repeat loop).
  Capture Now() const {
    RECT client = Client();
    Surface surface(client.right, client.bottom, RGB(0, 0, 0));
    HDC dc = GetDC(hwnd);
    BitBlt(surface.Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
    return surface.Read();
  }
  bool Same(const Capture& a, const Capture& b) const { return a.SameAs(b, TextRight(), Client().bottom); }

  // The leftmost pixel passing test in text rows [firstRow, lastRow], as a point in the middle of
  // its row (rows are line-height bands from the top of the client area). False when none.
  bool Leftmost(const Capture& capture, bool (*test)(COLORREF), POINT* point, int firstRow = 0, int lastRow = 1000) {
    int lh = LineHeight();
    for (int x = 0; x < TextRight(); ++x)
      for (int y = 3 + firstRow * lh; y < Client().bottom && y < 3 + (lastRow + 1) * lh; ++y)
        if (test(capture.At(x, y))) {
          int row = (y - 3) / lh;
          *point = {x + 1, row * lh + lh / 2};
          return true;
        }
    return false;
  }
  // The first text row from `from` on with a pixel passing test; -1 when none.
  int RowWith(const Capture& capture, bool (*test)(COLORREF), int from) {
    for (int row = from; 3 + (row + 1) * LineHeight() <= Client().bottom; ++row)
      if (RowEdge(capture, row, test, false) >= 0) return row;
    return -1;
  }
  // The first or last pixel of the row passing test, by column; -1 when none.
  int RowEdge(const Capture& capture, int row, bool (*test)(COLORREF), bool last) {
    int lh = LineHeight(), found = -1;
    for (int x = 0; x < TextRight(); ++x)
      for (int y = 3 + row * lh; y < 3 + (row + 1) * lh && y < Client().bottom; ++y)
        if (test(capture.At(x, y))) {
          if (!last) return x;
          found = x;
        }
    return found;
  }

  void Key(WPARAM key) { Send(WM_KEYDOWN, key, 0); }
  void Click(POINT p) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  }
  // The cursor the view sets for the pointer at p.
  HCURSOR CursorAt(POINT p) {
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    SetCursor(nullptr);
    Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  }
  // What a cursor looks like: its hotspot, then the bits of its mask and of its colours. The
  // view owns its cursors (each made for its resolution), so they are told by their looks.
  static std::vector<uint8_t> Look(HCURSOR cursor) {
    ICONINFO info = {};
    if (!cursor || !GetIconInfo(cursor, &info)) return {};
    std::vector<uint8_t> look = {static_cast<uint8_t>(info.xHotspot), static_cast<uint8_t>(info.yHotspot)};
    for (HBITMAP bitmap : {info.hbmMask, info.hbmColor}) {
      BITMAP shape = {};
      if (!bitmap || !GetObjectW(bitmap, sizeof shape, &shape)) continue;
      std::vector<uint8_t> bits(static_cast<size_t>(shape.bmWidthBytes) * shape.bmHeight);
      GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data());
      look.insert(look.end(), bits.begin(), bits.end());
      DeleteObject(bitmap);
    }
    return look;
  }
  // The look of the view's cursor id at a 96-dots-an-inch screen's size.
  static std::vector<uint8_t> ViewCursor(int id) {
    HCURSOR cursor = static_cast<HCURSOR>(
        LoadImageW(GetModuleHandleW(L"Calvetta.dll"), MAKEINTRESOURCEW(id), IMAGE_CURSOR, 32, 32, 0));
    std::vector<uint8_t> look = Look(cursor);
    if (cursor) DestroyCursor(cursor);
    return look;
  }
  int32_t Entry(const char* id) {
    int32_t position = testfiles::MappedEntryPosition("sample", id);
    EXPECT_GE(position, 0) << id;
    return position;
  }
};

TEST_F(Navigation, KeysScrollAndDoNothingAtTheEndsOfTheText) {
  Open(400, 70);
  ASSERT_EQ(Send(VM_VIEW_SHOWAT, 0, Entry("ai")), 1);  // the first entry: the text begins there
  Capture top = Now();
  EXPECT_EQ(ButtonsEnabled(), (std::vector<bool>{false, true, false, true}));
  Key(VK_UP);
  Key(VK_PRIOR);
  EXPECT_TRUE(Same(Now(), top));

  Key(VK_DOWN);
  Capture down = Now();
  EXPECT_FALSE(Same(down, top));
  Key(VK_UP);
  EXPECT_TRUE(Same(Now(), top));
  Key(VK_NEXT);
  Capture page = Now();
  EXPECT_FALSE(Same(page, top));
  EXPECT_FALSE(Same(page, down));
  Key(VK_PRIOR);
  EXPECT_TRUE(Same(Now(), top));
  Key(VK_SPACE);  // any other key: nothing moves
  EXPECT_TRUE(Same(Now(), top));

  ASSERT_EQ(Send(VM_VIEW_SHOWAT, 0, Entry("en-river")), 1);  // twelve entries before the end
  for (int i = 0; i < 50 && ButtonsEnabled()[3]; ++i) Key(VK_NEXT);
  EXPECT_EQ(ButtonsEnabled(), (std::vector<bool>{true, false, true, false}));
  Capture end = Shot("nav-01-end-of-text");
  Key(VK_DOWN);
  Key(VK_NEXT);
  EXPECT_TRUE(Same(Now(), end));
  Key(VK_UP);
  EXPECT_FALSE(Same(Now(), end));
  EXPECT_EQ(parent->failedCount, 0);
}

// Holding page down as the mouse does it: the button is pressed, and released from a timer
// while the view repeats.
class HeldButton : public Navigation {
 protected:
  struct Sample {
    ULONGLONG ms;
    bool onePageDown;
  };
  static HeldButton* current;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { current->OnTick(); }
  void OnTick() {
    ULONGLONG ms = GetTickCount64() - start;
    samples.push_back({ms, Same(Now(), onePage)});
    if (releaseAfterMs && ms >= releaseAfterMs && !releasePosted) {
      PostMessageW(GetDlgItem(hwnd, 2025), WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
      releasePosted = true;
    }
  }
  // Presses page down and returns once the view has stopped repeating.
  void Hold(ULONGLONG releaseAfter) {
    current = this;
    releaseAfterMs = releaseAfter;
    samples.clear();
    start = GetTickCount64();
    UINT_PTR timer = SetTimer(nullptr, 0, 20, &Tick);
    SendMessageW(GetDlgItem(hwnd, 2025), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
    Pump();  // the press is handled in here, and the repeat runs until it stops
    elapsed = GetTickCount64() - start;
    KillTimer(nullptr, timer);
    if (!releasePosted) SendMessageW(GetDlgItem(hwnd, 2025), WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
    Pump();
  }
  ULONGLONG start = 0, elapsed = 0, releaseAfterMs = 0;
  bool releasePosted = false;
  Capture onePage;
  std::vector<Sample> samples;
};
HeldButton* HeldButton::current = nullptr;

TEST_F(HeldButton, RepeatsAfterAPauseUntilReleased) {
  Open(400, 50);  // two lines a page: far from the end of the text
  ASSERT_EQ(Send(VM_VIEW_SHOWAT, 0, Entry("ai")), 1);
  Key(VK_NEXT);  // the same step as the button's
  onePage = Now();
  ASSERT_EQ(Send(VM_VIEW_SHOWAT, 0, Entry("ai")), 1);

  Hold(300);
  ASSERT_TRUE(releasePosted);
  // Until the pause is over the view shows the first page down, and only then moves on.
  int inPause = 0;
  for (const Sample& s : samples)
    if (s.ms < 230) {
      EXPECT_TRUE(s.onePageDown) << "moved on after " << s.ms << " ms";
      ++inPause;
    }
  EXPECT_GT(inPause, 0);
  Capture released = Shot("nav-02-page-down-released");
  EXPECT_FALSE(Same(released, onePage)) << "no repeat after the pause";
  EXPECT_EQ(ButtonsEnabled(), std::vector<bool>(4, true)) << "the release, not the end, stopped it";
}

TEST_F(HeldButton, RepeatsToTheEndOfTheTextAndDisablesTheDownButtons) {
  Open(400, 70);
  ASSERT_EQ(Send(VM_VIEW_SHOWAT, 0, Entry("en-river")), 1);
  Hold(0);  // never released
  EXPECT_GE(elapsed, 250u);
  EXPECT_EQ(ButtonsEnabled(), (std::vector<bool>{true, false, true, false}));
  Shot("nav-03-page-down-held-to-the-end");
  EXPECT_EQ(parent->failedCount, 0);
}

TEST_F(Navigation, CursorShowsWhatLiesUnderThePointer) {
  Open(480, 300);
  ASSERT_EQ(Send(VM_VIEW_SHOWPOS, 0, 0), 1);  // いえ: references and a picture
  Capture house = Shot("nav-04-hover");
  POINT reference = {}, picture = {}, plain = {};
  ASSERT_TRUE(Leftmost(house, IsBlue, &reference));
  ASSERT_TRUE(Leftmost(house, IsRed, &picture));
  ASSERT_TRUE(Leftmost(house, IsInk, &plain));  // the bold headword
  ASSERT_NE(ViewCursor(146), ViewCursor(148));
  EXPECT_EQ(Look(CursorAt(reference)), ViewCursor(146));
  EXPECT_EQ(Look(CursorAt(picture)), ViewCursor(148));
  EXPECT_EQ(CursorAt(plain), LoadCursorW(nullptr, IDC_ARROW));
  EXPECT_EQ(CursorAt(POINT{TextRight() - 2, Client().bottom - 2}), LoadCursorW(nullptr, IDC_ARROW));

  ASSERT_EQ(Send(VM_VIEW_SHOWAT, 0, Entry("beru")), 1);
  POINT sound = {};
  ASSERT_TRUE(Leftmost(Now(), IsBrown, &sound));
  EXPECT_EQ(Look(CursorAt(sound)), ViewCursor(145));
  view.viewSetContentBlank();
  Pump();
  EXPECT_EQ(CursorAt(sound), LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(Navigation, ClickingAPictureOrASoundOpensIt) {
  Open(480, 300);
  ASSERT_EQ(Send(VM_VIEW_SHOWPOS, 0, 0), 1);  // いえ: a drawing of a house
  POINT picture = {};
  ASSERT_TRUE(Leftmost(Now(), IsRed, &picture));
  Click(picture);
  HWND popup = FindWindowW(L"BMP window", nullptr);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(TextOf(popup), L"\u753b\u50cf");  // 画像
  PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  EXPECT_EQ(FindWindowW(L"BMP window", nullptr), nullptr);

  wchar_t temp[400];
  ASSERT_GT(GetTempPathW(400, temp), 0u);
  std::filesystem::path wave = std::filesystem::path(temp) / "temp.wav";
  std::filesystem::remove(wave);
  ASSERT_EQ(Send(VM_VIEW_SHOWAT, 0, Entry("beru")), 1);  // sound data
  POINT bell = {};
  ASSERT_TRUE(Leftmost(Now(), IsBrown, &bell));
  Click(bell);
  testfiles::Bytes written = testfiles::ReadFile(wave);  // no sound device under Wine: the file counts
  ASSERT_GT(written.size(), 12u);
  EXPECT_EQ(std::string(written.begin(), written.begin() + 4), "RIFF");

  ASSERT_EQ(Send(VM_VIEW_SHOWAT, 0, Entry("ongaku")), 1);  // a piece on CD
  POINT music = {};
  ASSERT_TRUE(Leftmost(Now(), IsBrown, &music));
  std::wstring caption;
  WhileModal([&] { Click(music); },
             [&] {
               HWND box = OwnedDialog(hwnd);
               if (!box) return false;
               caption = TextOf(box);
               PostMessageW(box, WM_COMMAND, IDOK, 0);
               return true;
             });
  EXPECT_EQ(caption, L"DUDAZA Zorari");  // no CD drive here: the failure is shown
  EXPECT_EQ(parent->failedCount, 0);
}

TEST_F(Navigation, ClickingAReferenceShowsItsEntryAndReportsTheHeadwordLeft) {
  Open(480, 300);
  ASSERT_EQ(Send(VM_VIEW_SHOWPOS, 0, 0), 1);
  Capture house = Now();
  // The first blue row holds the references of いえ; the next one is in the entry after it
  // (いく), which the view shows on the same page.
  int first = RowWith(house, IsBlue, 0);
  int next = RowWith(house, IsBlue, first + 1);
  POINT heya = {}, kuru = {};
  ASSERT_TRUE(first >= 0 && Leftmost(house, IsBlue, &heya, first, first));
  ASSERT_TRUE(next >= 0 && Leftmost(house, IsBlue, &kuru, next, next));
  Click(heya);
  EXPECT_EQ(parent->histories, std::vector<LPARAM>{Entry("ie")});
  Capture followed = Shot("nav-05-followed-reference");
  ASSERT_EQ(Send(VM_VIEW_SHOWAT, 0, Entry("heya")), 1);
  EXPECT_TRUE(Same(Now(), followed)) << "not the entry of へや";

  ASSERT_EQ(Send(VM_VIEW_SHOWPOS, 0, 0), 1);
  Click(kuru);
  EXPECT_EQ(parent->histories, (std::vector<LPARAM>{Entry("ie"), Entry("iku")}));
  followed = Now();
  ASSERT_EQ(Send(VM_VIEW_SHOWAT, 0, Entry("kuru")), 1);
  EXPECT_TRUE(Same(Now(), followed)) << "not the entry of くる";

  // Plain text starts a selection instead: nothing is followed.
  POINT plain = {};
  ASSERT_TRUE(Leftmost(followed, IsInk, &plain));
  Click(plain);
  EXPECT_EQ(parent->histories.size(), 2u);
  EXPECT_EQ(parent->failedCount, 0);
}

TEST_F(Navigation, SecondLineOfAWrappedReferenceFollowsTheSameReference) {
  Open(480, 300);
  ASSERT_EQ(Send(VM_VIEW_SHOWPOS, 0, 0), 1);
  // Narrow the view until a reference wraps: a row that ends in blue above a row that starts
  // with blue (references are separated by black punctuation otherwise).
  int row = -1;
  int width = 480;
  for (; width >= 200 && row < 0; width -= 4) {
    Resize(width, 300);
    Capture c = Now();
    for (int r = 0; r + 1 < (Client().bottom - 3) / LineHeight() && row < 0; ++r) {
      int lastInk = RowEdge(c, r, IsInk, true), firstInk = RowEdge(c, r + 1, IsInk, false);
      int lastBlue = RowEdge(c, r, IsBlue, true), firstBlue = RowEdge(c, r + 1, IsBlue, false);
      if (lastInk >= 0 && firstInk >= 0 && lastBlue >= lastInk - 2 && firstBlue >= 0 && firstBlue <= firstInk + 2)
        row = r;
    }
  }
  ASSERT_GE(row, 0) << "no width wraps a reference";
  Capture wrapped = Shot("nav-06-wrapped-reference");
  int lh = LineHeight();
  POINT upper = {RowEdge(wrapped, row, IsBlue, true) - 1, row * lh + lh / 2};
  POINT lower = {RowEdge(wrapped, row + 1, IsBlue, false) + 1, (row + 1) * lh + lh / 2};

  Click(lower);
  Capture fromLower = Now();
  EXPECT_FALSE(Same(fromLower, wrapped));
  ASSERT_EQ(Send(VM_VIEW_SHOWPOS, 0, 0), 1);
  Click(upper);
  EXPECT_TRUE(Same(Now(), fromLower));
  EXPECT_EQ(parent->histories, (std::vector<LPARAM>{Entry("ie"), Entry("ie")}));
}

}  // namespace
