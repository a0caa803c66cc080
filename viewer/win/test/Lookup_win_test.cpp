// Ways to a word other than Enter: the list filled while the user types, the system-wide key
// that looks up the word selected in another program (a window of this test), the clipboard
// watch, and a word on a second start's command line. Then words as running text holds them,
// on a real dictionary: a conjugated form, katakana for a word the book writes in hiragana, a
// phrase.
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
constexpr WPARAM kRelatedCommand = 32808;

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
  // Selects the text of other, a window of this test, and brings it to the front.
  bool Foreground(HWND other) {
    SetForegroundWindow(other);
    SetFocus(other);
    SendMessageW(other, EM_SETSEL, 0, -1);
    return PumpUntil([&] { return GetForegroundWindow() == other; });
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
  ASSERT_TRUE(Foreground(other));

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

// The viewer on a real dictionary: Debian's edict made into a book by the build.
class RelatedLookupTest : public LookupTest {
 protected:
  std::string BookName() const override { return "edict"; }
  // Searches word (with Enter) and waits for its end: the number listed, or -1.
  int Searched(const std::wstring& word) {
    Search(word);
    Drain();  // the list is emptied as the search begins
    return WaitForHits();
  }
  // The list's first item as the screen shows it.
  std::vector<uint32_t> FirstItem() {
    RECT client = {};
    GetClientRect(list, &client);
    return viewertest::ScreenPixels(list, client.right, static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0)));
  }
};

TEST_F(RelatedLookupTest, AConjugatedFormShowsItsDictionaryFormsEntryWithHowItWasFound) {
  const std::vector<uint32_t> blank = SettledPixels(content);
  ASSERT_EQ(Searched(L"食べる"), 1);
  const std::vector<uint32_t> entry = SettledPixels(content);
  ASSERT_NE(entry, blank);
  const std::vector<uint32_t> plain = FirstItem();

  // Enter on the past form: no message box, the same entry, its item saying how it was found.
  ASSERT_EQ(Searched(L"食べた"), 1) << Status(1);
  EXPECT_EQ(SettledPixels(content), entry);
  EXPECT_NE(FirstItem(), plain);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "related_deinflected"));

  // Typed a character at a time, the list while typing finds it too.
  SetForegroundWindow(frame);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  TypeCharacter(VK_BACK);
  ASSERT_TRUE(WaitUntil([&] { return Count() == 0; }));
  for (wchar_t c : std::wstring(L"食べた")) TypeCharacter(c);
  EXPECT_TRUE(WaitUntil([&] {
    return WindowText(wordBox) == L"食べた" && Count() == 1 && Status(1) == L"検索結果 : 1    項目" &&
           SettledPixels(content) == entry;
  })) << Count() << " " << testing::PrintToString(Status(1));
  EXPECT_NE(FirstItem(), plain);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "related_as_you_type"));
}

TEST_F(RelatedLookupTest, KatakanaAlsoFindsTheHiraganaHeadwordsUnlessTurnedOffInTheOptions) {
  ASSERT_GT(Searched(L"かき"), 0);
  const std::vector<uint32_t> kaki = SettledPixels(content);  // the first かき the book lists

  // Off: the book's own katakana headwords only, and the choice is kept.
  PostMessageW(frame, WM_COMMAND, kRelatedCommand, 0);
  Drain();
  uint32_t stored = 7;
  EXPECT_TRUE(exchange::ReadNumberSetting(L"search", L"Related", &stored));
  EXPECT_EQ(stored, 0u);
  const int own = Searched(L"カキ");
  ASSERT_GT(own, 0);

  // On again, the same word searched again: its own hits first, then those of かき, in the
  // book's order.
  PostMessageW(frame, WM_COMMAND, kRelatedCommand, 0);
  Drain();
  EXPECT_TRUE(exchange::ReadNumberSetting(L"search", L"Related", &stored));
  EXPECT_EQ(stored, 1u);
  const int all = Searched(L"カキ");
  ASSERT_GT(all, own);
  SendMessageW(list, LB_SETCURSEL, own, 0);
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(103, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  EXPECT_TRUE(WaitUntil([&] { return SettledPixels(content) == kaki; })) << "item " << own << " is not かき's first";
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "related_kana"));
}

TEST_F(RelatedLookupTest, TheSystemWideKeyOnAPhraseShowsTheWordItBeginsWith) {
  ASSERT_GT(Searched(L"学校"), 0);
  const std::vector<uint32_t> school = SettledPixels(content);
  ASSERT_EQ(Searched(L"食べる"), 1);

  HWND other = CreateWindowExW(0, L"EDIT", L"学校に行った", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 300, 80,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  ASSERT_TRUE(Foreground(other));
  ASSERT_TRUE(viewertest::PressKeys({VK_CONTROL, VK_MENU, 'L'}));
  EXPECT_TRUE(PumpUntil([&] {
    return WindowText(wordBox) == L"学校に行った" && Count() > 0 && Status(0) == L" " &&
           SettledPixels(content) == school;
  })) << "word box: " << testing::PrintToString(WindowText(wordBox)) << ", " << Count() << " listed";
  EXPECT_TRUE(viewer.FindTopWindow(L"#32770") == nullptr) << "a phrase that finds something asks nothing";
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "related_hotkey_phrase"));
  DestroyWindow(other);
}

}  // namespace
