// One search as a user runs it in Brisvane.exe under Wine: a word typed into the word box and
// Enter, then the list, the status bar, the no-hit message and the entry shown for a headword,
// all read back through the viewer's windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "TestFiles.h"
#include "ViewerHarness.h"

namespace {

using viewertest::ViewerProcess;
using viewertest::WaitUntil;
using viewertest::WindowText;

const wchar_t kFrameClass[] = L"TrevikBrisvane";
const wchar_t kNoHit[] = L"検索結果 : 0    項目";

struct ChildQuery {
  const wchar_t* className;
  int id;  // -1: any
  HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM param) {
  auto* query = reinterpret_cast<ChildQuery*>(param);
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  if (lstrcmpiW(name, query->className) == 0 && (query->id < 0 || GetDlgCtrlID(window) == query->id)) {
    query->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindChild(HWND parent, const wchar_t* className, int id = -1) {
  ChildQuery query = {className, id, nullptr};
  EnumChildWindows(parent, &MatchChild, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

// A status bar pane's text. The bar lives in the viewer's process: SB_GETTEXTW needs a buffer
// there.
std::wstring StatusText(DWORD processId, HWND bar, int pane) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return L"<no process>";
  wchar_t text[256] = L"";
  void* remote = VirtualAllocEx(process, nullptr, sizeof text, MEM_COMMIT, PAGE_READWRITE);
  if (remote) {
    DWORD_PTR length = 0;
    if (SendMessageTimeoutW(bar, SB_GETTEXTLENGTHW, pane, 0, SMTO_ABORTIFHUNG, 5000, &length) &&
        LOWORD(length) < 255 &&
        SendMessageTimeoutW(bar, SB_GETTEXTW, pane, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000,
                            nullptr))
      ReadProcessMemory(process, remote, text, (LOWORD(length) + 1) * sizeof(wchar_t), nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return text;
}

// What the window shows on the screen.
std::vector<uint32_t> ScreenPixels(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return {};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<uint32_t> pixels;
  if (bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* from = static_cast<const uint32_t*>(bits);
    pixels.assign(from, from + static_cast<size_t>(width) * height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// The pixels once two captures in a row agree (the window has finished painting).
std::vector<uint32_t> SettledPixels(HWND window) {
  std::vector<uint32_t> pixels, previous;
  WaitUntil([&] {
    previous.swap(pixels);
    pixels = ScreenPixels(window);
    return !pixels.empty() && pixels == previous;
  }, 10000);
  return pixels;
}

class SearchRoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindWindowW(kFrameClass, nullptr), nullptr) << "a viewer is already running";
    viewertest::WriteCurpath(testfiles::BuiltBook("sample").make_preferred().string());
    ASSERT_TRUE(viewer.Start(viewertest::BinDir() / "Brisvane.exe"));
    ASSERT_TRUE(WaitUntil([&] {
      frame = viewer.FindTopWindow(kFrameClass);
      return frame && IsWindowVisible(frame) && WindowText(frame).rfind(L"DUDAZA Zorari - ", 0) == 0;
    })) << "no main window with the book open";
    HWND toolbar = FindChild(frame, L"ToolbarWindow32");
    ASSERT_NE(toolbar, nullptr);
    wordBox = GetDlgItem(toolbar, 101);
    ASSERT_NE(wordBox, nullptr);
    edit = FindWindowExW(wordBox, nullptr, L"Edit", nullptr);  // the combo's edit
    ASSERT_NE(edit, nullptr);
    list = FindChild(frame, L"ListBox", 103);
    ASSERT_NE(list, nullptr);
    statusBar = FindChild(frame, STATUSCLASSNAMEW);
    ASSERT_NE(statusBar, nullptr);
    content = FindChild(frame, L"Calvetta");
    ASSERT_NE(content, nullptr);
  }

  void TearDown() override {
    if (frame) PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(viewer.WaitForExit(), 0u);
  }

  // Types word into the box and presses Enter in it. When this returns, the box has taken the
  // key: whatever it asked the frame for is queued.
  void Search(const std::wstring& word) {
    SendMessageW(wordBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(word.c_str()));
    SendMessageTimeoutW(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001, SMTO_ABORTIFHUNG, 5000, nullptr);
    PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC01C0001);
  }

  // Waits until the viewer has handled what is queued now: message posts are handled in order,
  // so once a marker posted after them has taken effect, they have run.
  // The marker is a changed length limit of the edit, put back (sent) afterwards.
  void Drain() {
    LRESULT limit = SendMessageW(edit, EM_GETLIMITTEXT, 0, 0);
    PostMessageW(edit, EM_LIMITTEXT, limit + 1, 0);
    EXPECT_TRUE(WaitUntil([&] { return SendMessageW(edit, EM_GETLIMITTEXT, 0, 0) == limit + 1; }));
    SendMessageW(edit, EM_LIMITTEXT, limit, 0);
  }

  std::wstring Status(int pane) { return StatusText(viewer.Id(), statusBar, pane); }
  int Count() { return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); }
  int Selection() { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); }

  // Waits for the end of a search that lists hits; the number listed, or -1.
  int WaitForHits() {
    int count = -1;
    bool done = WaitUntil([&] {
      std::wstring status = Status(1);
      if (status.rfind(L"検索結果 : ", 0) != 0 || status == kNoHit) return false;
      count = Count();
      return status == L"検索結果 : " + std::to_wstring(count) + L"    項目" && Status(0) == L" ";
    });
    return done ? count : -1;
  }

  // The viewer's message box with this text, or null after the timeout.
  HWND WaitForMessage(const std::wstring& text) {
    HWND box = nullptr;
    WaitUntil([&] {
      box = viewer.FindTopWindow(L"#32770");
      return box && WindowText(box) == L"DUDAZA Zorari" && WindowText(GetDlgItem(box, 0xFFFF)) == text;
    });
    return box && WindowText(GetDlgItem(box, 0xFFFF)) == text ? box : nullptr;
  }

  void PressOk(HWND box) {
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  }

  ViewerProcess viewer;
  HWND frame = nullptr, wordBox = nullptr, edit = nullptr, list = nullptr, statusBar = nullptr, content = nullptr;
};

TEST_F(SearchRoadTest, HiraganaWordListsItsHitsAndSelectingAnotherShowsItsEntry) {
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 51);
  std::vector<uint32_t> blank = SettledPixels(content);
  Search(L"はし");
  ASSERT_EQ(WaitForHits(), 3);
  EXPECT_EQ(Status(1), L"検索結果 : 3    項目");
  EXPECT_EQ(Selection(), 0);
  EXPECT_EQ(WindowText(wordBox), L"はし");
  EXPECT_EQ(SendMessageW(wordBox, CB_GETCOUNT, 0, 0), 1);  // the word went into the history
  std::vector<uint32_t> first;
  ASSERT_TRUE(WaitUntil([&] { return (first = SettledPixels(content)) != blank; })) << "hit 0 not shown";
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "search_hits"));

  // Another headword, selected as a click selects it: the list box tells its pane.
  SendMessageW(list, LB_SETCURSEL, 2, 0);
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(103, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  EXPECT_TRUE(WaitUntil([&] {
    std::vector<uint32_t> now = SettledPixels(content);
    return now != first && now != blank;
  })) << "the entry of hit 2 was not shown";

  // The same word again does nothing: a new search would empty the list and select item 0.
  Search(L"はし");
  Drain();
  EXPECT_EQ(Selection(), 2);
  EXPECT_EQ(Count(), 3);
}

TEST_F(SearchRoadTest, KatakanaAndLatinWordsFindTheirHeadwords) {
  Search(L"カード");
  int cards = WaitForHits();
  EXPECT_GE(cards, 1);
  Search(L"coffee");
  int coffees = WaitForHits();
  ASSERT_GE(coffees, 1);
  // Upper case and a leading blank make the same key.
  Search(L"  COFFEE");
  EXPECT_EQ(WaitForHits(), coffees);
  EXPECT_EQ(SendMessageW(wordBox, CB_GETCOUNT, 0, 0), 3);
}

TEST_F(SearchRoadTest, NoHitShowsTheMessageEveryTimeAndEmptiesTheList) {
  Search(L"はし");
  ASSERT_EQ(WaitForHits(), 3);
  Search(L"zzzq");
  HWND box = WaitForMessage(kNoHit);
  ASSERT_NE(box, nullptr) << "no message box";
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "search_nohit_message"));  // the box over the frame
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(Status(1), kNoHit);
  PressOk(box);
  EXPECT_TRUE(WaitUntil([&] { return Status(0) == L" "; }));
  // The same word again reports it again, without a new search.
  Search(L"zzzq");
  box = WaitForMessage(kNoHit);
  ASSERT_NE(box, nullptr) << "the second no-hit message is missing";
  PressOk(box);
}

TEST_F(SearchRoadTest, EmptyAndBlankWords) {
  Search(L"はし");
  ASSERT_EQ(WaitForHits(), 3);
  Search(L"");
  Search(L"   ");  // blanks only: a word, but no key; the book finds nothing for it
  HWND box = WaitForMessage(kNoHit);
  ASSERT_NE(box, nullptr);
  PressOk(box);
  Search(L"");
  Drain();
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(Status(1), kNoHit);
  EXPECT_EQ(viewer.FindTopWindow(L"#32770"), nullptr);
}

}  // namespace
