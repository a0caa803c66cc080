#include "TitleLine.h"

#include <gtest/gtest.h>

namespace brisvane {
namespace {

TEST(TitleLineTest, ThePathComesBackFromTheLine) {
  std::wstring line = FormatTitleLine(L"D:\\", L"和英 辞典");
  EXPECT_EQ(line, L"D:\\ <<和英 辞典>>");
  EXPECT_EQ(PathOfTitleLine(line), L"D:\\");  // a blank inside the title does not matter
  EXPECT_EQ(PathOfTitleLine(FormatTitleLine(L"C:\\BOOKS\\DICT\\", L"")), L"C:\\BOOKS\\DICT\\");
  EXPECT_EQ(PathOfTitleLine(L"C:\\X"), L"C:\\X");
  EXPECT_EQ(PathOfTitleLine(L""), L"");
}

}  // namespace
}  // namespace brisvane
