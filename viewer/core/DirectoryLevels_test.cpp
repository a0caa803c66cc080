#include "DirectoryLevels.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace brisvane {
namespace {

using Names = std::vector<std::wstring>;

TEST(DirectoryLevelsTest, EachComponentIsALevelAndTheSubdirectoriesComeBelowTheLast) {
  DirectoryLevels levels(L"D:\\A\\B");
  EXPECT_EQ(levels.Path(), L"D:\\A\\B\\");
  EXPECT_EQ(levels.Components(), (Names{L"D:", L"A", L"B"}));
  std::vector<DirectoryItem> items = levels.Items({L"zeta", L"Alpha"});
  ASSERT_EQ(items.size(), 5u);
  std::vector<std::wstring> texts;
  for (const DirectoryItem& item : items) texts.push_back(DirectoryItemText(item));
  EXPECT_EQ(texts[0], std::wstring(L"A\x02" L"D:"));
  EXPECT_EQ(texts[2], std::wstring(L"C\x02" L"B"));
  EXPECT_EQ(texts[3], std::wstring(L"D\x01" L"zeta"));
  // Sorted by text, the path comes first, outermost first, then the sub-directories.
  std::vector<std::wstring> sorted = texts;
  std::swap(sorted[0], sorted[4]);
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted[0], texts[0]);
  EXPECT_EQ(sorted[2], texts[2]);
  EXPECT_EQ(sorted[3], texts[4]);  // "Alpha" before "zeta"
  for (const DirectoryItem& item : items) {
    DirectoryItem parsed;
    ASSERT_TRUE(ParseDirectoryItemText(DirectoryItemText(item), &parsed));
    EXPECT_EQ(parsed.depth, item.depth);
    EXPECT_EQ(parsed.kind, item.kind);
    EXPECT_EQ(parsed.name, item.name);
  }
  EXPECT_EQ(DirectoryLevels(L"C:\\").Components(), (Names{L"C:"}));
}

TEST(DirectoryLevelsTest, AnItemLeadsToItsPath) {
  DirectoryLevels levels(L"D:\\A\\B\\");
  auto pathOf = [&](const std::wstring& text) {
    DirectoryItem item;
    return ParseDirectoryItemText(text, &item) ? levels.PathOf(item) : L"<not an item>";
  };
  EXPECT_EQ(pathOf(std::wstring(L"A\x02" L"D:")), L"D:\\");
  EXPECT_EQ(pathOf(std::wstring(L"B\x02" L"A")), L"D:\\A\\");  // the second item of D:\A\B\ .
  EXPECT_EQ(pathOf(std::wstring(L"C\x02" L"B")), L"D:\\A\\B\\");  // the innermost: the path itself
  EXPECT_EQ(pathOf(std::wstring(L"D\x01" L"sub")), L"D:\\A\\B\\sub\\");
  // Items that do not belong here lead nowhere.
  EXPECT_EQ(pathOf(std::wstring(L"D\x02" L"C")), L"");
  EXPECT_EQ(pathOf(std::wstring(L"B\x02" L"X")), L"");
  EXPECT_EQ(pathOf(std::wstring(L"B\x01" L"sub")), L"");
  EXPECT_EQ(pathOf(std::wstring(L"D\x01")), L"");
  EXPECT_EQ(pathOf(std::wstring(L"D\x03" L"sub")), L"<not an item>");
  EXPECT_EQ(pathOf(L"D"), L"<not an item>");
  EXPECT_EQ(pathOf(std::wstring(L"\x01\x01" L"x")), L"<not an item>");
}

}  // namespace
}  // namespace brisvane
