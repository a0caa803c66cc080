// The viewer's parts that need no running program: the command line, the splitter's columns
// and the settings in the registry.
#include <gtest/gtest.h>

#include <windows.h>

#include "FrameSizing_win.h"
#include "Settings_win.h"
#include "Splitter_win.h"
#include "StartKind_win.h"

namespace brisvane {
namespace {

TEST(StartKindTest, OnlyPWithOptionalDashOrSlashIsTheHostStart) {
  EXPECT_EQ(ClassifyStart(nullptr), StartKind::User);
  for (const wchar_t* host : {L"p", L"P", L"-p", L"-P", L"/p", L"/P"}) EXPECT_EQ(ClassifyStart(host), StartKind::Host) << host;
  for (const wchar_t* other : {L"", L"-", L"x", L"pp", L"--p", L"\\p", L"-px"})
    EXPECT_EQ(ClassifyStart(other), StartKind::Other) << other;
}

TEST(SplitterLayoutTest, ColumnsFollowIdealAndMinimumWidths) {
  // At creation: the list a third, the content the rest, both shown.
  ColumnLayout start = LayOutColumns({300, 1}, {600, 200}, 900);
  EXPECT_EQ(start.left, 300);
  EXPECT_EQ(start.right, 900 - 300 - kSplitterBar);
  EXPECT_TRUE(start.barShown);
  // The list made to fill the window (ideal w - 2, minimum w - 1) hides the content pane.
  ColumnLayout toggled = LayOutColumns({898, 899}, {1, 1}, 900);
  EXPECT_EQ(toggled.left, 900);
  EXPECT_EQ(toggled.right, 0);
  EXPECT_FALSE(toggled.barShown);
  // A content pane that would fall below its minimum is hidden; the list takes all.
  ColumnLayout narrow = LayOutColumns({200, 1}, {400, 200}, 350);
  EXPECT_EQ(narrow.left, 350);
  EXPECT_EQ(narrow.right, 0);
  EXPECT_EQ(LayOutColumns({200, 1}, {400, 200}, 0).left, 0);
}

TEST(FrameSizingTest, TheDraggedEdgeStopsAtTheMinimum) {
  // Dragging the left edge too far keeps the right edge fixed; the right edge, the left one.
  RECT left = {500, 100, 700, 150};
  KeepMinimumSize(WMSZ_LEFT, &left);
  EXPECT_EQ(left.left, 400);
  EXPECT_EQ(left.right, 700);
  EXPECT_EQ(left.top, -50);  // with the left edge, a short height is made up at the top
  EXPECT_EQ(left.bottom, 150);
  RECT right = {500, 100, 700, 150};
  KeepMinimumSize(WMSZ_BOTTOMRIGHT, &right);
  EXPECT_EQ(right.left, 500);
  EXPECT_EQ(right.right, 800);
  EXPECT_EQ(right.bottom, 300);
  RECT topRight = {500, 100, 700, 150};
  KeepMinimumSize(WMSZ_TOPRIGHT, &topRight);
  EXPECT_EQ(topRight.right, 800);
  EXPECT_EQ(topRight.top, -50);
  RECT bottomLeft = {500, 100, 700, 150};
  KeepMinimumSize(WMSZ_BOTTOMLEFT, &bottomLeft);
  EXPECT_EQ(bottomLeft.left, 400);
  EXPECT_EQ(bottomLeft.bottom, 300);
  RECT bigEnough = {0, 0, 300, 200};
  KeepMinimumSize(WMSZ_TOPLEFT, &bigEnough);
  EXPECT_EQ(bigEnough.left, 0);
  EXPECT_EQ(bigEnough.top, 0);
  // Big enough at 96 dots an inch is too small at 192.
  KeepMinimumSize(WMSZ_BOTTOMRIGHT, &bigEnough, 192);
  EXPECT_EQ(bigEnough.right, 600);
  EXPECT_EQ(bigEnough.bottom, 400);
}

class SettingsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::wstring key = std::wstring(exchange::kSettingsKey) + L"\\ViewerTest";
    RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, key.c_str());
  }
};

TEST_F(SettingsTest, WrittenValuesReadBackAndTooLongOnesReadAsEmpty) {
  EXPECT_EQ(exchange::ReadSetting(L"ViewerTest", L"ViewerTest", 256), "");
  ASSERT_TRUE(exchange::WriteSetting(L"ViewerTest", L"ViewerTest", "D:\\BOOK"));
  EXPECT_EQ(exchange::ReadSetting(L"ViewerTest", L"ViewerTest", 256), "D:\\BOOK");
  EXPECT_EQ(exchange::ReadSetting(L"ViewerTest", L"ViewerTest", 8), "D:\\BOOK");  // exactly fits with its NUL
  EXPECT_EQ(exchange::ReadSetting(L"ViewerTest", L"ViewerTest", 7), "");
  ASSERT_TRUE(exchange::WriteSetting(L"ViewerTest", L"ViewerTest", ""));
  EXPECT_EQ(exchange::ReadSetting(L"ViewerTest", L"ViewerTest", 256), "");
}

TEST_F(SettingsTest, APerUserCopyWinsUntilTheMachineKeyIsWrittenAgain) {
  ASSERT_TRUE(exchange::WriteSetting(L"ViewerTest", L"ViewerTest", "machine"));
  // What a run without the right to write the machine key leaves behind.
  HKEY key = nullptr;
  std::wstring path = std::wstring(exchange::kSettingsKey) + L"\\ViewerTest";
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "ViewerTest", 0, REG_SZ, reinterpret_cast<const BYTE*>("user"), 5);
  RegCloseKey(key);
  EXPECT_EQ(exchange::ReadSetting(L"ViewerTest", L"ViewerTest", 256), "user");
  ASSERT_TRUE(exchange::WriteSetting(L"ViewerTest", L"ViewerTest", "machine again"));
  EXPECT_EQ(exchange::ReadSetting(L"ViewerTest", L"ViewerTest", 256), "machine again");
}

}  // namespace
}  // namespace brisvane
