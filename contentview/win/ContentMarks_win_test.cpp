// Marks in the content view, as the user makes them: the entry いえ of the sample book shown, text
// marked by mouse messages posted to the view, read back through the exports and the clipboard,
// and the context menu read while it is open.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Calvetta.h"
#include "Clipboard_win.h"
#include "TestFiles.h"
#include "win/test/ViewFixture.h"
#include "win/test/ViewHarness.h"

namespace {

using viewtest::Capture;
using viewtest::Pump;

using viewtest::kBackground;
using viewtest::kButtonColumn;
constexpr COLORREF kInverted = RGB(0, 0, 30);
// The entry's first two paragraphs: いえ【家】　noun / house; home.
const wchar_t kHeadLine[] = L"\u3044\u3048\u3010\u5bb6\u3011\u3000noun";
// Its third: ◇私の家は駅の近くにある。　My house is near the station.
const wchar_t kExample[] =
    L"\u25c7\u79c1\u306e\u5bb6\u306f\u99c5\u306e\u8fd1\u304f\u306b\u3042\u308b\u3002\u3000My house is near the station.";

std::string ShiftJis(const std::wstring& text) {
  int n = WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

using testfiles::ClipboardBytes;
using testfiles::ClipboardUnicode;

void SetClipboardText(const char* text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
  std::memcpy(GlobalLock(memory), text, strlen(text) + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
}

// What a watcher saw of the view's context menu.
struct MenuSeen {
  bool found = false;
  UINT copy = 0;
  UINT search = 0;
};

// Runs beside the view's menu loop: waits for the pop-up menu, reads the states of its two
// items, saves a screenshot of the screen around parent, then posts keys to the menu.
void WatchMenu(MenuSeen* seen, HWND parent, std::vector<WPARAM> keys, std::string shot) {
  for (int i = 0; i < 200 && !seen->found; ++i) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu && IsWindowVisible(menu)) {
      HMENU handle = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
      seen->found = handle != nullptr;
      seen->copy = GetMenuState(handle, 1524, MF_BYCOMMAND);
      seen->search = GetMenuState(handle, 1525, MF_BYCOMMAND);
      if (!shot.empty()) {
        Sleep(200);
        RECT area;
        GetWindowRect(parent, &area);
        viewtest::Surface surface(area.right - area.left + 200, area.bottom - area.top + 100, RGB(0, 0, 0));
        HDC screen = GetDC(nullptr);
        BitBlt(surface.Dc(), 0, 0, area.right - area.left + 200, area.bottom - area.top + 100, screen, area.left,
               area.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        surface.Read().SaveBmp(shot);
      }
      for (WPARAM key : keys) {
        PostMessageW(menu, WM_KEYDOWN, key, 0);
        Sleep(50);
      }
      return;
    }
    Sleep(25);
  }
}

class ContentMarks : public viewtest::ContentView {
 protected:
  // Opens the view `fullWidths` full-width characters wide (plus the button column) and shows
  // the entry.
  void Show(int fullWidths) {
    Open(400, 300);
    lineHeight = LineHeight();
    halfWidth = HalfWidth();
    fullWidth = FullWidth();
    Resize(kButtonColumn + fullWidths * fullWidth + 2, 300);
    ASSERT_EQ(Send(VM_VIEW_SHOWPOS, 0, 0), 1);
  }
  int RowY(int row) const { return row * lineHeight + 3 + lineHeight / 2; }
  void Post(UINT message, WPARAM wParam, int x, int y) { PostMessageW(hwnd, message, wParam, MAKELPARAM(x, y)); }
  void Drag(int fromX, int fromRow, const std::vector<std::pair<int, int>>& to) {
    Post(WM_LBUTTONDOWN, MK_LBUTTON, fromX, RowY(fromRow));
    for (auto [x, row] : to) Post(WM_MOUSEMOVE, MK_LBUTTON, x, RowY(row));
    Post(WM_LBUTTONUP, 0, to.back().first, RowY(to.back().second));
    Pump();
  }
  std::string Marked(int size = 512) {
    std::vector<char> buffer(static_cast<size_t>(size) + 8, '#');
    int32_t n = view.viewGetMarkCont(buffer.data(), size);
    EXPECT_EQ(buffer[static_cast<size_t>(n)], '\0');
    return std::string(buffer.data(), static_cast<size_t>(n));
  }
  MenuSeen RightClick(int x, int row, std::vector<WPARAM> keys, const char* shot = "") {
    MenuSeen seen;
    std::thread watcher(WatchMenu, &seen, parent->Hwnd(), std::move(keys), std::string(shot));
    Post(WM_RBUTTONDOWN, MK_RBUTTON, x, RowY(row));
    Pump();
    watcher.join();
    Pump();
    return seen;
  }
  // The middle of narrow character `index` on a line indented by `indent` full widths.
  int NarrowX(int indent, int index) const { return indent * fullWidth + index * halfWidth + halfWidth / 2; }

  int lineHeight = 16, halfWidth = 8, fullWidth = 16;
};

TEST_F(ContentMarks, DragAcrossParagraphsReadsBackThroughExportsAndClipboard) {
  Show(24);
  EXPECT_EQ(view.viewIsMarkValid(), 0);
  // From the start of the headword line to just before ';' of "house; home", and back: the
  // paragraphs are joined by CR LF, in either direction of the drag.
  std::wstring expected = std::wstring(kHeadLine) + L"\r\nhouse";
  Drag(2, 0, {{NarrowX(2, 5), 1}});
  EXPECT_EQ(Marked(), ShiftJis(expected));
  EXPECT_EQ(view.viewIsMarkValid(), static_cast<int32_t>(ShiftJis(expected).size()));
  Drag(NarrowX(2, 5), 1, {{2, 0}});
  EXPECT_EQ(Marked(), ShiftJis(expected));

  SetClipboardText("before");
  view.viewCopyToClipBoard();
  EXPECT_EQ(ClipboardBytes(), ShiftJis(expected));
  EXPECT_EQ(ClipboardUnicode(), expected);

  EXPECT_EQ(Marked(1), "");
  EXPECT_EQ(Marked(5), ShiftJis(L"\u3044\u3048"));  // never half of 【

  // The marks inverted the text under them, and a partial repaint inverts them again over
  // exactly what it drew.
  Capture full = Capture::Of(parent->Hwnd());
  EXPECT_TRUE(full.SaveBmp("marks-selection"));
  EXPECT_GT(full.Count(kInverted, 0, 0, 200, RowY(1) + lineHeight), 50);
  RECT part = {5, 0, 60, lineHeight + 8};
  InvalidateRect(hwnd, &part, TRUE);
  UpdateWindow(hwnd);
  EXPECT_TRUE(Capture::Of(parent->Hwnd(), false).SameAs(full, 300, 280));

  // New content drops the marks.
  SendMessageW(hwnd, VM_VIEW_SHOWPOS, 0, 0);
  EXPECT_EQ(view.viewIsMarkValid(), 0);
  EXPECT_EQ(Marked(), "");
}

TEST_F(ContentMarks, WrappedLineJoinsWithoutBreakAndShrinkingRestoresTheText) {
  Show(24);
  // The example paragraph wraps once: marking from its first line to the end of its second gives
  // the whole paragraph, then the break before the next one.
  Drag(2, 2, {{2, 4}, {390, 3}});
  EXPECT_EQ(Marked(), ShiftJis(std::wstring(kExample) + L"\r\n"));
  Drag(2, 2, {{390, 2}});
  std::string firstLine = Marked();
  EXPECT_LT(firstLine.size(), ShiftJis(kExample).size());
  EXPECT_EQ(ShiftJis(kExample).compare(0, firstLine.size(), firstLine), 0);

  // After growing and shrinking, what the screen shows equals a fresh paint.
  Drag(NarrowX(2, 2), 1, {{300, 3}, {2, 4}, {NarrowX(2, 6), 1}});
  EXPECT_EQ(Marked(), "use;");
  Capture shown = Capture::Of(parent->Hwnd(), false);
  EXPECT_TRUE(shown.SameAs(Capture::Of(parent->Hwnd()), 300, 280));
}

TEST_F(ContentMarks, ContextMenuGreysWithoutMarksAndSendsItsCommands) {
  Show(24);
  MenuSeen idle = RightClick(100, 1, {VK_ESCAPE}, "marks-menu-greyed");
  ASSERT_TRUE(idle.found);
  EXPECT_TRUE(idle.copy & MF_GRAYED);
  EXPECT_TRUE(idle.search & MF_GRAYED);

  Drag(NarrowX(2, 0), 1, {{NarrowX(2, 5), 1}});
  ASSERT_EQ(Marked(), "house");
  SetClipboardText("before");
  MenuSeen copy = RightClick(100, 1, {VK_DOWN, VK_RETURN}, "marks-menu");
  ASSERT_TRUE(copy.found);
  EXPECT_FALSE(copy.copy & MF_GRAYED);
  EXPECT_FALSE(copy.search & MF_GRAYED);
  EXPECT_EQ(ClipboardBytes(), "house");
  EXPECT_EQ(parent->searchMarkCount, 0);

  MenuSeen search = RightClick(100, 1, {VK_DOWN, VK_DOWN, VK_RETURN});
  ASSERT_TRUE(search.found);
  EXPECT_EQ(parent->searchMarkCount, 1);
  EXPECT_EQ(Marked(), "house");  // the parent then takes the word

  // While another window holds the clipboard open, a copy leaves it as it was.
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetClipboardText("kept");
  std::thread holder([&] {
    if (OpenClipboard(nullptr)) {
      SetEvent(opened);
      WaitForSingleObject(done, 5000);
      CloseClipboard();
    }
  });
  ASSERT_EQ(WaitForSingleObject(opened, 5000), WAIT_OBJECT_0);
  view.viewCopyToClipBoard();
  SetEvent(done);
  holder.join();
  CloseHandle(opened);
  CloseHandle(done);
  EXPECT_EQ(ClipboardBytes(), "kept");
}

}  // namespace
