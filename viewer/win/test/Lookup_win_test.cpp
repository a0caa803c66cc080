// Ways to a word other than Enter: the list filled while the user types, the system-wide key
// that looks up the word selected in another program (a window of this test), the clipboard
// watch, and a word on a second start's command line. Then words as running text holds them,
// on a real dictionary: a conjugated form, katakana for a word the book writes in hiragana, a
// phrase.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <climits>
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
constexpr WPARAM kPopupCommand = 32814;

using viewertest::PumpUntil;
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
  // Words from other programs shown in the main window, not the pop-up (for these tests only:
  // the setting is forgotten at the next start).
  void MainWindowForWords() {
    PostMessageW(frame, WM_COMMAND, kPopupCommand, 0);
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
  MainWindowForWords();
  viewertest::ViewerProcess second;
  ASSERT_TRUE(second.Start(viewertest::BinDir() / "Brisvane.exe", L"apple"));
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(wordBox) == L"apple"; })) << WindowText(wordBox);
  EXPECT_EQ(WaitForHits(), 1);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "command_line_word"));
}

TEST_F(LookupTest, TheSystemWideKeyLooksUpTheWordSelectedInAnotherProgramAndGivesTheClipboardBack) {
  MainWindowForWords();
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
  MainWindowForWords();
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

TEST_F(LookupTest, AWordLongerThanTheBoxSaysWhatWasKeptAndWhatWasSearched) {
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  ASSERT_TRUE(PutClipboardUnicode(L"はし" + std::wstring(2000, L'x')));
  SendMessageW(edit, WM_PASTE, 0, 0);
  Drain();
  EXPECT_EQ(WindowText(wordBox).size(), 51u);
  EXPECT_TRUE(WaitUntil([&] { return Status(0) == L"貼り付けた語が長いため、初めの 51 文字だけを入れました"; }))
      << testing::PrintToString(Status(0));
  PostMessageW(frame, WM_COMMAND, 32777, 0);  // 検索
  EXPECT_TRUE(WaitUntil([&] { return Status(0) == L"語が長いため、初めの 49 文字で検索しました" && Count() > 0; }))
      << testing::PrintToString(Status(0)) << " " << Count();
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

TEST_F(RelatedLookupTest, HalfWidthKatakanaFindWhatTheFullWidthFind) {
  const int full = Searched(L"カキ");
  ASSERT_GT(full, 2) << "カキ and the related かき";
  const std::vector<uint32_t> first = SettledPixels(content);
  EXPECT_EQ(Searched(L"ｶｷ"), full) << Status(1);
  EXPECT_EQ(SettledPixels(content), first);
  EXPECT_GT(Searched(L"ｺｰﾋｰ"), 0) << "コーヒー, its long-vowel mark half-width too";
}

TEST_F(RelatedLookupTest, TheSystemWideKeyOnAPhraseShowsTheWordItBeginsWith) {
  MainWindowForWords();
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

// The look-up pop-up, as words from other programs open it at first.
class PopupTest : public LookupTest {
 protected:
  HWND Popup() {
    HWND popup = viewer.FindTopWindow(L"BrisvanePopup");
    return popup && IsWindowVisible(popup) ? popup : nullptr;
  }
  // A window of this test holding text, its text selected and in front.
  HWND Other(const wchar_t* text) {
    HWND other = CreateWindowExW(0, L"EDIT", text, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 300, 80, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    EXPECT_TRUE(other && Foreground(other));
    return other;
  }
  // The key pressed on it: the pop-up, once it is in front with its list filled.
  HWND KeyOn(HWND other, int listed) {
    EXPECT_TRUE(Foreground(other));
    EXPECT_TRUE(viewertest::PressKeys({VK_CONTROL, VK_MENU, 'L'}));
    HWND popup = nullptr;
    PumpUntil([&] {
      popup = Popup();
      HWND popupList = popup ? viewertest::FindChild(popup, L"ListBox") : nullptr;
      return popupList && GetForegroundWindow() == popup && SendMessageW(popupList, LB_GETCOUNT, 0, 0) == listed;
    });
    return popup;
  }
  void PopupKey(WORD key) {
    ASSERT_TRUE(viewertest::PressKeys({key}));
    Drain();
  }
};

TEST_F(PopupTest, TheKeyShowsTheHitsBesideTheSelectionDownChoosesEnterOpensTheMainWindowEscGivesTheFocusBack) {
  // はし【箸】 as the main window shows it, to compare with.
  Search(L"箸");
  ASSERT_EQ(WaitForHits(), 1);
  const std::vector<uint32_t> chopsticks = SettledPixels(content);
  HWND other = Other(L"はし");
  RECT otherRect = {};
  GetWindowRect(other, &otherRect);

  HWND popup = KeyOn(other, 3);
  ASSERT_NE(popup, nullptr) << "no pop-up with the three はし";
  EXPECT_EQ(GetAncestor(content, GA_ROOT), popup) << "the entry is drawn in the pop-up";
  EXPECT_FALSE(IsWindowVisible(frame) && GetForegroundWindow() == frame) << "the main window stays behind";
  RECT rect = {};
  GetWindowRect(popup, &rect);
  EXPECT_TRUE(rect.left >= otherRect.left && rect.left < otherRect.right && rect.top > otherRect.top &&
              rect.top < otherRect.bottom + 8)
      << "the pop-up at " << rect.left << "," << rect.top << " is not beside the selected word";
  HWND popupList = viewertest::FindChild(popup, L"ListBox");
  EXPECT_EQ(SendMessageW(popupList, LB_GETCURSEL, 0, 0), 0);
  const std::vector<uint32_t> bridge = SettledPixels(content);
  EXPECT_TRUE(viewertest::SaveWindowShot(popup, "popup_lookup"));
  PopupKey(VK_DOWN);  // はし【箸】
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(popupList, LB_GETCURSEL, 0, 0) == 1 && SettledPixels(content) != bridge; }));

  // Enter: the main window in front with the same hit chosen, its entry where it was.
  PopupKey(VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] {
    return !Popup() && GetForegroundWindow() == frame && GetAncestor(content, GA_ROOT) == frame;
  })) << "Enter did not open the main window";
  EXPECT_EQ(Selection(), 1);
  EXPECT_TRUE(WaitUntil([&] { return SettledPixels(content) == chopsticks; })) << "the main window shows another entry";

  // Esc: closed, and the window read from has the focus again.
  popup = KeyOn(other, 3);
  ASSERT_NE(popup, nullptr);
  PopupKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] {
    return !Popup() && GetForegroundWindow() == other && GetAncestor(content, GA_ROOT) == frame;
  })) << "the focus did not come back, or the entry stayed in the pop-up";
  DestroyWindow(other);
}

TEST_F(PopupTest, TheClipboardWatchOpensItAClickElsewhereClosesItAndItsSizeIsKept) {
  PostMessageW(frame, WM_COMMAND, kClipboardWatchCommand, 0);
  Drain();
  HWND other = Other(L"text");
  ASSERT_TRUE(PutClipboardUnicode(L"coffee"));
  HWND popup = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (popup = Popup()) != nullptr; })) << "the copied word opened no pop-up";
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(viewertest::FindChild(popup, L"ListBox"), LB_GETCOUNT, 0, 0) == 1; }));
  SetWindowPos(popup, nullptr, 0, 0, 520, 400, SWP_NOMOVE | SWP_NOZORDER);
  Drain();
  // Another window taken to the front: the pop-up goes.
  ASSERT_TRUE(Foreground(other));
  EXPECT_TRUE(PumpUntil([&] { return !Popup() && GetAncestor(content, GA_ROOT) == frame; }))
      << "the pop-up stayed, or kept the entry";
  uint32_t width = 0, height = 0;
  EXPECT_TRUE(exchange::ReadNumberSetting(L"popup", L"Width", &width));
  EXPECT_TRUE(exchange::ReadNumberSetting(L"popup", L"Height", &height));
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(static_cast<int>(width), MulDiv(520, 96, dpi));
  EXPECT_EQ(static_cast<int>(height), MulDiv(400, 96, dpi));
  // In the dark, the list and the entry are dark in the pop-up too.
  PostMessageW(frame, WM_COMMAND, 32807, 0);
  Drain();
  ASSERT_TRUE(PutClipboardUnicode(L"apple"));
  ASSERT_TRUE(PumpUntil([&] { return (popup = Popup()) != nullptr; }));
  RECT rect = {};
  GetWindowRect(popup, &rect);
  EXPECT_EQ(rect.right - rect.left, 520) << "the size was not kept";
  EXPECT_TRUE(viewertest::SaveWindowShot(popup, "popup_dark"));
  PostMessageW(frame, WM_COMMAND, 32806, 0);
  // A word copied while it is open shows there; Esc still goes back to the window read from.
  SetWindowPos(popup, nullptr, 0, 0, 560, 420, SWP_NOMOVE | SWP_NOZORDER);
  Drain();
  ASSERT_TRUE(PutClipboardUnicode(L"bread"));
  EXPECT_TRUE(PumpUntil([&] { return Popup() && WindowText(popup).rfind(L"bread", 0) == 0; })) << WindowText(popup);
  GetWindowRect(popup, &rect);
  EXPECT_EQ(rect.right - rect.left, 560) << "the next word undid the size the user gave it";
  ASSERT_TRUE(viewertest::PressKeys({VK_ESCAPE}));
  EXPECT_TRUE(PumpUntil([&] { return !Popup() && GetForegroundWindow() == other; })) << "the focus did not come back";
  DestroyWindow(other);
}

// The lines of text a window shows (its button column left out), as the screen has them: each
// band of rows with ink, its first inked column, and where its first gap as wide as a blank
// full-width character begins (the end of the first words).
struct InkLine {
  int top = 0, bottom = 0, left = INT_MAX, firstGap = 0;
};
std::vector<InkLine> InkLines(HWND window, int dpi) {
  const int gapWidth = MulDiv(8, dpi, 96);  // half a character
  RECT rect = {};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const std::vector<uint32_t> pixels = SettledPixels(window);
  std::vector<InkLine> lines;
  if (pixels.size() != static_cast<size_t>(width) * height) return lines;
  const uint32_t ground = pixels[0];
  const int usable = width - MulDiv(24, dpi, 96);
  auto inked = [&](int x, int y) { return pixels[static_cast<size_t>(y) * width + x] != ground; };
  bool inLine = false;
  for (int y = 0; y < height; ++y) {
    int first = -1;
    for (int x = 0; x < usable && first < 0; ++x)
      if (inked(x, y)) first = x;
    if (first < 0) {
      inLine = false;
      continue;
    }
    if (!inLine) lines.push_back(InkLine{y, y, INT_MAX, 0});
    inLine = true;
    lines.back().bottom = y + 1;
    lines.back().left = std::min(lines.back().left, first);
  }
  for (InkLine& line : lines) {
    int blank = 0;
    for (int x = line.left; x < usable; ++x) {
      bool any = false;
      for (int y = line.top; y < line.bottom && !any; ++y) any = inked(x, y);
      blank = any ? 0 : blank + 1;
      if (blank == gapWidth) {
        line.firstGap = x - gapWidth + 1;
        break;
      }
    }
  }
  return lines;
}

// A double-click at client point (x, y) of window, as the mouse gives it.
void DoubleClickAt(HWND window, int x, int y) {
  POINT at = {x, y};
  ClientToScreen(window, &at);
  SetCursorPos(at.x, at.y);
  INPUT clicks[4] = {};
  for (int i = 0; i < 4; ++i) {
    clicks[i].type = INPUT_MOUSE;
    clicks[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
  }
  SendInput(4, clicks, sizeof(INPUT));
}

TEST_F(PopupTest, ADoubleClickInTheEntryLooksTheWordUpOverItAgainInsideAndBackspaceGoesBack) {
  constexpr UINT kTopAt = 0x400 + 126;
  Search(L"箸");
  ASSERT_EQ(WaitForHits(), 1);
  SetForegroundWindow(frame);
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == frame; }));
  const std::vector<uint32_t> entry = SettledPixels(content);
  const LRESULT top = SendMessageW(content, kTopAt, 0, 0);
  ASSERT_GE(top, 0);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);

  // はし【箸】: on its first character, the はし of the book, over the entry; the main list stays.
  std::vector<InkLine> lines = InkLines(content, dpi);
  ASSERT_GE(lines.size(), 3u);
  DoubleClickAt(content, lines[0].left + 2, (lines[0].top + lines[0].bottom) / 2);
  HWND popup = nullptr, popupList = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    popup = Popup();
    popupList = popup ? viewertest::FindChild(popup, L"ListBox") : nullptr;
    return popupList && SendMessageW(popupList, LB_GETCOUNT, 0, 0) == 3 && GetAncestor(content, GA_ROOT) == popup;
  })) << "no look-up of はし over the entry";
  EXPECT_EQ(WindowText(popup).rfind(L"はし", 0), 0u) << testing::PrintToString(WindowText(popup));
  EXPECT_EQ(Count(), 1) << "the main list changed";
  EXPECT_EQ(WindowText(wordBox), L"箸");
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "popup_over_entry"));

  // Down: はし【箸】 in the pop-up. chopsticks finds no headword: a beep, nothing changes.
  PopupKey(VK_DOWN);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(content, kTopAt, 0, 0) == top; })) << "はし【箸】 is not shown";
  lines = InkLines(content, dpi);
  ASSERT_GE(lines.size(), 3u);
  DoubleClickAt(content, lines[1].left + 2, (lines[1].top + lines[1].bottom) / 2);
  Settle();
  EXPECT_EQ(WindowText(popup).rfind(L"はし", 0), 0u);
  EXPECT_EQ(SendMessageW(popupList, LB_GETCOUNT, 0, 0), 3);
  // ◇箸で食べる: its fourth character, 食, looked up again inside.
  ASSERT_GT(lines[2].firstGap, lines[2].left);
  const int cell = (lines[2].firstGap - lines[2].left) / 6;
  DoubleClickAt(content, lines[2].left + 3 * cell + cell / 2, (lines[2].top + lines[2].bottom) / 2);
  EXPECT_TRUE(PumpUntil([&] {
    return WindowText(popup).rfind(L"食べる", 0) == 0 && SendMessageW(popupList, LB_GETCOUNT, 0, 0) == 1;
  })) << testing::PrintToString(WindowText(popup));
  EXPECT_TRUE(viewertest::SaveWindowShot(popup, "popup_lookup_inside"));

  // Backspace: はし again with its second hit chosen; Alt+Left: closed, the entry as it was read.
  PopupKey(VK_BACK);
  EXPECT_TRUE(WaitUntil([&] {
    return WindowText(popup).rfind(L"はし", 0) == 0 && SendMessageW(popupList, LB_GETCURSEL, 0, 0) == 1 &&
           SendMessageW(content, kTopAt, 0, 0) == top;
  })) << testing::PrintToString(WindowText(popup));
  ASSERT_TRUE(viewertest::PressKeys({VK_MENU, VK_LEFT}));
  EXPECT_TRUE(PumpUntil([&] { return !Popup() && GetAncestor(content, GA_ROOT) == frame; }));
  EXPECT_TRUE(WaitUntil([&] { return SettledPixels(content) == entry; })) << "the entry read is not shown again";
  EXPECT_EQ(SendMessageW(content, kTopAt, 0, 0), top);
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(GetForegroundWindow(), frame);

  // Esc closes a look-up two deep at once.
  lines = InkLines(content, dpi);
  ASSERT_FALSE(lines.empty());
  DoubleClickAt(content, lines[0].left + 2, (lines[0].top + lines[0].bottom) / 2);
  ASSERT_TRUE(PumpUntil([&] { return (popup = Popup()) != nullptr && GetAncestor(content, GA_ROOT) == popup; }));
  const std::vector<InkLine> inside = InkLines(content, dpi);
  ASSERT_FALSE(inside.empty());
  DoubleClickAt(content, inside[0].left + 2, (inside[0].top + inside[0].bottom) / 2);
  Settle();
  PopupKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !Popup() && GetAncestor(content, GA_ROOT) == frame; }));
  EXPECT_TRUE(WaitUntil([&] { return SettledPixels(content) == entry; }));

  // Enter on a look-up's hit: its entry in the main window, the main list as it was; F3 back.
  DoubleClickAt(content, lines[0].left + 2, (lines[0].top + lines[0].bottom) / 2);
  ASSERT_TRUE(PumpUntil([&] { return (popup = Popup()) != nullptr && GetAncestor(content, GA_ROOT) == popup; }));
  PopupKey(VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] {
    return !Popup() && GetAncestor(content, GA_ROOT) == frame && GetForegroundWindow() == frame &&
           SendMessageW(content, kTopAt, 0, 0) != top;
  })) << "the hit is not shown in the main window";
  EXPECT_EQ(Count(), 1);
  ASSERT_TRUE(viewertest::PressKeys({VK_F3}));
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(content, kTopAt, 0, 0) == top; })) << "F3 did not go back";
}

TEST_F(PopupTest, ASecondStartsWordOpensItToo) {
  viewertest::ViewerProcess second;
  ASSERT_TRUE(second.Start(viewertest::BinDir() / "Brisvane.exe", L"apple"));
  EXPECT_EQ(second.WaitForExit(), 0u);
  HWND popup = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (popup = Popup()) != nullptr; })) << "no pop-up for the second start's word";
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(viewertest::FindChild(popup, L"ListBox"), LB_GETCOUNT, 0, 0) == 1; }));
  EXPECT_EQ(GetAncestor(content, GA_ROOT), popup);
  PostMessageW(popup, WM_CLOSE, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return !Popup() && GetAncestor(content, GA_ROOT) == frame; }));
}

}  // namespace
