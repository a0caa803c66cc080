// Ways to a word other than Enter: the list filled while the user types, the system-wide key
// that looks up the word selected in another program (a window of this test), the clipboard
// watch, and a word on a second start's command line.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Clipboard_win.h"
#include "SearchFixture.h"
#include "Settings_win.h"

namespace {

using viewertest::SearchRoadTest;
using viewertest::SettledPixels;
using viewertest::WaitUntil;
using viewertest::WindowText;

constexpr WPARAM kTypeAheadCommand = 32800;
constexpr WPARAM kClipboardWatchCommand = 32801;

// Waits as WaitUntil does, dispatching this thread's messages meanwhile: the viewer asks this
// test's own window to copy its selection.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 20000) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

using testfiles::ClipboardUnicode;
using testfiles::PutClipboardUnicode;

class LookupTest : public SearchRoadTest {
 protected:
  // Whether the viewer's focus is in the word box's edit.
  bool FocusInWordBox() {
    GUITHREADINFO info = {sizeof info};
    return GetGUIThreadInfo(GetWindowThreadProcessId(frame, nullptr), &info) && info.hwndFocus == edit;
  }
  // A character typed into the word box (as the keyboard gives it to the edit).
  void TypeCharacter(wchar_t c) { PostMessageW(edit, WM_CHAR, c, 1); }
  // What is queued handled, and time for what it would start (the typing pause, a search).
  void Settle() {
    Drain();
    Sleep(500);
    Drain();
  }
};

TEST_F(LookupTest, TypingListsTheHeadwordsThatBeginWithItAndShowsTheFirstEntryWithoutTheDialog) {
  std::vector<uint32_t> blank = SettledPixels(content);
  SetForegroundWindow(frame);
  SetFocus(edit);
  ASSERT_TRUE(WaitUntil([&] { return FocusInWordBox(); }));
  TypeCharacter(L'か');
  bool dialogSeen = false;
  ASSERT_TRUE(WaitUntil([&] {
    dialogSeen = dialogSeen || ProgressDialog() != nullptr;
    return Count() == 24 && Status(1) == L"検索結果 : 24    項目";
  }, 20000, 5)) << Count() << " " << Status(1);
  EXPECT_FALSE(dialogSeen);
  EXPECT_EQ(Selection(), 0);
  EXPECT_TRUE(FocusInWordBox()) << "the focus stays where the user types";
  ASSERT_TRUE(WaitUntil([&] { return SettledPixels(content) != blank; })) << "the first entry was not shown";
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "as_you_type"));
  EXPECT_EQ(SendMessageW(wordBox, CB_GETCOUNT, 0, 0), 0) << "a list while typing is no search of the history";

  // One more character narrows the list; Enter then runs the search of the word itself.
  TypeCharacter(L'き');
  ASSERT_TRUE(WaitUntil([&] { return Count() == 2 && Status(1) == L"検索結果 : 2    項目"; }));
  PressEnter();
  ASSERT_EQ(WaitForHits(), 2);
  EXPECT_EQ(WindowText(wordBox), L"かき");
  EXPECT_EQ(SendMessageW(wordBox, CB_GETCOUNT, 0, 0), 1);
  EXPECT_TRUE(WaitUntil([&] {
    GUITHREADINFO info = {sizeof info};
    return GetGUIThreadInfo(GetWindowThreadProcessId(frame, nullptr), &info) && info.hwndFocus == list;
  })) << "Enter's search puts the focus in the list";

  // Emptied, the box empties the list.
  SendMessageW(edit, EM_SETSEL, 0, -1);
  PostMessageW(edit, WM_CHAR, VK_BACK, 1);
  EXPECT_TRUE(WaitUntil([&] { return Count() == 0; }));
}

TEST_F(LookupTest, TurnedOffInTheOptionsNothingIsListedUntilEnterAndTheChoiceIsKept) {
  PostMessageW(frame, WM_COMMAND, kTypeAheadCommand, 0);
  Drain();
  uint32_t stored = 7;
  EXPECT_TRUE(exchange::ReadNumberSetting(L"search", L"AsYouType", &stored));
  EXPECT_EQ(stored, 0u);
  TypeCharacter(L'か');
  Settle();
  EXPECT_EQ(Count(), 0);
  // Kept over a restart; turned on again for the tests that follow.
  viewertest::KeepEarlierChoices(true);
  SearchRoadTest::TearDown();
  SearchRoadTest::SetUp();
  viewertest::KeepEarlierChoices(false);
  TypeCharacter(L'か');
  Settle();
  EXPECT_EQ(Count(), 0);
  PostMessageW(frame, WM_COMMAND, kTypeAheadCommand, 0);
  Drain();
  EXPECT_TRUE(exchange::ReadNumberSetting(L"search", L"AsYouType", &stored));
  EXPECT_EQ(stored, 1u);
  TypeCharacter(L'き');
  EXPECT_TRUE(WaitUntil([&] { return Count() == 2; }));
}

TEST_F(LookupTest, AWordOnTheCommandLineIsLookedUpInTheViewerThatRuns) {
  viewertest::ViewerProcess second;
  ASSERT_TRUE(second.Start(viewertest::BinDir() / "Brisvane.exe", L"apple"));
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(wordBox) == L"apple"; })) << WindowText(wordBox);
  EXPECT_EQ(WaitForHits(), 1);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "command_line_word"));
}

TEST_F(LookupTest, TheSystemWideKeyLooksUpTheWordSelectedInAnotherProgramAndGivesTheClipboardBack) {
  ASSERT_TRUE(PutClipboardUnicode(L"what was there"));
  // The other program: a window of this test whose text is selected.
  HWND other = CreateWindowExW(0, L"EDIT", L"  apple ", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 300, 80, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  SetForegroundWindow(other);
  SetFocus(other);
  SendMessageW(other, EM_SETSEL, 0, -1);
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other; }));

  ASSERT_TRUE(viewertest::PressKeys({VK_CONTROL, VK_MENU, 'L'}));

  EXPECT_TRUE(PumpUntil([&] { return WindowText(wordBox) == L"apple" && Count() == 1; }))
      << "word box: " << testing::PrintToString(WindowText(wordBox));
  EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == frame; })) << "the viewer comes forward";
  EXPECT_TRUE(PumpUntil([&] { return ClipboardUnicode() == L"what was there"; }))
      << "the clipboard holds " << testing::PrintToString(ClipboardUnicode());
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "hotkey_lookup"));
  DestroyWindow(other);
}

TEST_F(LookupTest, TheClipboardWatchLooksUpACopiedWordWhenOnAndNotWhenOff) {
  // Off, as it starts: nothing.
  ASSERT_TRUE(PutClipboardUnicode(L"apple"));
  Settle();
  EXPECT_EQ(WindowText(wordBox), L"");

  PostMessageW(frame, WM_COMMAND, kClipboardWatchCommand, 0);
  Drain();
  uint32_t stored = 0;
  EXPECT_TRUE(exchange::ReadNumberSetting(L"lookup", L"WatchClipboard", &stored));
  EXPECT_EQ(stored, 1u);
  ASSERT_TRUE(PutClipboardUnicode(L"coffee\r\n"));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(wordBox) == L"coffee"; })) << WindowText(wordBox);
  EXPECT_EQ(WaitForHits(), 1);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "clipboard_watch"));
  // A passage is not a word.
  ASSERT_TRUE(PutClipboardUnicode(L"apple is a fruit that grows on trees, and coffee is a drink."));
  Settle();
  EXPECT_EQ(WindowText(wordBox), L"coffee");

  PostMessageW(frame, WM_COMMAND, kClipboardWatchCommand, 0);
  Drain();
  EXPECT_TRUE(exchange::ReadNumberSetting(L"lookup", L"WatchClipboard", &stored));
  EXPECT_EQ(stored, 0u);
  ASSERT_TRUE(PutClipboardUnicode(L"apple"));
  Settle();
  EXPECT_EQ(WindowText(wordBox), L"coffee");
}

}  // namespace
