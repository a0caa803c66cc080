// Bookmarks: Ctrl+D keeps the place shown, the dialog puts it in a folder, and after a restart
// the bookmark shows its entry from its own book (also the second book of a two-book disc); the
// list written out and read back is the same list; a bookmark whose disc is gone says so and
// stays.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "SearchFixture.h"

namespace {

using viewertest::SettledPixels;
using viewertest::WaitUntil;
using viewertest::WindowText;

const wchar_t kMarksKey[] = L"Software\\Olvenar\\Trevik DUDAZA ZORARI\\bookmarks";
constexpr WPARAM kAddCommand = 32818;   // しおりを挟む
constexpr WPARAM kListCommand = 32819;  // しおり
constexpr int kTree = 1040, kNewFolder = 1041, kUp = 1044, kExport = 1046, kImport = 1047, kStatusLine = 1048;

// The bookmarks as the viewer keeps them (one string a line), and setting them.
std::vector<std::wstring> StoredMarks() { return viewertest::ReadUserLines(kMarksKey, L"Marks"); }

void StoreMarks(const std::vector<std::wstring>& lines) {
  std::wstring joined;
  for (const std::wstring& line : lines) joined += line + L'\0';
  joined += L'\0';
  RegSetKeyValueW(HKEY_CURRENT_USER, kMarksKey, L"Marks", REG_MULTI_SZ, joined.data(),
                  static_cast<DWORD>(joined.size() * sizeof(wchar_t)));
}

class BookmarksTest : public viewertest::SearchRoadTest {
 protected:
  std::filesystem::path BookRoot() const override {
    return twoBooks ? testfiles::SharedBook("two-books") : SearchRoadTest::BookRoot();
  }
  int32_t BookIndex() const override { return bookIndex; }

  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kMarksKey);
    SearchRoadTest::SetUp();
  }
  void TearDown() override {
    SearchRoadTest::TearDown();
    RegDeleteTreeW(HKEY_CURRENT_USER, kMarksKey);
  }
  // The viewer ended and started again, the bookmarks kept.
  void Restart() {
    SearchRoadTest::TearDown();
    SearchRoadTest::SetUp();
  }
  // Searches word and waits for its entry: what the entry pane shows then.
  std::vector<uint32_t> Entry(const std::wstring& word, int hits) {
    const std::vector<uint32_t> blank = SettledPixels(content);
    Search(word);
    EXPECT_EQ(WaitForHits(), hits);
    std::vector<uint32_t> shown;
    EXPECT_TRUE(WaitUntil([&] { return (shown = SettledPixels(content)) != blank; }));
    return shown;
  }
  void Keep(const std::wstring& said) {
    PostMessageW(frame, WM_COMMAND, kAddCommand, 0);
    EXPECT_TRUE(WaitUntil([&] { return Status(0) == said; }, 5000)) << testing::PrintToString(Status(0));
  }
  // The bookmarks' dialog opened from the menu, and its tree.
  HWND OpenDialog(HWND* tree) {
    PostMessageW(frame, WM_COMMAND, kListCommand, 0);
    HWND dialog = nullptr;
    WaitUntil([&] {
      dialog = viewer.FindTopWindow(L"#32770", L"しおり");
      return dialog && (*tree = GetDlgItem(dialog, kTree)) != nullptr;
    }, 10000);
    return dialog;
  }
  static HTREEITEM Item(HWND tree, UINT how, HTREEITEM from = nullptr) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
  }
  void Press(HWND dialog, int button) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  }
  // A file dialog of the bookmarks' dialog given path and OK.
  void AnswerFileDialog(const std::wstring& shown, const std::wstring& path) {
    HWND files = nullptr, name = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      files = viewer.FindTopWindow(L"#32770");
      return files && WindowText(files) != L"しおり" && (name = viewertest::EditHolding(files, shown)) != nullptr;
    }, 10000)) << "no file dialog";
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(files, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(files); }, 10000));
  }
  // Chooses item and 表示; the entry pane then shows shown, and the list one hit per bookmark.
  void ShowChosen(HWND dialog, HWND tree, HTREEITEM item, const std::vector<uint32_t>& shown, int listed) {
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return Count() == listed && SettledPixels(content) == shown; }))
        << "the bookmark's entry is not shown";
    EXPECT_EQ(Status(1), L"検索結果 : " + std::to_wstring(listed) + L"    項目");
  }

  bool twoBooks = false;
  int32_t bookIndex = -1;
};

TEST_F(BookmarksTest, CtrlDKeepsThePlaceAndAfterARestartItsFolderShowsIt) {
  const std::vector<uint32_t> school = Entry(L"がっこう", 1);
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == frame; }));
  ASSERT_TRUE(viewertest::PressKeys({VK_CONTROL, 'D'}));
  EXPECT_TRUE(WaitUntil([&] { return Status(0) == L"しおりを挟みました: がっこう【学校】"; }, 5000))
      << testing::PrintToString(Status(0));
  Keep(L"しおりがあります: がっこう【学校】");
  Entry(L"いえ", 1);
  Keep(L"しおりを挟みました: いえ【家】");

  // A folder made and named; がっこう moved up into it (the folders come first).
  HWND tree = nullptr;
  HWND dialog = OpenDialog(&tree);
  ASSERT_NE(dialog, nullptr) << "no bookmarks' dialog";
  Press(dialog, kNewFolder);
  HWND name = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (name = reinterpret_cast<HWND>(SendMessageW(tree, TVM_GETEDITCONTROL, 0, 0))); }));
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"学校の語"));
  SendMessageW(dialog, WM_COMMAND, IDOK, 0);  // Enter ends the edit, the dialog stays
  ASSERT_TRUE(IsWindow(dialog));
  EXPECT_EQ(WindowText(GetDlgItem(dialog, kStatusLine)), L"") << "the name was taken";
  HTREEITEM folder = Item(tree, TVGN_ROOT);
  ASSERT_NE(folder, nullptr);
  HTREEITEM first = Item(tree, TVGN_NEXT, folder);
  ASSERT_NE(first, nullptr) << "the two bookmarks after the folder";
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(first));
  Press(dialog, kUp);
  folder = Item(tree, TVGN_ROOT);
  ASSERT_NE(Item(tree, TVGN_CHILD, folder), nullptr) << "がっこう went into the folder";
  EXPECT_EQ(Item(tree, TVGN_NEXT, Item(tree, TVGN_CHILD, folder)), nullptr);
  EXPECT_TRUE(viewertest::SaveWindowShot(dialog, "bookmarks_dialog"));

  // Written out: the header and a line for the folder and each bookmark.
  const std::wstring file = viewertest::TempFileName(L"bm");
  DeleteFileW(file.c_str());
  PostMessageW(dialog, WM_COMMAND, kExport, 0);
  AnswerFileDialog(L"しおり.txt", file);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(GetDlgItem(dialog, kStatusLine)) == L"しおりを書き出しました (2 件)"; }));
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  std::ifstream in{std::filesystem::path(file), std::ios::binary};
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text.substr(0, text.find("\r\n")), "Folder\tHeading\tBook\tDisc\tIndex\tPosition\tCodes");
  EXPECT_NE(text.find("\r\n\xE5\xAD\xA6\xE6\xA0\xA1\xE3\x81\xAE\xE8\xAA\x9E\t\t\t\t\t\t\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\t\xE3\x81\x84\xE3\x81\x88\xE3\x80\x90\xE5\xAE\xB6\xE3\x80\x91\t"), std::string::npos) << text;
  const std::vector<std::wstring> kept = StoredMarks();
  ASSERT_EQ(kept.size(), 3u);

  // After a restart, the folder's bookmark shows its entry.
  Restart();
  ASSERT_TRUE(WaitUntil([&] { return SettledPixels(content) != school; }));
  dialog = OpenDialog(&tree);
  ASSERT_NE(dialog, nullptr);
  folder = Item(tree, TVGN_ROOT);
  ASSERT_NE(folder, nullptr);
  ShowChosen(dialog, tree, Item(tree, TVGN_CHILD, folder), school, 1);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "bookmark_shown"));

  // Read back into an empty list: the same list.
  RegDeleteTreeW(HKEY_CURRENT_USER, kMarksKey);
  dialog = OpenDialog(&tree);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Item(tree, TVGN_ROOT), nullptr);
  PostMessageW(dialog, WM_COMMAND, kImport, 0);
  AnswerFileDialog(L"", file);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(GetDlgItem(dialog, kStatusLine)) == L"しおりを読み込みました (2 件を追加)"; }))
      << testing::PrintToString(WindowText(GetDlgItem(dialog, kStatusLine)));
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(WaitUntil([&] { return StoredMarks() == kept; })) << "the list read back differs";
  DeleteFileW(file.c_str());
}

class SecondBookTest : public BookmarksTest {
 protected:
  SecondBookTest() {
    twoBooks = true;
    bookIndex = 1;
  }
};

TEST_F(SecondBookTest, ABookmarkOfTheDiscsSecondBookOpensThatBookAndAGoneDiscSaysSo) {
  const std::wstring second = WindowText(frame);
  const std::vector<uint32_t> tokyo = Entry(L"TOKYO", 1);
  PostMessageW(frame, WM_COMMAND, kAddCommand, 0);
  ASSERT_TRUE(WaitUntil([&] { return Status(0).rfind(L"しおりを挟みました: ", 0) == 0; }, 5000))
      << testing::PrintToString(Status(0));
  // A bookmark of a disc that is not there, before it.
  std::vector<std::wstring> lines = StoredMarks();
  ASSERT_EQ(lines.size(), 1u);
  lines.insert(lines.begin(), L"\tなくなった本\tGone\tC:\\nowhere\\disc\t0\t100\t");
  StoreMarks(lines);

  bookIndex = 0;
  Restart();
  ASSERT_NE(WindowText(frame), second) << "the first book is open";
  HWND tree = nullptr;
  HWND dialog = OpenDialog(&tree);
  ASSERT_NE(dialog, nullptr);
  HTREEITEM gone = Item(tree, TVGN_ROOT);
  ASSERT_NE(gone, nullptr);
  HTREEITEM kept = Item(tree, TVGN_NEXT, gone);
  ASSERT_NE(kept, nullptr);
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(kept));
  EXPECT_TRUE(viewertest::SaveWindowShot(dialog, "bookmarks_gone_disc"));
  ShowChosen(dialog, tree, kept, tokyo, 2);
  EXPECT_EQ(WindowText(frame), second) << "the bookmark's own book is open";

  // The gone disc's bookmark chosen in the list: it says so, the book open stays open, and the
  // bookmark stays.
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(103, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  EXPECT_TRUE(WaitUntil([&] {
    return Status(0) == L"しおりの辞書 [Gone] (C:\\nowhere\\disc) が見つからないか読み取れません (しおりは残ります)";
  })) << testing::PrintToString(Status(0));
  EXPECT_EQ(WindowText(frame), second);
  EXPECT_EQ(StoredMarks().size(), 2u);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "bookmark_gone_disc"));

  // Dark, the dialog is dark too (its tree among it).
  SendMessageW(frame, WM_COMMAND, 32807, 0);  // 暗い色
  dialog = OpenDialog(&tree);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TreeView_GetBkColor(tree), RGB(30, 30, 30)) << "the tree's ground, the fields' colour";
  EXPECT_TRUE(viewertest::SaveWindowShot(dialog, "bookmarks_dark"));
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
}

}  // namespace
