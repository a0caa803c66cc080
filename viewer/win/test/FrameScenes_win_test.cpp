// Brisvane.exe under Wine, driven as a user drives it: a search with more hits than the list
// holds, Cancel in the progress dialog, the list-width toggle, the toolbar's prompts, F1, a
// headword with external characters drawn in the list, the text size (by the wheel and by the
// keyboard), and a move to a monitor of another resolution.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "BrisvaneRes.h"
#include "Calvetta.h"
#include "SearchFixture.h"
#include "Settings_win.h"

namespace {

using viewertest::SearchRoadTest;
using viewertest::WaitUntil;
using viewertest::WindowText;

constexpr int kTakusanHits = 32800;  // entries of the book "manyhits" read たくさん
const std::wstring kCapped = L"検索結果 : 32766/32800    項目";

class ManyHitsTest : public SearchRoadTest {
 protected:
  std::string BookName() const override { return "manyhits"; }
};

TEST_F(ManyHitsTest, MoreHitsThanTheListHoldsFillItToItsLimit) {
  Search(L"たくさん");
  ASSERT_TRUE(WaitForEnd());
  EXPECT_EQ(Status(1), kCapped);
  EXPECT_EQ(Count(), 32766);
  EXPECT_EQ(Selection(), 0);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "search_capped_list"));
}

TEST_F(ManyHitsTest, CancelAfterTheFirstBatchKeepsWhatIsListed) {
  // The dialog adds 4000 items a tick, 50 ms apart; Cancel must arrive between two ticks.
  // Should a busy machine let the search finish first, it is tried again with a word that
  // finds the same entries.
  const wchar_t* const words[] = {L"たくさん", L"たくさん*", L"たくさん", L"たくさん*"};
  int listed = 0;
  for (const wchar_t* word : words) {
    Search(word);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = ProgressDialog()) != nullptr && Count() >= 4000; }));
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForEnd());
    listed = Count();
    if (listed < 32766) break;
  }
  ASSERT_LT(listed, 32766) << "every search ended before Cancel arrived";
  EXPECT_EQ(listed % 4000, 0);
  EXPECT_EQ(Status(1), L"検索結果 : " + std::to_wstring(listed) + L"    項目");
  EXPECT_EQ(Selection(), 0);
  EXPECT_EQ(viewer.FindTopWindow(L"#32770"), nullptr);  // no message: hits were listed
}

// Which pixels of the list's first item, found on the screen, are white: the selected item is
// drawn white on navy, and so are its external characters.
struct ItemInk {
  int width = 0, height = 0;
  std::vector<bool> white;
  bool At(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height && white[y * width + x]; }
  bool Block(int left, int top, int w, int h) const {
    for (int y = top; y < top + h; ++y)
      for (int x = left; x < left + w; ++x)
        if (!At(x, y)) return false;
    return true;
  }
};

TEST_F(ManyHitsTest, ExternalCharactersOfAHeadwordAreDrawnFromTheBooksFonts) {
  Search(L"かたち");
  ASSERT_TRUE(WaitForEnd());
  ASSERT_EQ(Count(), 1);
  int itemHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  RECT client = {};
  GetClientRect(list, &client);
  POINT origin = {0, 0};
  ClientToScreen(list, &origin);
  RECT frameRect = {};
  GetWindowRect(frame, &frameRect);
  std::vector<uint32_t> pixels = viewertest::SettledPixels(frame);
  ASSERT_FALSE(pixels.empty());
  int frameWidth = frameRect.right - frameRect.left;
  ItemInk ink;
  ink.width = client.right;
  ink.height = itemHeight;
  ink.white.resize(static_cast<size_t>(ink.width) * ink.height);
  for (int y = 0; y < ink.height; ++y)
    for (int x = 0; x < ink.width; ++x) {
      size_t at = static_cast<size_t>(origin.y - frameRect.top + y) * frameWidth + (origin.x - frameRect.left + x);
      ink.white[y * ink.width + x] = at < pixels.size() && (pixels[at] & 0xFFFFFF) == 0xFFFFFF;
    }
  // Both glyphs are solid: the wide one fills 16 x 16 pixels, and 17 pixels on the narrow one
  // fills 8 x 16, with paper between them and after the narrow one.
  int wideLeft = -1, top = -1;
  for (int y = 0; y + 16 <= ink.height && wideLeft < 0; ++y)
    for (int x = 0; x + 16 <= ink.width; ++x)
      if (ink.Block(x, y, 16, 16)) {
        wideLeft = x;
        top = y;
        break;
      }
  ASSERT_GE(wideLeft, 0) << "no wide external character in the item";
  EXPECT_EQ(top, 3);  // drawn at the item's top + 3
  EXPECT_TRUE(ink.Block(wideLeft + 17, top, 8, 16)) << "no narrow external character beside it";
  EXPECT_FALSE(ink.At(wideLeft + 16, top + 8));
  EXPECT_FALSE(ink.At(wideLeft + 25, top + 8));
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "headword_external_characters"));
}

class FrameTest : public SearchRoadTest {
 protected:
  int Width(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return IsWindowVisible(window) ? rect.right - rect.left : 0;
  }
  // Clicks a toolbar button (index as created: 0 is the word box's place) as the mouse does.
  void Click(HWND toolbar, int index) {
    RECT button = viewertest::RemoteRect(viewer.Id(), toolbar, TB_GETITEMRECT, index);
    LPARAM at = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    PostMessageW(toolbar, WM_MOUSEMOVE, 0, at);
    PostMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(toolbar, WM_LBUTTONUP, 0, at);
    Drain();
  }
  HWND Toolbar() { return GetParent(wordBox); }
};

TEST_F(FrameTest, TheToggleGivesTheListTheWholeWidthAndBack) {
  HWND listPane = GetParent(list), contentPane = GetParent(content), split = GetParent(listPane);
  // Wine may still change the maximised frame's size under the test: the widths are compared
  // with the splitter's width at the time.
  ASSERT_EQ(Width(listPane), 200);
  ASSERT_EQ(Width(contentPane), Width(split) - 200 - 7);  // the bar between them is 7 pixels
  for (int round = 0; round < 2; ++round) {
    Click(Toolbar(), 3);
    EXPECT_EQ(Width(listPane), Width(split)) << round;
    EXPECT_EQ(Width(contentPane), 0) << round;
    EXPECT_TRUE(SendMessageW(Toolbar(), TB_ISBUTTONCHECKED, IDM_TOGGLE_LIST, 0)) << round;
    Click(Toolbar(), 3);
    EXPECT_EQ(Width(listPane), 200) << round;
    EXPECT_EQ(Width(contentPane), Width(split) - 200 - 7) << round;
    EXPECT_FALSE(SendMessageW(Toolbar(), TB_ISBUTTONCHECKED, IDM_TOGGLE_LIST, 0)) << round;
  }
}

TEST_F(FrameTest, TheToolbarIs30PixelsHighAndPromptsForTheButtonUnderThePointer) {
  HWND toolbar = Toolbar();
  RECT bar = {};
  GetWindowRect(toolbar, &bar);
  EXPECT_EQ(bar.bottom - bar.top, 30);
  struct Expected {
    int index;
    const wchar_t* prompt;
  };
  for (Expected button : {Expected{2, L"最新の情報に更新"}, Expected{3, L" 画面の切り替え"},
                          Expected{6, L"本の中で、表示している項目の前の項目を表示します"},
                          Expected{7, L"本の中で、表示している項目の次の項目を表示します"},
                          Expected{8, L"表示している箇所にしおりを挟みます"}, Expected{9, L"バージョン情報"}}) {
    RECT rect = viewertest::RemoteRect(viewer.Id(), toolbar, TB_GETITEMRECT, button.index);
    PostMessageW(toolbar, WM_MOUSEMOVE, 0, MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
    EXPECT_TRUE(WaitUntil([&] { return Status(0) == button.prompt; }, 5000)) << button.index;
  }
  PostMessageW(toolbar, WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return Status(0) == L" "; }, 5000)) << "the prompt stayed";
}

// F1 opens Brisvane.chm, the help the build puts beside the viewer, in the system's help viewer
// (another program, ended however the test ends: it would hold the help file and the test's
// output open).
TEST_F(FrameTest, F1OpensTheHelpBesideTheViewer) {
  ASSERT_TRUE(std::filesystem::exists(viewertest::BinDir() / "Brisvane.chm"));
  struct HelpViewer {
    HWND window = nullptr;
    ~HelpViewer() {
      DWORD process = 0;
      if (!window || !GetWindowThreadProcessId(window, &process)) return;
      if (HANDLE handle = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process)) {
        TerminateProcess(handle, 0);
        WaitForSingleObject(handle, 5000);
        CloseHandle(handle);
      }
    }
  } help;
  PostMessageW(frame, WM_KEYDOWN, VK_F1, 0);
  PostMessageW(frame, WM_KEYUP, VK_F1, 0);
  ASSERT_TRUE(WaitUntil([&] {
    help.window = FindWindowW(L"HH Parent", nullptr);
    return help.window && IsWindowVisible(help.window);
  })) << "no help window";
  // The help viewer reads the help's title and contents in the system's code page: whole under a
  // Japanese one (the run with the suffix -ja_JP), the Latin part under any other.
  if (GetACP() == 932) EXPECT_EQ(WindowText(help.window), L"DUDAZA Zorari ヘルプ");
  else EXPECT_EQ(WindowText(help.window).rfind(L"DUDAZA Zorari ", 0), 0u);
  EXPECT_EQ(viewer.FindTopWindow(L"#32770"), nullptr) << "a message instead of the help";
  EXPECT_TRUE(viewertest::SaveWindowShot(help.window, "help_window"));
}

TEST_F(FrameTest, F1WithoutAHelpFileSaysWhereItLooked) {
  // The help moved away for this test, and back however it ends.
  struct MovedAway {
    std::filesystem::path from = viewertest::BinDir() / "Brisvane.chm", to = from.string() + ".away";
    bool moved = MoveFileW(from.c_str(), to.c_str()) != 0;
    ~MovedAway() {
      if (moved) MoveFileW(to.c_str(), from.c_str());
    }
  } away;
  ASSERT_TRUE(away.moved);
  PostMessageW(frame, WM_KEYDOWN, VK_F1, 0);
  PostMessageW(frame, WM_KEYUP, VK_F1, 0);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = viewer.FindTopWindow(L"#32770")) != nullptr; }));
  EXPECT_EQ(WindowText(box), L"DUDAZA Zorari");
  std::wstring text = WindowText(GetDlgItem(box, 0xFFFF));
  EXPECT_EQ(text.rfind(L"ヘルプ ファイルが見つかりません:\n", 0), 0u) << text;
  EXPECT_NE(text.find(L"\\Brisvane.chm"), std::wstring::npos) << text;
  PressOk(box);
}

// The text size: Ctrl + the wheel over the view makes the entry larger, and the size is there
// again after a restart. Each run starts and ends at the normal size, so no other scene sees it.
class TextSizeTest : public SearchRoadTest {
 protected:
  void SetUp() override {
    exchange::WriteNumberSetting(L"view", L"TextSize", 100);
    SearchRoadTest::SetUp();
  }
  void TearDown() override {
    SearchRoadTest::TearDown();
    exchange::WriteNumberSetting(L"view", L"TextSize", 100);
  }

  // The height of the first line of ink in the view: the entry's headword.
  int FirstLineHeight() {
    std::vector<uint32_t> pixels = viewertest::SettledPixels(content);
    RECT rect = {};
    GetWindowRect(content, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (pixels.empty() || width <= 80) return 0;
    const uint32_t paper = pixels[0];
    HDC screen = GetDC(nullptr);
    const int buttons = MulDiv(20, GetDeviceCaps(screen, LOGPIXELSX), 96);  // 16 pixels at 96 dpi, and a margin
    ReleaseDC(nullptr, screen);
    auto inked = [&](int y) {
      for (int x = 0; x < width - buttons; ++x)  // the scroll buttons' column left out
        if (pixels[static_cast<size_t>(y) * width + x] != paper) return true;
      return false;
    };
    int top = 0;
    while (top < height && !inked(top)) ++top;
    int bottom = top;
    while (bottom < height && inked(bottom)) ++bottom;
    return bottom - top;
  }

  void WheelWithCtrl(int notches) {
    RECT rect = {};
    GetWindowRect(content, &rect);
    for (int i = 0; i < notches; ++i)
      PostMessageW(content, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA),
                   MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
    Drain();
  }
};

TEST_F(TextSizeTest, CtrlAndTheWheelMakeTheEntryLargerAndTheSizeSurvivesARestart) {
  Search(L"はし");
  ASSERT_GT(WaitForHits(), 0);
  const int normal = FirstLineHeight();
  ASSERT_GT(normal, 4);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "text_size_normal"));

  WheelWithCtrl(3);  // 110, 125, 150 percent
  const int larger = FirstLineHeight();
  EXPECT_GE(larger * 100, normal * 130) << normal << " -> " << larger;
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "text_size_larger"));
  uint32_t stored = 0;
  EXPECT_TRUE(exchange::ReadNumberSetting(L"view", L"TextSize", &stored));
  EXPECT_EQ(stored, 150u);

  SearchRoadTest::TearDown();
  SearchRoadTest::SetUp();
  Search(L"はし");
  ASSERT_GT(WaitForHits(), 0);
  EXPECT_EQ(FirstLineHeight(), larger);

  // The menu's command takes it back to the normal size.
  PostMessageW(frame, WM_COMMAND, IDM_TEXT_NORMAL, 0);
  Drain();
  EXPECT_EQ(FirstLineHeight(), normal);
}

// Ctrl + plus, pressed on the keyboard three times: keys that go through the system's input, so
// that the viewer's accelerators see Ctrl held down (a posted key carries no such state).
TEST_F(TextSizeTest, CtrlPlusThreeTimesOnTheKeyboardMakesTheEntryLarger) {
  Search(L"はし");
  ASSERT_GT(WaitForHits(), 0);
  const int normal = FirstLineHeight();
  ASSERT_GT(normal, 4);
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == frame; })) << "the viewer is not in front";
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(viewertest::PressKeys({VK_CONTROL, VK_OEM_PLUS}));
  uint32_t stored = 0;
  EXPECT_TRUE(WaitUntil([&] { return exchange::ReadNumberSetting(L"view", L"TextSize", &stored) && stored == 150; }))
      << "the size stored is " << stored;
  Drain();
  const int larger = FirstLineHeight();
  EXPECT_GE(larger * 100, normal * 130) << normal << " -> " << larger;
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "text_size_ctrl_plus"));
}

// The list's width: where the user dragged the bar, after a restart too, and in proportion to
// the text size (a larger text would cut the headwords and the shelf's labels otherwise).
TEST_F(TextSizeTest, TheListKeepsTheWidthItWasDraggedToAndGrowsWithTheText) {
  HWND pane = GetParent(list);
  HWND splitter = GetParent(pane);
  auto width = [&] {
    RECT rect = {};
    GetWindowRect(pane, &rect);
    return static_cast<int>(rect.right - rect.left);
  };
  const int before = width();
  ASSERT_GT(before, 0);
  SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(before + 2, 20));
  SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(before + 62, 20));
  SendMessageW(splitter, WM_LBUTTONUP, 0, MAKELPARAM(before + 62, 20));
  const int dragged = width();
  EXPECT_EQ(dragged, before + 60);
  uint32_t stored = 0;
  EXPECT_TRUE(exchange::ReadNumberSetting(L"view", L"ListWidth", &stored));

  WheelWithCtrl(3);  // 150 percent
  EXPECT_NEAR(width(), dragged * 3 / 2, 2);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "list_width_larger_text"));
  SearchRoadTest::TearDown();
  SearchRoadTest::SetUp();
  pane = GetParent(list);
  EXPECT_NEAR(width(), dragged * 3 / 2, 2) << "after a restart";
  PostMessageW(frame, WM_COMMAND, IDM_TEXT_NORMAL, 0);
  Drain();
  EXPECT_NEAR(width(), dragged, 1) << "(kept in pixels of 96 dots an inch)";

  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (std::wstring(exchange::kSettingsKey) + L"\\view").c_str(), 0, KEY_SET_VALUE,
                    &key) == ERROR_SUCCESS) {
    RegDeleteValueW(key, L"ListWidth");
    RegCloseKey(key);
  }
}

// 一項目ずつ表示: paging down stops at the end of the entry shown, and the choice outlasts a
// restart. Each run starts and ends with the text running on.
class OneEntryTest : public SearchRoadTest {
 protected:
  void SetUp() override {
    exchange::WriteNumberSetting(L"view", L"OneEntry", 0);
    SearchRoadTest::SetUp();
  }
  void TearDown() override {
    SearchRoadTest::TearDown();
    exchange::WriteNumberSetting(L"view", L"OneEntry", 0);
  }
  // Where the entry after the first hit of はし begins (Alt+Down's), and where the top line begins
  // after that hit's entry was paged down 40 times.
  std::pair<LRESULT, LRESULT> NextAndPaged() {
    Search(L"はし");
    EXPECT_GT(WaitForHits(), 0);
    auto showHit = [&] {
      SendMessageW(list, LB_SETCURSEL, 0, 0);
      SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(103, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
      Drain();
    };
    showHit();
    EXPECT_EQ(SendMessageW(content, VM_VIEW_STEPENTRY, 1, 0), 1);
    const LRESULT next = SendMessageW(content, VM_VIEW_TOPAT, 0, 0);
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    showHit();
    for (int i = 0; i < 40; ++i) {
      SendMessageW(content, WM_KEYDOWN, VK_NEXT, 0x01490001);
      SendMessageW(content, WM_KEYUP, VK_NEXT, 0xC1490001);
    }
    return {next, SendMessageW(content, VM_VIEW_TOPAT, 0, 0)};
  }
};

TEST_F(OneEntryTest, PagingStopsAtTheEntrysEndAndTheChoiceIsKept) {
  auto [nextEntry, runOn] = NextAndPaged();
  EXPECT_GT(runOn, nextEntry) << "the text runs on into the next entries";
  PostMessageW(frame, WM_COMMAND, IDM_ONE_ENTRY, 0);
  Drain();
  uint32_t stored = 0;
  EXPECT_TRUE(exchange::ReadNumberSetting(L"view", L"OneEntry", &stored));
  EXPECT_EQ(stored, 1u);
  SearchRoadTest::TearDown();
  SearchRoadTest::SetUp();
  auto [next, paged] = NextAndPaged();
  EXPECT_GT(paged, 0);
  EXPECT_LT(paged, next) << "paged past the end of the entry";
  EXPECT_EQ(next, nextEntry);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "one_entry"));
}

// A move to a monitor of another resolution. The system says so with WM_DPICHANGED, whose
// lParam points at the rectangle it suggests; sent from this process, that pointer is read in
// the viewer's, so the rectangle is put at one address in both processes (and is read right
// whether or not Wine copies it across).
class MonitorResolutionTest : public SearchRoadTest {
 protected:
  struct Sizes {
    int toolbarHeight = 0, wordBoxWidth = 0, itemHeight = 0, barWidth = 0;
    bool operator==(const Sizes& o) const {
      return toolbarHeight == o.toolbarHeight && wordBoxWidth == o.wordBoxWidth && itemHeight == o.itemHeight &&
             barWidth == o.barWidth;
    }
  };

  static int Width(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect.right - rect.left;
  }

  Sizes Measure() {
    Sizes sizes;
    RECT bar = {};
    GetWindowRect(viewertest::FindChild(frame, L"ToolbarWindow32"), &bar);
    sizes.toolbarHeight = bar.bottom - bar.top;
    sizes.wordBoxWidth = Width(wordBox);
    sizes.itemHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    // The splitter's bar lies between the list's pane and the content's.
    HWND splitter = viewertest::FindChild(frame, L"BrisvaneSplitter");
    HWND left = GetWindow(splitter, GW_CHILD), right = left ? GetWindow(left, GW_HWNDNEXT) : nullptr;
    RECT l = {}, r = {};
    GetWindowRect(left, &l);
    GetWindowRect(right, &r);
    sizes.barWidth = std::max(r.left, l.left) - std::min(r.right, l.right);
    return sizes;
  }

  bool SendDpiChanged(int dpi, const RECT& suggested) {
    DWORD id = 0;
    GetWindowThreadProcessId(frame, &id);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, id);
    if (!process) return false;
    // An address free in the viewer (from the top down, where this process is unlikely to have
    // anything), taken here too.
    std::vector<void*> tried;
    void* shared = nullptr;
    for (int i = 0; i < 32 && !shared; ++i) {
      void* remote = VirtualAllocEx(process, nullptr, 0x10000, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE);
      if (!remote) break;
      tried.push_back(remote);
      if (VirtualAlloc(remote, 0x10000, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE) == remote) shared = remote;
    }
    bool sent = false;
    if (shared && WriteProcessMemory(process, shared, &suggested, sizeof suggested, nullptr)) {
      *static_cast<RECT*>(shared) = suggested;
      DWORD_PTR result = 0;
      sent = SendMessageTimeoutW(frame, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(shared),
                                 SMTO_ABORTIFHUNG, 10000, &result) != 0;
      VirtualFree(shared, 0, MEM_RELEASE);
    }
    for (void* remote : tried) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    Drain();
    return sent;
  }
};

TEST_F(MonitorResolutionTest, OnAMonitorOf144DotsAnInchTheFrameGrowsAndBackAt96ItIsAsBefore) {
  Search(L"はし");
  ASSERT_EQ(WaitForHits(), 3);
  RECT before = {};
  GetWindowRect(frame, &before);
  const Sizes at96 = Measure();
  ASSERT_GT(at96.itemHeight, 0);
  ASSERT_GT(at96.barWidth, 0);

  // A little larger and elsewhere; still on the screen, which would hold a larger window back.
  RECT larger = {before.left + 10, before.top + 10, before.left + 10 + (before.right - before.left) * 5 / 4,
                 before.top + 10 + (before.bottom - before.top) * 5 / 4};
  ASSERT_TRUE(SendDpiChanged(144, larger));
  RECT now = {};
  GetWindowRect(frame, &now);
  // Where the system suggested. (Its size stays: Wine without a window manager does not let a
  // top-level window of another process be resized, whoever asks.)
  EXPECT_EQ(now.left, larger.left);
  EXPECT_EQ(now.top, larger.top);
  const Sizes at144 = Measure();
  EXPECT_EQ(at144.toolbarHeight, at96.toolbarHeight * 3 / 2);
  EXPECT_EQ(at144.wordBoxWidth, at96.wordBoxWidth * 3 / 2);
  EXPECT_GE(at144.itemHeight * 100, at96.itemHeight * 130) << at96.itemHeight << " -> " << at144.itemHeight;
  EXPECT_GT(at144.barWidth, at96.barWidth);
  EXPECT_EQ(Count(), 3);  // the list and the word keep what they held
  EXPECT_EQ(WindowText(wordBox), L"はし");
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "monitor_144dpi"));

  ASSERT_TRUE(SendDpiChanged(96, before));
  EXPECT_TRUE(Measure() == at96) << "the sizes at 96 dots an inch did not come back";
}

}  // namespace
