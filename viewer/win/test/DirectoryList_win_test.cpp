// The browse dialog's directory list in a list box of this process: the levels it shows, where
// a double-click leads, and that the working directory it borrows always comes back.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DirectoryList_win.h"
#include "WorkingDirectory_win.h"

namespace brisvane {
namespace {

namespace fs = std::filesystem;

class DirectoryListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("dirlist-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(root / "A" / "B" / "zeta");
    fs::create_directories(root / "A" / "B" / "Alpha");
    fs::create_directories(root / "A" / "B" / ".hidden");
    std::FILE* file = _wfopen((root / "A" / "B" / "file.txt").c_str(), L"w");
    if (file) std::fclose(file);
    list = CreateWindowExW(0, L"LISTBOX", L"", LBS_SORT | LBS_HASSTRINGS, 0, 0, 200, 200, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(list, nullptr);
    directories.Attach(list);
    start = CurrentDirectory();
    ASSERT_FALSE(start.empty());
  }
  void TearDown() override {
    DestroyWindow(list);
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }

  std::vector<std::wstring> Items() const {
    std::vector<std::wstring> items;
    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t text[MAX_PATH] = L"";
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      items.emplace_back(text);
    }
    return items;
  }
  // The path of a directory below root, as the dialog holds it.
  std::wstring PathOf(const fs::path& below) const { return (root / below).wstring() + L"\\"; }
  DirectoryList::Outcome DoubleClick(int index, std::wstring* newPath) {
    SendMessageW(list, LB_SETCURSEL, index, 0);
    return directories.Activate(newPath);
  }

  fs::path root;
  HWND list = nullptr;
  DirectoryList directories;
  std::wstring start;
};

TEST_F(DirectoryListTest, ThePathComesFirstThenTheSubdirectoriesAndDoubleClicksMove) {
  ASSERT_TRUE(directories.Fill((root / "A" / "B").wstring()));
  EXPECT_EQ(CurrentDirectory(), start);
  EXPECT_EQ(directories.Path(), PathOf(fs::path("A") / "B"));
  std::vector<std::wstring> items = Items();
  size_t depth = brisvane::DirectoryLevels(directories.Path()).Components().size();
  ASSERT_EQ(items.size(), depth + 2);  // no ".hidden", no file
  EXPECT_EQ(items[0].substr(0, 2), std::wstring(L"A\x02"));
  EXPECT_EQ(items[depth - 1].substr(1), std::wstring(L"\x02") + L"B");
  EXPECT_EQ(items[depth].substr(1), std::wstring(L"\x01") + L"Alpha");
  EXPECT_EQ(items[depth + 1].substr(1), std::wstring(L"\x01") + L"zeta");

  std::wstring newPath;
  // The innermost path item accepts; the one above it moves up a level and stays selected.
  EXPECT_EQ(DoubleClick(static_cast<int>(depth - 1), &newPath), DirectoryList::Outcome::kAccepted);
  ASSERT_EQ(DoubleClick(static_cast<int>(depth - 2), &newPath), DirectoryList::Outcome::kChanged);
  EXPECT_EQ(newPath, PathOf("A"));
  EXPECT_EQ(directories.Path(), PathOf("A"));
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), static_cast<LRESULT>(depth - 2));
  EXPECT_EQ(Items().size(), depth);  // the components up to A, and B below it
  // A sub-directory moves down; the selection lands on it, the new innermost item.
  ASSERT_EQ(DoubleClick(static_cast<int>(depth - 1), &newPath), DirectoryList::Outcome::kChanged);
  EXPECT_EQ(newPath, PathOf(fs::path("A") / "B"));
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), static_cast<LRESULT>(depth - 1));
  EXPECT_EQ(CurrentDirectory(), start);

  // Nothing selected: nothing happens.
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(directories.Activate(&newPath), DirectoryList::Outcome::kNothing);
}

TEST_F(DirectoryListTest, ADirectoryThatCannotBeEnteredLeavesTheListEmptyAndTheWorkingDirectoryAsItWas) {
  ASSERT_TRUE(directories.Fill((root / "A" / "B").wstring()));
  fs::remove_all(root / "A" / "B" / "zeta");  // gone between the fill and the double-click
  std::wstring newPath;
  EXPECT_EQ(DoubleClick(static_cast<int>(Items().size() - 1), &newPath), DirectoryList::Outcome::kFailed);
  EXPECT_EQ(newPath, PathOf(fs::path("A") / "B" / "zeta"));
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(directories.Activate(&newPath), DirectoryList::Outcome::kNothing);
  EXPECT_EQ(CurrentDirectory(), start);

  EXPECT_FALSE(directories.Fill((root / "missing").wstring()));
  EXPECT_FALSE(CanEnterDirectory((root / "missing").wstring()));
  EXPECT_FALSE(CanEnterDirectory(L""));
  EXPECT_TRUE(CanEnterDirectory(root.wstring()));
  EXPECT_EQ(CurrentDirectory(), start);
}

TEST(ScopedWorkingDirectoryTest, ThePreviousDirectoryComesBackWhenTheScopeEnds) {
  std::wstring start = CurrentDirectory();
  std::wstring other = fs::temp_directory_path().wstring();
  {
    ScopedWorkingDirectory directory;
    ASSERT_TRUE(directory.Enter(other));
    EXPECT_NE(CurrentDirectory(), start);
    EXPECT_FALSE(directory.Enter(L"Q:\\surely\\not\\here"));
  }
  EXPECT_EQ(CurrentDirectory(), start);
}

}  // namespace
}  // namespace brisvane
