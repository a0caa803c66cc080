// The viewer as a user gets it from a package: started from the folder that the installer or the
// portable archive put it in (DUDAZA_PACKAGED_VIEWER, its Brisvane.exe) with no book anywhere. It
// offers the sample book beside it, opens it on Yes and searches it; the screen is saved as
// DUDAZA_PACKAGED_SHOT. The installer's test runs this in a Wine prefix of its own.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "SearchFixture.h"

namespace {

using viewertest::WaitUntil;
using viewertest::WindowText;

class PackagedViewer : public ::testing::Test, protected viewertest::ViewerWindows {
 protected:
  std::wstring Status(int pane) { return viewertest::StatusText(viewer.Id(), statusBar, pane); }

  viewertest::ViewerProcess viewer;
};

TEST_F(PackagedViewer, OffersTheSampleBookOpensItAndSearchesIt) {
  const wchar_t* exe = _wgetenv(L"DUDAZA_PACKAGED_VIEWER");
  const char* shot = std::getenv("DUDAZA_PACKAGED_SHOT");
  ASSERT_TRUE(exe && shot) << "DUDAZA_PACKAGED_VIEWER and DUDAZA_PACKAGED_SHOT name the viewer and its scene";
  viewertest::WriteCurpath("Z:\\no-disc-here");
  ASSERT_TRUE(viewer.Start(exe)) << "cannot start the packaged viewer";
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    box = viewer.FindTopWindow(L"#32770");
    return box && WindowText(GetDlgItem(box, 0xFFFF)) == L"CD-ROMが挿入されていません!\n\n付属のサンプル辞書を開きますか?";
  })) << "no offer of the sample book";
  PostMessageW(box, WM_COMMAND, IDYES, 0);
  ASSERT_TRUE(WaitUntil([&] {
    frame = viewer.FindTopWindow(viewertest::kFrameClass);
    return frame && WindowText(frame) == L"DUDAZA Zorari - 和英サンプル辞典";
  })) << "the sample book did not open";
  ASSERT_TRUE(FindControls());
  Type(L"はし");
  PressEnter();
  EXPECT_TRUE(WaitUntil([&] { return Status(1) == L"検索結果 : 3    項目" && Count() == 3; })) << Status(1);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, shot));
  PostMessageW(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(viewer.WaitForExit(), 0u);
}

}  // namespace
