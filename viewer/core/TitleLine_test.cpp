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

TEST(TitleLineTest, TheTitleComesBackFromTheLine) {
  EXPECT_EQ(TitleOfTitleLine(FormatTitleLine(L"D:\\", L"和英 <辞典>")), L"和英 <辞典>");
  EXPECT_EQ(TitleOfTitleLine(FormatTitleLine(L"C:\\X\\", L"")), L"");
  for (const wchar_t* odd : {L"", L"C:\\X", L"C:\\X <<open", L"C:\\X title>>", L"C:\\X >><<"})
    EXPECT_EQ(TitleOfTitleLine(odd), L"") << odd;
}

TEST(TitleLineTest, PlacesAreTheSameWhateverTheCaseAndTheFinalBackslash) {
  EXPECT_TRUE(SamePlace(L"D:\\", L"d:"));
  EXPECT_TRUE(SamePlace(L"C:\\Books\\Dict\\", L"c:\\BOOKS\\dict"));
  EXPECT_FALSE(SamePlace(L"C:\\Books\\Dict", L"C:\\Books\\Dict2"));
  EXPECT_FALSE(SamePlace(L"", L""));
}

}  // namespace
}  // namespace brisvane
