// One search as a user runs it in Brisvane.exe under Wine: a word typed into the word box and
// Enter, then the list, the status bar, the no-hit message and the entry shown for a headword,
// all read back through the viewer's windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "SearchFixture.h"

namespace {

using viewertest::kNoHit;
using viewertest::SearchRoadTest;
using viewertest::SettledPixels;
using viewertest::WaitUntil;
using viewertest::WindowText;

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

// The list scrolls sideways while a heading it drew is wider than it, and only then.
TEST_F(SearchRoadTest, TheListScrollsSidewaysOnlyWhileAHeadingIsWiderThanIt) {
  Search(L"はし");
  ASSERT_EQ(WaitForHits(), 3);
  Drain();
  auto sideways = [&] { return (GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL) != 0; };
  EXPECT_FALSE(sideways()) << "every heading fits the list";
  // The list's pane made narrower than its headings, as the splitter's bar dragged left would.
  HWND pane = GetParent(list);
  RECT wide = {};
  GetClientRect(pane, &wide);
  SetWindowPos(pane, nullptr, 0, 0, 40, wide.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitUntil([&] { return sideways(); })) << "no scroll bar for headings wider than the list";
  SetWindowPos(pane, nullptr, 0, 0, wide.right, wide.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitUntil([&] { return !sideways(); })) << "the scroll bar stays at the list's full width";
  // A new search begins with nothing drawn: no scroll bar even where the headings were wide.
  SetWindowPos(pane, nullptr, 0, 0, 40, wide.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return sideways(); }));
  Search(L"zzzq");
  HWND box = WaitForMessage(kNoHit);
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(sideways()) << "the emptied list kept the extent of the last search";
  PressOk(box);
}

TEST_F(SearchRoadTest, AnEntryWithFormulasAndExternalCharactersIsShown) {
  // かがく【化学】: the part of speech emphasised, ❶ ❷ and the arrow from the book's font,
  // H₂O and x² with their sub- and superscripts. The screenshot is the one to read.
  std::vector<uint32_t> blank = SettledPixels(content);
  Search(L"化学");
  ASSERT_EQ(WaitForHits(), 1);
  ASSERT_TRUE(WaitUntil([&] { return SettledPixels(content) != blank; })) << "the entry was not shown";
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "entry_formulas"));
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

// The word box keeps the words that found something (not the misses), newest first, from one
// run to the next; a word clicked in its open list is searched.
TEST_F(SearchRoadTest, TheHistoryOutlastsARestartAndAWordChosenInItIsSearched) {
  Search(L"はし");
  ASSERT_EQ(WaitForHits(), 3);
  Search(L"zzzq");
  HWND box = WaitForMessage(kNoHit);
  ASSERT_NE(box, nullptr);
  PressOk(box);
  Search(L"coffee");
  ASSERT_GE(WaitForHits(), 1);
  EXPECT_EQ(SendMessageW(wordBox, CB_GETCOUNT, 0, 0), 2) << "the miss is not kept";

  viewertest::KeepEarlierChoices(true);
  SearchRoadTest::TearDown();
  SearchRoadTest::SetUp();
  viewertest::KeepEarlierChoices(false);
  auto word = [&](WPARAM index) {  // CB_GETLBTEXT is carried across processes with its text
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(wordBox, CB_GETLBTEXTLEN, index, 0, SMTO_ABORTIFHUNG, 5000, &length) || length > 100)
      return std::wstring(L"<none>");
    std::wstring text(length + 1, L'\0');
    SendMessageTimeoutW(wordBox, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    text.resize(length);
    return text;
  };
  ASSERT_EQ(SendMessageW(wordBox, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(word(0), L"coffee");
  EXPECT_EQ(word(1), L"はし");
  EXPECT_EQ(Count(), 0) << "nothing is searched at the start";

  // The list opened and its second word clicked.
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == frame; })) << "the viewer is not in front";
  SendMessageW(wordBox, CB_SHOWDROPDOWN, TRUE, 0);
  HWND dropped = nullptr;  // the open list: a top-level window of the viewer's
  ASSERT_TRUE(WaitUntil([&] {
    dropped = viewer.FindTopWindow(L"ComboLBox");
    return dropped && IsWindowVisible(dropped);
  }));
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "history_after_restart"));
  // The second item's middle: the list's items are as high as the combo says.
  const int itemHeight = static_cast<int>(SendMessageW(wordBox, CB_GETITEMHEIGHT, 0, 0));
  ASSERT_GT(itemHeight, 0);
  RECT inside = {};
  GetClientRect(dropped, &inside);
  POINT at = {inside.right / 2, itemHeight + itemHeight / 2};
  ClientToScreen(dropped, &at);
  SetCursorPos(at.x, at.y);
  INPUT click[2] = {};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, click, sizeof(INPUT));
  ASSERT_EQ(WaitForHits(), 3);
  EXPECT_EQ(WindowText(wordBox), L"はし");
  EXPECT_EQ(word(0), L"はし") << "the word searched again is on top";
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
