// The viewer started with a book, its windows found, and what a user does with them: typing a
// word and pressing Enter, reading the list and the status bar, answering message boxes.
#ifndef BRISVANE_VIEWER_WIN_TEST_SEARCHFIXTURE_H
#define BRISVANE_VIEWER_WIN_TEST_SEARCHFIXTURE_H

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "ViewerHarness.h"

namespace viewertest {

inline const wchar_t kFrameClass[] = L"TrevikBrisvane";
inline const wchar_t kNoHit[] = L"検索結果 : 0    項目";

struct ChildQuery {
  const wchar_t* className;
  int id;  // -1: any
  HWND found;
};

inline BOOL CALLBACK MatchChild(HWND window, LPARAM param) {
  auto* query = reinterpret_cast<ChildQuery*>(param);
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  if (lstrcmpiW(name, query->className) == 0 && (query->id < 0 || GetDlgCtrlID(window) == query->id)) {
    query->found = window;
    return FALSE;
  }
  return TRUE;
}

inline HWND FindChild(HWND parent, const wchar_t* className, int id = -1) {
  ChildQuery query = {className, id, nullptr};
  EnumChildWindows(parent, &MatchChild, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

// The edit field of a dialog of another process that holds text.
inline HWND EditHolding(HWND dialog, const std::wstring& text) {
  struct Query {
    const std::wstring* text;
    HWND found;
  } query = {&text, nullptr};
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM param) -> BOOL {
        auto* q = reinterpret_cast<Query*>(param);
        wchar_t name[32] = L"";
        GetClassNameW(child, name, 32);
        if (lstrcmpiW(name, L"Edit") == 0 && viewertest::WindowText(child) == *q->text) q->found = child;
        return q->found ? FALSE : TRUE;
      },
      reinterpret_cast<LPARAM>(&query));
  return query.found;
}

// A status bar pane's text. The bar lives in the viewer's process: SB_GETTEXTW needs a buffer
// there.
inline std::wstring StatusText(DWORD processId, HWND bar, int pane) {
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

// A rectangle that a control of the viewer's process writes through a pointer (TB_GETITEMRECT,
// LB_GETITEMRECT): the buffer must lie in that process.
inline RECT RemoteRect(DWORD processId, HWND window, UINT message, WPARAM wParam) {
  RECT rect = {};
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return rect;
  void* remote = VirtualAllocEx(process, nullptr, sizeof rect, MEM_COMMIT, PAGE_READWRITE);
  if (remote) {
    if (SendMessageTimeoutW(window, message, wParam, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000,
                            nullptr))
      ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return rect;
}

// The pixels once two captures in a row agree (the window has finished painting).
inline std::vector<uint32_t> SettledPixels(HWND window) {
  std::vector<uint32_t> pixels, previous;
  WaitUntil([&] {
    previous.swap(pixels);
    pixels = ScreenPixels(window);
    return !pixels.empty() && pixels == previous;
  }, 10000);
  return pixels;
}

// The viewer's windows that a user works with, found in its frame, and the user's steps on them.
struct ViewerWindows {
  // Finds the controls of frame (set before); whether every one was found.
  bool FindControls() {
    HWND toolbar = FindChild(frame, L"ToolbarWindow32");
    wordBox = toolbar ? GetDlgItem(toolbar, 101) : nullptr;
    edit = wordBox ? FindWindowExW(wordBox, nullptr, L"Edit", nullptr) : nullptr;  // the combo's edit
    list = FindChild(frame, L"ListBox", 103);
    statusBar = FindChild(frame, STATUSCLASSNAMEW);
    content = FindChild(frame, L"Calvetta");
    return toolbar && wordBox && edit && list && statusBar && content;
  }

  // Puts word into the box, as typed.
  void Type(const std::wstring& word) { SendMessageW(wordBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(word.c_str())); }
  // Presses Enter in the box. When this returns, the box has taken the key: whatever it asked
  // the frame for is queued.
  void PressEnter() {
    SendMessageTimeoutW(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001, SMTO_ABORTIFHUNG, 5000, nullptr);
    PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC01C0001);
  }

  // Waits until the viewer has handled what is queued now: message posts are handled in order,
  // so once a marker posted after them has taken effect, they have run. The marker is a changed
  // length limit of the edit, put back (sent) afterwards. Whether it was seen within 20 s.
  bool DrainQueue(DWORD pollMs = 20) {
    LRESULT limit = SendMessageW(edit, EM_GETLIMITTEXT, 0, 0);
    PostMessageW(edit, EM_LIMITTEXT, limit + 1, 0);
    bool seen = WaitUntil([&] { return SendMessageW(edit, EM_GETLIMITTEXT, 0, 0) == limit + 1; }, 20000, pollMs);
    SendMessageW(edit, EM_LIMITTEXT, limit, 0);
    return seen;
  }

  int Count() { return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); }
  int Selection() { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); }

  HWND frame = nullptr, wordBox = nullptr, edit = nullptr, list = nullptr, statusBar = nullptr, content = nullptr;
};

class SearchRoadTest : public ::testing::Test, protected ViewerWindows {
 protected:
  // The book the viewer opens (a book made by the build).
  virtual std::string BookName() const { return "sample"; }
  // Its disc, and the catalog index remembered beside it (-1: none).
  virtual std::filesystem::path BookRoot() const { return testfiles::BuiltBook(BookName()); }
  virtual int32_t BookIndex() const { return -1; }

  void SetUp() override {
    ASSERT_EQ(FindWindowW(kFrameClass, nullptr), nullptr) << "a viewer is already running";
    viewertest::WriteCurpath(std::filesystem::path(BookRoot()).make_preferred().wstring(), BookIndex());
    ASSERT_TRUE(viewer.Start(viewertest::BinDir() / "Brisvane.exe"));
    ASSERT_TRUE(WaitUntil([&] {
      frame = viewer.FindTopWindow(kFrameClass);
      return frame && IsWindowVisible(frame) && WindowText(frame).rfind(L"DUDAZA Zorari - ", 0) == 0;
    })) << "no main window with the book open";
    FindControls();
    ASSERT_NE(FindChild(frame, L"ToolbarWindow32"), nullptr);
    ASSERT_NE(wordBox, nullptr);
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(statusBar, nullptr);
    ASSERT_NE(content, nullptr);
  }

  void TearDown() override {
    if (frame) PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(viewer.WaitForExit(), 0u);
  }

  // Types word into the box and presses Enter in it.
  void Search(const std::wstring& word) {
    Type(word);
    PressEnter();
  }

  void Drain() { EXPECT_TRUE(DrainQueue()); }

  std::wstring Status(int pane) { return StatusText(viewer.Id(), statusBar, pane); }

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

  // The progress dialog of the viewer while it is open, else null.
  HWND ProgressDialog() {
    HWND dialog = viewer.FindTopWindow(L"#32770");
    return dialog && WindowText(dialog) == L"検索" ? dialog : nullptr;
  }

  // Waits until a search has ended: no dialog, pane 0 back to a blank, pane 1 filled.
  bool WaitForEnd() {
    return WaitUntil([&] { return !ProgressDialog() && Status(0) == L" " && Status(1).rfind(L"検索結果", 0) == 0; });
  }

  // The view's line height: its font (12-point ＭＳ 明朝) measured here, as the view measures it.
  static int LineHeight() {
    HDC screen = GetDC(nullptr);
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72);
    font.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpyW(font.lfFaceName, L"\uff2d\uff33 \u660e\u671d");
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ old = SelectObject(screen, handle);
    TEXTMETRICW tm = {};
    GetTextMetricsW(screen, &tm);
    SelectObject(screen, old);
    DeleteObject(handle);
    ReleaseDC(nullptr, screen);
    return tm.tmHeight + tm.tmExternalLeading + 1;
  }
  // Marks the second line of the entry shown, dragging as the mouse does it.
  void MarkSecondLine() {
    int y = 3 + LineHeight() * 3 / 2;
    PostMessageW(content, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, y));
    PostMessageW(content, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, y));
    PostMessageW(content, WM_LBUTTONUP, 0, MAKELPARAM(300, y));
    Drain();
  }
  void PressOk(HWND box) {
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  }

  ViewerProcess viewer;
};

}  // namespace viewertest

#endif  // BRISVANE_VIEWER_WIN_TEST_SEARCHFIXTURE_H
