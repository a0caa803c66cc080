// Brisvane.exe finding its book on the drives, under Wine, in a prefix of its own that
// DriveScan.cmake prepares: A:, D:, E: and F: all hold the sample book, A: and E: are CD-ROM
// drives. The first drive is never examined, and the first CD-ROM drive after it wins.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ViewerHarness.h"

namespace {

using viewertest::ViewerProcess;
using viewertest::WaitUntil;
using viewertest::WindowText;

const wchar_t kFrameClass[] = L"TrevikBrisvane";
const wchar_t kCurpathKey[] = L"Software\\Olvenar\\Trevik DUDAZA ZORARI\\Curpath";

// Starts the viewer, waits for the sample book's title, closes it; what it stored as "Curpath".
std::string OpenedDrive() {
  ViewerProcess viewer;
  if (!viewer.Start(viewertest::BinDir() / "Brisvane.exe")) return "<not started>";
  HWND frame = nullptr;
  bool open = WaitUntil([&] {
    frame = viewer.FindTopWindow(kFrameClass);
    return frame && IsWindowVisible(frame) && WindowText(frame) == L"DUDAZA Zorari - 和英サンプル辞典";
  });
  if (!open) return "<no book opened>";
  PostMessageW(frame, WM_CLOSE, 0, 0);
  if (viewer.WaitForExit() != 0) return "<did not end>";
  return viewertest::ReadCurpath();
}

TEST(DriveScanTest, TheDrivesAreAsPrepared) {
  // Without this the tests below would prove nothing.
  ASSERT_EQ(GetDriveTypeW(L"A:\\"), static_cast<UINT>(DRIVE_CDROM));
  ASSERT_EQ(GetDriveTypeW(L"E:\\"), static_cast<UINT>(DRIVE_CDROM));
  ASSERT_NE(GetDriveTypeW(L"D:\\"), static_cast<UINT>(DRIVE_CDROM));
  ASSERT_NE(GetDriveTypeW(L"F:\\"), static_cast<UINT>(DRIVE_CDROM));
  wchar_t drives[256] = L"";
  GetLogicalDriveStringsW(256, drives);
  EXPECT_STREQ(drives, L"A:\\");  // the first of the list
}

TEST(DriveScanTest, ARememberedPathWithoutABookLeadsToTheFirstCdromAfterTheFirstDrive) {
  viewertest::WriteCurpath("C:\\windows");
  EXPECT_EQ(OpenedDrive(), "E:\\");
}

TEST(DriveScanTest, NothingRememberedLeadsToTheSameDrive) {
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, kCurpathKey);
  RegDeleteKeyW(HKEY_CURRENT_USER, kCurpathKey);
  EXPECT_EQ(OpenedDrive(), "E:\\");
}

}  // namespace
