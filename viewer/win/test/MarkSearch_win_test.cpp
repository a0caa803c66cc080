// Marked text in the viewer: a word marked in the content view with the mouse is copied by the
// frame's Copy command and searched for from the view's context menu (連続検索); a copy of
// external characters holds what the book's character map names, or 〓.
#include "Clipboard_win.h"
#include "SearchFixture.h"

namespace {

using viewertest::WaitUntil;
using viewertest::WindowText;

class MarkSearchTest : public viewertest::SearchRoadTest {
 protected:
  // 画面 → コピー into an emptied clipboard.
  void Copy() {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(32785, 0), 0);
  }
  static std::wstring ClipboardUnicode() { return testfiles::ClipboardUnicode(); }
  static std::string ClipboardText() { return testfiles::ClipboardBytes(); }
};

TEST_F(MarkSearchTest, MarkedWordIsCopiedAndSearchedFromTheContextMenu) {
  std::vector<uint32_t> blank = viewertest::SettledPixels(content);
  Search(L"\u96e8");  // 雨: the entry あめ【雨】, whose second line is "rain"
  ASSERT_EQ(WaitForHits(), 1);
  ASSERT_TRUE(WaitUntil([&] { return viewertest::SettledPixels(content) != blank; }));

  MarkSecondLine();
  Copy();
  EXPECT_EQ(ClipboardText(), "rain\r\n");

  int y = 3 + LineHeight() * 3 / 2;
  PostMessageW(content, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, y));
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); }));
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
    PostMessageW(menu, WM_KEYDOWN, key, 0);
    Sleep(50);
  }
  // The frame takes the marked word up to its line break and searches for it.
  ASSERT_TRUE(WaitUntil([&] { return WindowText(wordBox) == L"rain"; })) << "word box: " << WindowText(wordBox).size();
  EXPECT_GE(WaitForHits(), 1);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "mark_search"));
}

// The third-party gaiji book: its headword WÒRD is drawn with the narrow external character
// A121, which its map (JISYO.map, beside the catalog) names U+00D2. Read from a copy, with and
// without the map.
class ExternalCharacterCopyTest : public MarkSearchTest, public ::testing::WithParamInterface<bool> {
 protected:
  std::filesystem::path BookRoot() const override { return copy.Path() / "disc"; }
  void SetUp() override {
    testfiles::CopyTree(testfiles::SharedBook("gaiji-book"), copy.Path() / "disc");
    if (!GetParam()) std::filesystem::remove(copy.Path() / "disc" / "JISYO.map");
    MarkSearchTest::SetUp();
  }
  testfiles::TempDir copy;
};

TEST_P(ExternalCharacterCopyTest, AMarkedExternalCharacterIsCopiedAsItsBookMapsItOrAsAGetaMark) {
  std::vector<uint32_t> blank = viewertest::SettledPixels(content);
  Search(L"word");
  ASSERT_EQ(WaitForHits(), 1);
  ASSERT_TRUE(WaitUntil([&] { return viewertest::SettledPixels(content) != blank; }));
  MarkSecondLine();
  if (GetParam()) {
    EXPECT_TRUE(viewertest::SaveWindowShot(frame, "external_characters_marked"));
  }
  Copy();
  std::wstring copied = ClipboardUnicode();
  const wchar_t* expected = GetParam() ? L"W\u00D2RD" : L"W\u3013RD";
  EXPECT_NE(copied.find(expected), std::wstring::npos) << copied.size() << " characters";
  // CF_TEXT has it too: Ò is not in Shift-JIS, so 〓 there either way.
  EXPECT_NE(ClipboardText().find("W\x81\xACRD"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Maps, ExternalCharacterCopyTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "WithItsMap" : "WithoutAMap";
                         });

}  // namespace
