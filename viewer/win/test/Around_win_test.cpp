// 検索 → 前後の見出し in Brisvane.exe under Wine: the headwords around the hit selected, in the
// order of the book's word index (in the sample book's kana index … は, はし【橋】, はし【箸】,
// はし【端】, はしる …), the hit selected; more keys read when the selection reaches an end.
#include "BrisvaneRes.h"
#include "SearchFixture.h"

namespace {

using viewertest::SettledPixels;
using viewertest::WaitUntil;

class AroundTest : public viewertest::SearchRoadTest {
 protected:
  void Command(int id) {
    PostMessageW(frame, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Drain();
  }
  void Key(WORD key) {
    PostMessageW(list, WM_KEYDOWN, key, 0);
    PostMessageW(list, WM_KEYUP, key, 0);
    Drain();
  }
  // The entry a search for word shows first.
  std::vector<uint32_t> EntryOf(const wchar_t* word, const std::vector<uint32_t>& blank) {
    Search(word);
    EXPECT_GE(WaitForHits(), 1) << "nothing found for the entry";
    std::vector<uint32_t> shown;
    EXPECT_TRUE(WaitUntil([&] { return (shown = SettledPixels(content)) != blank; }));
    return shown;
  }
  bool Shows(const std::vector<uint32_t>& entry) {
    return WaitUntil([&] { return SettledPixels(content) == entry; }, 10000);
  }
};

TEST_F(AroundTest, TheHeadwordsAroundAHitAreTheIndexsOwnWithTheHitSelected) {
  const std::vector<uint32_t> blank = SettledPixels(content);
  const std::vector<uint32_t> ha = EntryOf(L"は", blank);
  const std::vector<uint32_t> bridge = EntryOf(L"橋", blank);
  const std::vector<uint32_t> chopsticks = EntryOf(L"箸", blank);

  Search(L"はし");
  ASSERT_EQ(WaitForHits(), 3);
  Key(VK_DOWN);  // はし【箸】
  ASSERT_TRUE(Shows(chopsticks));
  SetForegroundWindow(frame);
  ASSERT_TRUE(viewertest::PressKeys({VK_CONTROL, 'J'}));
  // 50 keys before the hit's and 50 after it (the index has more on both sides).
  ASSERT_TRUE(WaitUntil([&] { return Count() == 101 && Selection() == 50; }))
      << "listed " << Count() << ", selected " << Selection();
  EXPECT_TRUE(Shows(chopsticks)) << "the hit's own key is the one selected";
  EXPECT_EQ(Status(1), L"検索結果 : 101    項目");
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "around_list"));
  Key(VK_UP);
  EXPECT_TRUE(Shows(bridge)) << "the key before is はし【橋】";
  Key(VK_UP);
  EXPECT_TRUE(Shows(ha)) << "and before it は";

  // At the list's end, 100 more keys are read on both sides (as far as the index goes); the same
  // key stays selected, and more lie after it.
  Key(VK_END);
  ASSERT_TRUE(WaitUntil([&] { return Count() > 101; })) << "no more keys were read";
  const std::vector<uint32_t> last = SettledPixels(content);
  EXPECT_GT(Count() - 1, Selection());
  Key(VK_DOWN);
  EXPECT_TRUE(WaitUntil([&] { return SettledPixels(content) != last; })) << "no key after the old end";
  // Scrolled to the top, the list reads more before; the key selected stays.
  const std::vector<uint32_t> chosen = SettledPixels(content);
  const int listed = Count();
  SendMessageW(list, WM_VSCROLL, SB_TOP, 0);
  EXPECT_TRUE(WaitUntil([&] { return Count() > listed; })) << "scrolling to the top read no more keys";
  EXPECT_EQ(SettledPixels(content), chosen);
  Command(IDM_THEME_DARK);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "around_list_dark"));
  Command(IDM_THEME_LIGHT);
}

TEST_F(AroundTest, OnlyAHeadwordSearchsHitHasAPlaceInTheIndex) {
  Command(IDM_MODE_FULLTEXT);
  Search(L"学校");
  ASSERT_GE(WaitForHits(), 2);
  const int listed = Count();
  Command(IDM_AROUND);
  EXPECT_EQ(Count(), listed) << "a full-text hit has no key";
  Command(IDM_MODE_HEADWORD);
  Search(L"学校");
  ASSERT_GE(WaitForHits(), 1);
  Command(IDM_AROUND);
  EXPECT_TRUE(WaitUntil([&] { return Count() > 1; })) << "学校 in the as-is index";
}

}  // namespace
