// The shelf in Brisvane.exe under Wine: one search over the sample book, the third-party book
// of external characters, the freepwing book and both books of the third-party disc, with a
// disc that is not there; each hit labelled with its book and shown from its own book; the
// scope kept over a restart; the shelf dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "SearchFixture.h"

namespace {

using viewertest::SearchRoadTest;
using viewertest::SettledPixels;
using viewertest::WaitUntil;
using viewertest::WindowText;

constexpr int kScopeShelf = 32798;
constexpr int kShelfEdit = 32799;
constexpr int kScopeBox = 104;
constexpr int kModeKeyword = 32795;
constexpr int kContinuousSearch = 32787;

std::wstring Root(const std::filesystem::path& path) { return std::filesystem::path(path).make_preferred().wstring(); }

// The shelf as the settings keep it, written before the viewer starts; the scope 本棚.
void WriteShelf(const std::vector<std::wstring>& lines) { ASSERT_TRUE(viewertest::WriteShelfSetting(lines)); }

class ShelfTest : public SearchRoadTest {
 protected:
  void SetUp() override {
    WriteShelf({L"1\t0\t" + Root(testfiles::BuiltBook("sample")) + L"\t和英",
                L"1\t0\t" + Root(testfiles::SharedBook("gaiji-book")) + L"\t外字",
                L"1\t0\t" + Root(testfiles::BuiltBook("freepwing")) + L"\tFPW",
                L"1\t0\t" + Root(testfiles::SharedBook("two-books")) + L"\ttest",
                L"1\t1\t" + Root(testfiles::SharedBook("two-books")) + L"\t地名",
                L"1\t0\tZ:\\no\\such\\disc\\\t無い"});
    SearchRoadTest::SetUp();
  }
  void TearDown() override {
    SearchRoadTest::TearDown();
    viewertest::ForgetShelfSetting();
  }

  // Waits for the end of a shelf search that lists hits; the number listed, or -1.
  int WaitForShelfHits() {
    int count = -1;
    bool done = WaitUntil([&] {
      std::wstring status = Status(1);
      count = Count();
      return status == L"検索結果 : " + std::to_wstring(count) + L"    項目" && Status(0).rfind(L"本棚の ", 0) == 0 &&
             !ProgressDialog();
    });
    return done ? count : -1;
  }
  // Selects item as a click does.
  void Choose(int item) {
    SendMessageW(list, LB_SETCURSEL, item, 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(103, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  }
  bool CaptionIs(const std::wstring& title) {
    return WaitUntil([&] { return WindowText(frame) == L"DUDAZA Zorari - " + title; });
  }
};

TEST_F(ShelfTest, EveryBookIsSearchedAndEachHitIsReadFromItsOwnBook) {
  std::vector<uint32_t> blank = SettledPixels(content);
  Search(L"w*");
  // sample: water, write; the book of external characters: word; freepwing: みず (its English
  // gloss is no headword: its reading is). The disc that is not there is passed over.
  ASSERT_EQ(WaitForShelfHits(), 4);
  EXPECT_EQ(Status(0), L"本棚の 5 冊を検索, 1 冊は開けません (無い)");
  EXPECT_TRUE(CaptionIs(L"和英サンプル辞典")) << WindowText(frame);
  std::vector<uint32_t> water;
  ASSERT_TRUE(WaitUntil([&] { return (water = SettledPixels(content)) != blank; })) << "the first hit was not shown";
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "shelf_search"));

  // The second book's hit: its entry, with that book's external characters (WÒRD).
  Choose(2);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(frame) != L"DUDAZA Zorari - 和英サンプル辞典"; }));
  std::vector<uint32_t> word;
  ASSERT_TRUE(WaitUntil([&] { return (word = SettledPixels(content)) != water && word != blank; }));
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "shelf_second_book_entry"));

  // Back to the first book's hit; the same word again stays in the shelf's scope.
  Choose(0);
  EXPECT_TRUE(CaptionIs(L"和英サンプル辞典"));
  EXPECT_TRUE(WaitUntil([&] { return SettledPixels(content) == water; }));
  Search(L"w*");
  EXPECT_EQ(WaitForShelfHits(), 4);
}

// A word marked in an entry of the shelf's list and searched again (連続検索) is searched on the
// shelf.
TEST_F(ShelfTest, AMarkedWordIsSearchedAgainOnTheShelf) {
  std::vector<uint32_t> blank = SettledPixels(content);
  Search(L"雨");  // the sample's あめ【雨】, whose second line is "rain"
  ASSERT_GE(WaitForShelfHits(), 1);
  ASSERT_TRUE(CaptionIs(L"和英サンプル辞典"));
  ASSERT_TRUE(WaitUntil([&] { return SettledPixels(content) != blank; }));
  MarkSecondLine();
  PostMessageW(frame, WM_COMMAND, kContinuousSearch, 0);
  ASSERT_TRUE(WaitUntil([&] { return WindowText(wordBox) == L"rain"; }));
  EXPECT_GE(WaitForShelfHits(), 1);
  EXPECT_EQ(Status(0).rfind(L"本棚の 5 冊を検索", 0), 0u) << "searched on the shelf";
}

// Esc in a long shelf search: the books searched so far keep their hits listed.
class LongShelfTest : public ShelfTest {
 protected:
  void SetUp() override {
    // The sample book on 60 discs of its own (hard links where the file system has them): a
    // search that takes a while to open every book.
    const std::filesystem::path sample = testfiles::BuiltBook("sample");
    shelfDir = std::filesystem::path(viewertest::TempFileName(L"shf"));
    std::filesystem::remove(shelfDir);
    std::vector<std::wstring> lines;
    for (int i = 0; i < kBooks; ++i) {
      const std::filesystem::path disc = shelfDir / std::to_wstring(i);
      for (const auto& entry : std::filesystem::recursive_directory_iterator(sample)) {
        const std::filesystem::path target = disc / std::filesystem::relative(entry.path(), sample);
        std::error_code error;
        if (entry.is_directory()) {
          std::filesystem::create_directories(target);
        } else {
          std::filesystem::create_directories(target.parent_path());
          // The last book's files are its own (TheBooksAreLetGoSoonAfterTheSearch deletes one).
          if (i + 1 < kBooks) std::filesystem::create_hard_link(entry.path(), target, error);
          if (i + 1 == kBooks || error) std::filesystem::copy_file(entry.path(), target);
        }
      }
      lines.push_back(L"1\t0\t" + Root(disc) + L"\t和英");
    }
    WriteShelf(lines);
    SearchRoadTest::SetUp();
  }
  void TearDown() override {
    ShelfTest::TearDown();
    std::error_code ignored;
    std::filesystem::remove_all(shelfDir, ignored);
  }
  static constexpr int kBooks = 60;
  std::filesystem::path shelfDir;
};

TEST_F(LongShelfTest, EscStopsTheSearchAndKeepsWhatItFound) {
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == frame; }));
  Search(L"か*");  // 24 headwords in each book
  // Once the first book is done (the progress line's count is past 0), Esc.
  std::wstring line;
  ASSERT_TRUE(WaitUntil([&] {
    HWND dialog = ProgressDialog();
    line = dialog ? WindowText(GetDlgItem(dialog, 1003)) : L"(no dialog) " + Status(0);
    return line.find(L"/60 冊") != std::wstring::npos && line.find(L" 0/60 冊") == std::wstring::npos;
  }, 20000, 5)) << "no progress past the first book: " << testing::PrintToString(line);
  ASSERT_TRUE(viewertest::PressKeys({VK_ESCAPE}));
  int searched = 0;
  ASSERT_TRUE(WaitUntil([&] {
    return !ProgressDialog() && swscanf(Status(0).c_str(), L"本棚の %d 冊を検索", &searched) == 1;
  })) << Status(0);
  EXPECT_GE(searched, 1);
  EXPECT_LT(searched, kBooks) << "the search ran to its end";
  EXPECT_EQ(Count(), 24 * searched) << "the hits of the books searched are kept";
  EXPECT_EQ(WindowText(wordBox), L"か*");
}

// The books a shelf search opened are let go soon after it (only the hit's book stays open, as
// the viewer's own): the text file of the last book can then be deleted while the viewer runs.
TEST_F(LongShelfTest, TheBooksAreLetGoSoonAfterTheSearch) {
  Search(L"か*");
  ASSERT_EQ(WaitForShelfHits(), 24 * kBooks);
  // A file of its own: the others are links of one file, which the viewer's own book holds.
  const std::filesystem::path last = shelfDir / std::to_wstring(kBooks - 1) / L"SAMPLE" / L"DATA" / L"HONMON";
  EXPECT_TRUE(WaitUntil([&] { return DeleteFileW(last.c_str()) != 0; }, 8000, 50))
      << "the book is still open: " << GetLastError();
}

// Every mode searches the shelf: a keyword search passes over the books without a keyword
// index and says so.
TEST_F(ShelfTest, AKeywordSearchPassesOverTheBooksWithoutAKeywordIndex) {
  PostMessageW(frame, WM_COMMAND, kModeKeyword, 0);
  Drain();
  Search(L"school");
  EXPECT_EQ(WaitForShelfHits(), 2);  // がっこう【学校】 of the sample and of the freepwing book
  EXPECT_EQ(Status(0), L"本棚の 2 冊を検索, 1 冊は開けません (無い), 3 冊は条件検索の索引なし");
  PostMessageW(frame, WM_COMMAND, kModeKeyword - 1, 0);  // the mode is kept: back to 見出し
  Drain();
}

TEST_F(ShelfTest, AReferenceIsFollowedInTheHitsBookAndF3ComesBack) {
  Search(L"water");
  ASSERT_EQ(WaitForShelfHits(), 2);  // the sample's water first, then freepwing's みず
  std::vector<uint32_t> blank(0), water;
  ASSERT_TRUE(WaitUntil([&] { return !(water = SettledPixels(content)).empty(); }));
  // The reference of water, みず【水】, as a click on its blue text follows it.
  RECT rect = {};
  GetWindowRect(content, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  POINT at = {-1, -1};
  for (int y = 0; y < height && at.x < 0; ++y)
    for (int x = 0; x < width && at.x < 0; ++x) {
      uint32_t p = water[static_cast<size_t>(y) * width + x];
      if ((p & 0xFF) > 180 && ((p >> 8) & 0xFF) < 100 && ((p >> 16) & 0xFF) < 100) at = {x + 1, y + 4};
    }
  ASSERT_GE(at.x, 0) << "no reference shown";
  PostMessageW(content, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  PostMessageW(content, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  std::vector<uint32_t> followed;
  ASSERT_TRUE(WaitUntil([&] { return (followed = SettledPixels(content)) != water; })) << "not followed";
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "shelf_reference_back"));
  PostMessageW(frame, WM_KEYDOWN, VK_F3, 0);
  PostMessageW(frame, WM_KEYUP, VK_F3, 0);
  EXPECT_TRUE(WaitUntil([&] { return SettledPixels(content) == water; })) << "F3 did not come back";
  EXPECT_TRUE(CaptionIs(L"和英サンプル辞典"));
}

TEST_F(ShelfTest, TheScopeOutlastsARestartAndTheDialogShowsTheShelf) {
  HWND scope = viewertest::FindChild(frame, L"ComboBox", kScopeBox);
  ASSERT_NE(scope, nullptr);
  EXPECT_EQ(SendMessageW(scope, CB_GETCURSEL, 0, 0), 1);
  // この本 from the menu, kept over a restart; then 本棚 again.
  PostMessageW(frame, WM_COMMAND, kScopeShelf - 1, 0);
  Drain();
  EXPECT_EQ(SendMessageW(scope, CB_GETCURSEL, 0, 0), 0);
  SearchRoadTest::TearDown();
  SearchRoadTest::SetUp();
  scope = viewertest::FindChild(frame, L"ComboBox", kScopeBox);
  EXPECT_EQ(SendMessageW(scope, CB_GETCURSEL, 0, 0), 0);
  Search(L"w*");
  EXPECT_EQ(WaitForHits(), 2) << "the open book alone";
  PostMessageW(frame, WM_COMMAND, kScopeShelf, 0);
  Drain();
  EXPECT_EQ(SendMessageW(scope, CB_GETCURSEL, 0, 0), 1);

  // The dialog: six books, the one whose disc is not there drawn grey.
  PostMessageW(frame, WM_COMMAND, kShelfEdit, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    dialog = viewer.FindTopWindow(L"#32770");
    return dialog && WindowText(dialog) == L"本棚の設定" && IsWindowVisible(dialog);
  }));
  HWND books = GetDlgItem(dialog, 1020);
  EXPECT_EQ(SendMessageW(books, LVM_GETITEMCOUNT, 0, 0), 6);
  Sleep(300);
  EXPECT_TRUE(viewertest::SaveWindowShot(dialog, "shelf_dialog"));
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
}

// A shelf of the sample and a copy of it whose catalog goes after the search: choosing one of
// the copy's hits is that book's failure only.
class FailingBookShelfTest : public ShelfTest {
 protected:
  void SetUp() override {
    testfiles::CopyTree(testfiles::BuiltBook("sample"), copy.Path() / "copy");
    WriteShelf({L"1\t0\t" + Root(testfiles::BuiltBook("sample")) + L"\t和英",
                L"1\t0\t" + Root(copy.Path() / "copy") + L"\\\t写し"});
    SearchRoadTest::SetUp();
  }
  testfiles::TempDir copy;
};

TEST_F(FailingBookShelfTest, AHitOfABookThatNoLongerOpensKeepsTheListAndNamesTheBook) {
  Search(L"はし");
  ASSERT_EQ(WaitForShelfHits(), 6);
  Choose(0);
  ASSERT_TRUE(WaitUntil([&] { return CaptionIs(L"和英サンプル辞典"); }));
  ASSERT_TRUE(std::filesystem::remove(copy.Path() / "copy" / "CATALOGS"));
  Choose(3);  // the copy's はし【橋】
  EXPECT_TRUE(WaitUntil([&] { return Status(0).find(L"本棚の辞書 [写し]") == 0; })) << testing::PrintToString(Status(0));
  EXPECT_NE(Status(0).find(L"が読み取れません"), std::wstring::npos);
  EXPECT_EQ(viewer.FindTopWindow(L"#32770"), nullptr) << "a message box";
  EXPECT_EQ(Count(), 6) << "the list was emptied";
  EXPECT_EQ(WindowText(wordBox), L"はし");
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "shelf_failing_book"));
  // The other book's hits still show.
  Choose(1);
  EXPECT_TRUE(WaitUntil([&] { return CaptionIs(L"和英サンプル辞典"); })) << WindowText(frame);
  EXPECT_EQ(Count(), 6);
}

// A shelf whose only other disc is missing: the status bar says it was passed over.
class MissingDiscShelfTest : public ShelfTest {
 protected:
  void SetUp() override {
    WriteShelf({L"1\t0\t" + Root(testfiles::BuiltBook("sample")) + L"\t和英", L"1\t0\tZ:\\no\\such\\disc\\\t無い"});
    SearchRoadTest::SetUp();
  }
};

TEST_F(MissingDiscShelfTest, TheMissingDiscIsPassedOverAndSaidSo) {
  Search(L"はし");
  ASSERT_EQ(WaitForShelfHits(), 3);
  EXPECT_EQ(Status(0), L"本棚の 1 冊を検索, 1 冊は開けません (無い)");
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "shelf_missing_disc"));
}

// No shelf kept yet: the first one holds every book the title dialog lists, here two copies of
// the sample in remembered folders, which are told apart by their folders' names.
class FirstShelfTest : public SearchRoadTest {
 protected:
  void SetUp() override {
    viewertest::ForgetShelfSetting();
    std::wstring remembered;
    for (const char* folder : {"EIWA-A", "EIWA-B"}) {
      testfiles::CopyTree(testfiles::BuiltBook("sample"), copies.Path() / folder);
      remembered += L" " + Root(copies.Path() / folder);
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kPathKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"path", 0, REG_SZ, reinterpret_cast<const BYTE*>(remembered.c_str()),
                   static_cast<DWORD>((remembered.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    RegDeleteKeyW(HKEY_CURRENT_USER, kPathKey);
    SearchRoadTest::SetUp();
  }
  void TearDown() override {
    SearchRoadTest::TearDown();
    viewertest::ForgetShelfSetting();
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kPathKey);
  }
  static constexpr wchar_t kPathKey[] = L"Software\\Olvenar\\Trevik DUDAZA ZORARI\\path";
  testfiles::TempDir copies;
};

TEST_F(FirstShelfTest, TwoBooksOfOneTitleGetTheirFoldersNames) {
  PostMessageW(frame, WM_COMMAND, kShelfEdit, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    dialog = viewer.FindTopWindow(L"#32770");
    return dialog && WindowText(dialog) == L"本棚の設定" && IsWindowVisible(dialog);
  }));
  Sleep(300);
  EXPECT_TRUE(viewertest::SaveWindowShot(dialog, "shelf_two_of_one_title"));
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  std::vector<std::wstring> names;
  for (const std::wstring& line : viewertest::ReadShelfSetting()) names.push_back(line.substr(line.rfind(L'\t') + 1));
  EXPECT_NE(std::find(names.begin(), names.end(), L"EIWA-A"), names.end()) << testing::PrintToString(names);
  EXPECT_NE(std::find(names.begin(), names.end(), L"EIWA-B"), names.end()) << testing::PrintToString(names);
}

}  // namespace
