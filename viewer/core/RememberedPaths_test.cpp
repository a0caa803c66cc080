#include "RememberedPaths.h"

#include <gtest/gtest.h>

namespace brisvane {
namespace {

using Paths = std::vector<std::string>;

TEST(RememberedPathsTest, SplittingLeavesOutDriveRootsAndEmptyPieces) {
  EXPECT_EQ(SplitRememberedPaths(" C:\\DICT\\ D:\\  E:\\A\\B E: E:\\A"), (Paths{"C:\\DICT\\", "E:\\A\\B", "E:\\A"}));
  EXPECT_TRUE(SplitRememberedPaths("").empty());
  EXPECT_TRUE(SplitRememberedPaths("    ").empty());
}

TEST(RememberedPathsTest, TheChosenDirectoryIsAddedOnceAndNeverADriveRoot) {
  Paths listed = {"D:\\", "C:\\DICT\\", "E:\\"};
  EXPECT_EQ(BuildRememberedPaths(listed, "C:\\OTHER\\"), " C:\\DICT\\ C:\\OTHER\\");
  EXPECT_EQ(BuildRememberedPaths(listed, "C:\\DICT\\"), " C:\\DICT\\");
  EXPECT_EQ(BuildRememberedPaths(listed, "c:\\dict"), " C:\\DICT\\");  // the same directory
  EXPECT_EQ(BuildRememberedPaths(listed, "F:\\"), " C:\\DICT\\");
  EXPECT_EQ(BuildRememberedPaths({}, "F:\\"), "");
  // A path that merely contains a remembered one (or is contained in one) is another directory.
  EXPECT_EQ(BuildRememberedPaths({"C:\\DICT2\\"}, "C:\\DICT\\"), " C:\\DICT2\\ C:\\DICT\\");
  EXPECT_EQ(BuildRememberedPaths({"C:\\DI\\"}, "C:\\DICT\\"), " C:\\DI\\ C:\\DICT\\");
  // A blank would split the path when it is read back: such a path is not stored.
  EXPECT_EQ(BuildRememberedPaths({"C:\\MY DICT\\"}, "C:\\Y\\"), " C:\\Y\\");
  EXPECT_EQ(BuildRememberedPaths({"C:\\Y\\"}, "C:\\MY DICT\\"), " C:\\Y\\");
}

TEST(RememberedPathsTest, DirectoriesBeyondFiveHundredBytesAreDropped) {
  // Each piece takes 100 bytes with its blank: four fit (400 + NUL), the fifth (500 + NUL) not.
  Paths listed;
  for (char c = 'a'; c <= 'f'; ++c) listed.push_back("C:\\" + std::string(96, c));
  std::string value = BuildRememberedPaths(listed, "C:\\new\\");
  EXPECT_EQ(value.size(), 400u + 8u);
  EXPECT_EQ(value.substr(value.size() - 8), " C:\\new\\");
  EXPECT_EQ(SplitRememberedPaths(value).size(), 5u);
  // The chosen directory must stay below the limit with its blank and the NUL.
  Paths almost = {"C:\\" + std::string(489, 'x')};  // 493 bytes with the blank
  EXPECT_EQ(BuildRememberedPaths(almost, "C:\\a").size(), 493u + 5u);
  EXPECT_EQ(BuildRememberedPaths(almost, "C:\\ab").size(), 493u);
  Paths full = {"C:\\" + std::string(495, 'x')};  // 499 bytes with the blank: the NUL fills it
  EXPECT_EQ(BuildRememberedPaths(full, "C:\\a").size(), 499u);
  EXPECT_EQ(BuildRememberedPaths({"C:\\" + std::string(496, 'x')}, "C:\\a"), " C:\\a");
}

}  // namespace
}  // namespace brisvane
