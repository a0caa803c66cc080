// The search modes in Brisvane.exe: keyword search (条件) and full-text search (全文), chosen from
// the 検索 menu, shown in the box beside the word box and kept for the next start; the word of a
// full-text hit marked in its entry; a full-text search with more hits than the list holds, and
// one cancelled on its way.
#include "BrisvaneRes.h"
#include "Clipboard_win.h"
#include "SearchFixture.h"
#include "Settings_win.h"

namespace {

using viewertest::WaitUntil;
using viewertest::WindowText;

class SearchModeTest : public viewertest::SearchRoadTest {
 protected:
  // Every test starts in the design's mode and leaves it so for the tests after it.
  void SetUp() override {
    exchange::WriteNumberSetting(L"search", L"Mode", 0);
    SearchRoadTest::SetUp();
  }
  void TearDown() override {
    SearchRoadTest::TearDown();
    exchange::WriteNumberSetting(L"search", L"Mode", 0);
  }

  HWND ModeBox() { return GetDlgItem(GetParent(wordBox), IDC_MODEBOX); }
  int ShownMode() { return static_cast<int>(SendMessageW(ModeBox(), CB_GETCURSEL, 0, 0)); }
  void Choose(int command) {
    PostMessageW(frame, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    Drain();
  }
  // 画面 → コピー into an emptied clipboard: the text marked in the view.
  std::wstring Marked() {
    if (!OpenClipboard(nullptr)) return L"(no clipboard)";
    EmptyClipboard();
    CloseClipboard();
    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(IDM_COPY, 0), 0);
    return testfiles::ClipboardUnicode();
  }
};

TEST_F(SearchModeTest, KeywordSearchFindsEntriesByEveryWord) {
  Choose(IDM_MODE_KEYWORD);
  EXPECT_EQ(ShownMode(), 1);
  Search(L"pers");  // person, persimmon
  ASSERT_EQ(WaitForHits(), 2);
  Search(L"sea ocean");
  ASSERT_EQ(WaitForHits(), 1);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "keyword_search"));
  Search(L"a b c d e f");
  HWND box = WaitForMessage(L"条件検索の語は 1 から 5 つまで、空白で区切って入力してください。");
  ASSERT_NE(box, nullptr);
  PressOk(box);
}

TEST_F(SearchModeTest, FullTextListsEveryEntryAndMarksTheWordInIt) {
  Choose(IDM_MODE_FULLTEXT);
  EXPECT_EQ(ShownMode(), 2);
  Search(L"学校");
  ASSERT_EQ(WaitForHits(), 7);
  EXPECT_TRUE(WaitUntil([&] { return Marked() == L"学校"; })) << "marked: " << Marked().size();
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "fulltext_search"));
  // The fourth hit, がっこう【学校】: its word where it first stands, in the keyword.
  SetFocus(list);
  for (int i = 0; i < 3; ++i) {
    PostMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(list, WM_KEYUP, VK_DOWN, 0);
  }
  Drain();
  EXPECT_TRUE(WaitUntil([&] { return Selection() == 3 && Marked() == L"学校"; }));
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "fulltext_entry_marked"));
  // Back to headwords: the same word is searched anew there.
  Choose(IDM_MODE_HEADWORD);
  Search(L"学校");
  EXPECT_EQ(WaitForHits(), 1);
}

TEST_F(SearchModeTest, TheModeIsKeptForTheNextStart) {
  Choose(IDM_MODE_FULLTEXT);
  PostMessageW(frame, WM_CLOSE, 0, 0);
  ASSERT_EQ(viewer.WaitForExit(), 0u);
  frame = nullptr;
  SearchRoadTest::SetUp();
  EXPECT_EQ(ShownMode(), 2);
  Search(L"persimmon");
  EXPECT_EQ(WaitForHits(), 1);  // found in the text of かき【柿】
}

// A book without a keyword index: keyword search cannot be chosen, in the box or the menu.
class NoKeywordIndexTest : public SearchModeTest {
 protected:
  std::filesystem::path BookRoot() const override { return testfiles::SharedBook("two-books"); }
};

TEST_F(NoKeywordIndexTest, TheModeBoxShowsTheModeInForce) {
  SendMessageW(ModeBox(), CB_SETCURSEL, 1, 0);  // 条件, as a click in the box leaves it
  PostMessageW(GetParent(ModeBox()), WM_COMMAND, MAKEWPARAM(IDC_MODEBOX, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(ModeBox()));
  Drain();
  EXPECT_TRUE(WaitUntil([&] { return ShownMode() == 0; }));
  Choose(IDM_MODE_FULLTEXT);  // full text works on every book
  EXPECT_EQ(ShownMode(), 2);
  Search(L"this");
  EXPECT_EQ(WaitForHits(), 1);
}

class ManyFullTextTest : public SearchModeTest {
 protected:
  std::string BookName() const override { return "manyhits"; }
};

TEST_F(ManyFullTextTest, MoreHitsThanTheListHoldsSayHowManyWereFound) {
  Choose(IDM_MODE_FULLTEXT);
  Search(L"たくさん");
  ASSERT_TRUE(WaitForEnd());
  EXPECT_EQ(Status(1), L"検索結果 : 32766/32800    項目");
  EXPECT_EQ(Count(), 32766);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "fulltext_capped_list"));
}

TEST_F(ManyFullTextTest, CancelKeepsTheListAsFarAsTheScanGot) {
  Choose(IDM_MODE_FULLTEXT);
  // The first tick scans one piece and lists its hits; the next comes 20 ms later and scans the
  // rest of this small book, so Cancel must arrive in between: the list is watched without a
  // pause and Cancel posted the moment it fills. Should a busy machine let the scan finish
  // first, it is tried again.
  int listed = 32766;
  for (int attempt = 0; attempt < 8 && listed >= 32766; ++attempt) {
    Search(attempt % 2 ? L"くさん" : L"たくさん");
    HWND dialog = nullptr;
    const bool filling = WaitUntil([&] {
      if (!dialog) dialog = ProgressDialog();
      return dialog && (Count() > 0 || !IsWindow(dialog));
    }, 20000, 0);
    ASSERT_TRUE(filling);
    if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForEnd());
    listed = Count();
  }
  ASSERT_LT(listed, 32766) << "every scan ended before Cancel arrived";
  EXPECT_EQ(Status(1), L"検索結果 : " + std::to_wstring(listed) + L"    項目");
  EXPECT_EQ(Selection(), 0);
}

}  // namespace
