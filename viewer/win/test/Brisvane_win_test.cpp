// Brisvane.exe run as a user runs it, under Wine: started from its folder with the sample book
// remembered in the registry, its windows found by class and read back.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

#include "TestFiles.h"
#include "SearchFixture.h"
#include "ViewerHarness.h"

namespace {

using viewertest::ViewerProcess;
using viewertest::WaitUntil;
using viewertest::WindowText;

const wchar_t kFrameClass[] = L"TrevikBrisvane";
const std::wstring kBookTitle = L"DUDAZA Zorari - 和英サンプル辞典";

std::string SampleBookPath() { return testfiles::BuiltBook("sample").make_preferred().string(); }

std::filesystem::path ViewerExe() { return viewertest::BinDir() / "Brisvane.exe"; }

class ViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A viewer left running would take every start of these tests for a second start.
    ASSERT_EQ(FindWindowW(kFrameClass, nullptr), nullptr) << "a viewer is already running";
    viewertest::WriteCurpath(SampleBookPath());
    viewertest::LinkJapaneseFallbackFont();
  }

  // Starts the viewer and waits until its frame shows the sample book's title.
  HWND StartWithBook(ViewerProcess& viewer, const std::wstring& arguments = L"") {
    if (!viewer.Start(ViewerExe(), arguments)) return nullptr;
    HWND frame = nullptr;
    WaitUntil([&] {
      frame = viewer.FindTopWindow(kFrameClass);
      return frame && IsWindowVisible(frame) && WindowText(frame) == kBookTitle;
    });
    return frame;
  }
};

TEST_F(ViewerTest, OpensTheRememberedBookAndStoresItsPathAtTheEnd) {
  ViewerProcess viewer;
  HWND frame = StartWithBook(viewer);
  ASSERT_NE(frame, nullptr) << "no main window with the book's title";
  EXPECT_EQ(WindowText(frame), kBookTitle);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, "viewer_empty"));

  // The path of the open book is written when the window goes, whatever the registry held.
  viewertest::WriteCurpath("Z:\\elsewhere");
  PostMessageW(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(viewer.WaitForExit(), 0u);
  EXPECT_EQ(viewertest::ReadCurpath(), SampleBookPath());
}

TEST_F(ViewerTest, AStartWithTheDiscMissingKeepsTheRememberedBook) {
  viewertest::WriteCurpath("Z:\\no-disc-here", 1);
  ViewerProcess viewer;
  ASSERT_TRUE(viewer.Start(ViewerExe()));
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    box = viewer.FindTopWindow(L"#32770");
    return box && WindowText(GetDlgItem(box, 0xFFFF)) == L"CD-ROMが挿入されていません!";
  })) << "no message that the disc is missing";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  HWND frame = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) && (frame = viewer.FindTopWindow(kFrameClass)) != nullptr; }));
  PostMessageW(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(viewer.WaitForExit(), 0u);
  EXPECT_EQ(viewertest::ReadCurpath(), "Z:\\no-disc-here");
  EXPECT_EQ(viewertest::ReadCurbook(), 1);
}

// Installed with the sample book beside it (a folder named in Japanese, with a space, as a user
// may unpack the portable archive into), the viewer that finds no book anywhere offers to open
// the sample; Yes opens it. No is the design's message and nothing more.
TEST_F(ViewerTest, WithNoBookAnywhereTheSampleBesideTheProgramIsOffered) {
  namespace fs = std::filesystem;
  std::wstring temp(MAX_PATH, L'\0');
  temp.resize(GetTempPathW(MAX_PATH, temp.data()));
  const fs::path folder = fs::path(temp) / L"辞書 テスト";
  fs::remove_all(folder);
  ASSERT_TRUE(fs::create_directories(folder / "sample"));
  for (const char* file : {"Brisvane.exe", "Dunmoor.dll", "Calvetta.dll"})
    fs::copy_file(viewertest::BinDir() / file, folder / file);
  fs::copy(fs::path(SampleBookPath()), folder / "sample", fs::copy_options::recursive);
  viewertest::WriteCurpath("Z:\\no-disc-here");

  for (int answer : {IDNO, IDYES}) {
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.Start(folder / "Brisvane.exe"));
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      box = viewer.FindTopWindow(L"#32770");
      return box && WindowText(GetDlgItem(box, 0xFFFF)) ==
                        L"CD-ROMが挿入されていません!\n\n付属のサンプル辞書を開きますか?";
    })) << "no offer of the sample book";
    ASSERT_NE(GetDlgItem(box, IDYES), nullptr);
    PostMessageW(box, WM_COMMAND, answer, 0);
    HWND frame = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) && (frame = viewer.FindTopWindow(kFrameClass)) != nullptr; }));
    if (answer == IDYES) {
      EXPECT_TRUE(WaitUntil([&] { return WindowText(frame) == kBookTitle; })) << "the sample did not open";
    } else {
      EXPECT_EQ(WindowText(frame), L"DUDAZA Zorari");
      // A search without a book says why nothing happens.
      PostMessageW(frame, WM_COMMAND, 32777, 0);
      HWND bar = FindWindowExW(frame, nullptr, L"msctls_statusbar32", nullptr);
      EXPECT_TRUE(WaitUntil([&] {
        return viewertest::StatusText(viewer.Id(), bar, 0).rfind(L"開いている辞書がありません", 0) == 0;
      })) << testing::PrintToString(viewertest::StatusText(viewer.Id(), bar, 0));
    }
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(viewer.WaitForExit(), 0u);
  }
  viewertest::WriteCurpath(SampleBookPath());
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

TEST_F(ViewerTest, ASecondStartBringsTheFirstForwardAndEnds) {
  ViewerProcess first;
  HWND frame = StartWithBook(first);
  ASSERT_NE(frame, nullptr);
  ViewerProcess second;
  ASSERT_TRUE(second.Start(ViewerExe()));
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_EQ(second.FindTopWindow(kFrameClass), nullptr);
  EXPECT_TRUE(first.IsRunning());
  EXPECT_TRUE(IsWindowVisible(frame));
  PostMessageW(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.WaitForExit(), 0u);
}

TEST_F(ViewerTest, AHostStartOnlyHidesOnCloseAndALaterStartShowsItAgain) {
  ViewerProcess host;
  HWND frame = StartWithBook(host, L"-p");
  ASSERT_NE(frame, nullptr);
  PostMessageW(frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(frame); }));
  EXPECT_TRUE(host.IsRunning());

  ViewerProcess user;
  ASSERT_TRUE(user.Start(ViewerExe()));
  EXPECT_EQ(user.WaitForExit(), 0u);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(frame) != 0; }));
  EXPECT_TRUE(host.IsRunning());
}  // the host's viewer stays resident; the test ends it

TEST_F(ViewerTest, RefreshReopensTheBookAndEmptiesTheWordBox) {
  ViewerProcess viewer;
  HWND frame = StartWithBook(viewer);
  ASSERT_NE(frame, nullptr);
  HWND toolbar = FindWindowExW(frame, nullptr, L"ToolbarWindow32", nullptr);
  ASSERT_NE(toolbar, nullptr);
  HWND wordBox = GetDlgItem(toolbar, 101);
  ASSERT_NE(wordBox, nullptr);
  SendMessageW(wordBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"coffee"));
  ASSERT_EQ(WindowText(wordBox), L"coffee");

  PostMessageW(frame, WM_KEYDOWN, VK_F5, 0);
  PostMessageW(frame, WM_KEYUP, VK_F5, 0);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(wordBox).empty(); }));
  EXPECT_EQ(WindowText(frame), kBookTitle);
  PostMessageW(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(viewer.WaitForExit(), 0u);
}

// A copy of the program in a folder of its own, with `dunmoor` (if given) as its Dunmoor.dll.
class MissingLibraryTest : public ViewerTest {
 protected:
  void TearDown() override {
    std::error_code error;
    std::filesystem::remove_all(folder, error);
  }
  std::filesystem::path PrepareCopy(const std::filesystem::path& dunmoor) {
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    folder = std::filesystem::path(temp) / ("brisvane_alone_" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(ViewerExe(), folder / "Brisvane.exe",
                               std::filesystem::copy_options::overwrite_existing);
    if (!dunmoor.empty())
      std::filesystem::copy_file(dunmoor, folder / "Dunmoor.dll", std::filesystem::copy_options::overwrite_existing);
    return folder / "Brisvane.exe";
  }
  // Runs the copy, expects the message box about the library, presses OK, and expects the end.
  void ExpectMessageAndEnd(const std::filesystem::path& exe) {
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.Start(exe, L"", folder));
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = viewer.FindTopWindow(L"#32770")) != nullptr; }));
    EXPECT_EQ(WindowText(box), L"DUDAZA Zorari");
    HWND text = GetDlgItem(box, 0xFFFF);  // the message box's text
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(WindowText(text), L"Dunmoor.dll が見つかりません!");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(viewer.WaitForExit(), 0u);
  }
  std::filesystem::path folder;
};

TEST_F(MissingLibraryTest, WithoutDunmoorTheProgramSaysSoAndEnds) { ExpectMessageAndEnd(PrepareCopy({})); }

TEST_F(MissingLibraryTest, ALibraryLackingTheBookFunctionsCountsAsMissing) {
  // Calvetta.dll is a real library, but exports none of the 27 names.
  ExpectMessageAndEnd(PrepareCopy(viewertest::BinDir() / "Calvetta.dll"));
}

}  // namespace

// A book below a folder named in a language the system's code page lacks (the test prefix's
// code page is not 932): the viewer opens it by its long path, searches it, remembers that path
// (no short 8.3 name with a "~") and opens it again at the next start.
class FolderNameTest : public viewertest::SearchRoadTest, public ::testing::WithParamInterface<const wchar_t*> {
 protected:
  std::filesystem::path BookRoot() const override { return disc; }
  void SetUp() override {
    std::wstring temp(MAX_PATH, L'\0');
    temp.resize(GetTempPathW(MAX_PATH, temp.data()));
    disc = std::filesystem::path(temp) / GetParam() / L"disc";
    std::filesystem::remove_all(disc.parent_path());
    std::filesystem::create_directories(disc);
    std::filesystem::copy(testfiles::BuiltBook("sample"), disc, std::filesystem::copy_options::recursive);
    disc = disc.make_preferred();
    viewertest::SearchRoadTest::SetUp();
  }
  void TearDown() override {
    viewertest::SearchRoadTest::TearDown();
    std::error_code ignored;
    std::filesystem::remove_all(disc.parent_path(), ignored);
  }
  std::filesystem::path disc;
};

TEST_P(FolderNameTest, OpensSearchesAndIsRememberedByItsLongPath) {
  EXPECT_NE(GetACP(), 932u) << "the prefix's code page should not hold Japanese";
  EXPECT_EQ(WindowText(frame), kBookTitle);
  Search(L"はし");
  EXPECT_GT(WaitForHits(), 0);
  EXPECT_TRUE(viewertest::SaveWindowShot(frame, GetParam()[0] == L'日' ? "folder_japanese" : "folder_greek"));
  PostMessageW(frame, WM_CLOSE, 0, 0);
  ASSERT_EQ(viewer.WaitForExit(), 0u);
  frame = nullptr;
  const std::wstring remembered = viewertest::ReadCurpathWide();
  EXPECT_EQ(remembered, disc.wstring());
  EXPECT_EQ(remembered.find(L'~'), std::wstring::npos);

  ASSERT_TRUE(viewer.Start(viewertest::BinDir() / "Brisvane.exe"));
  ASSERT_TRUE(WaitUntil([&] {
    frame = viewer.FindTopWindow(kFrameClass);
    return frame && IsWindowVisible(frame) && WindowText(frame) == kBookTitle;
  })) << "the remembered book did not open again";
  ASSERT_TRUE(FindControls());
  Search(L"はし");
  EXPECT_GT(WaitForHits(), 0);
}

INSTANTIATE_TEST_SUITE_P(Languages, FolderNameTest, ::testing::Values(L"日本語の辞書", L"Ελληνικά"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                           return info.param[0] == L'日' ? std::string("Japanese") : std::string("Greek");
                         });
