// The title and browse dialogs of Brisvane.exe under Wine, in the private prefix that
// TitleDrives.cmake prepares: A: (the first drive) and E: are CD-ROM drives with the sample
// book; D: has no book at its root, the manyhits book in D:\many\ and the sample book again in
// D:\A\B\sample\. The viewer starts with E:\ open.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <utility>
#include <string>
#include <vector>

#include "ViewerHarness.h"

namespace {

using viewertest::ViewerProcess;
using viewertest::WaitUntil;
using viewertest::WindowText;

const wchar_t kFrameClass[] = L"TrevikBrisvane";
const wchar_t kPathKey[] = L"Software\\Olvenar\\Trevik DUDAZA ZORARI\\path";
const wchar_t kSampleFrameTitle[] = L"DUDAZA Zorari - 和英サンプル辞典";
const wchar_t kManyhitsFrameTitle[] = L"DUDAZA Zorari - 多数ヒット試験";
const wchar_t kSampleLineTitle[] = L"<<和英サンプル辞典>>";
constexpr int kTitleSelect = 32779;
constexpr int kTitleList = 1000, kBrowseButton = 3;
constexpr int kBrowseTitle = 1013, kBrowsePath = 1005, kDirectoryList = 1007, kDriveCombo = 1008;
constexpr UINT kDirEnter = WM_USER + 112;

// An item's text from a list or combo box of the viewer's process: the system copies these
// texts across processes, like WM_GETTEXT.
std::wstring ItemText(HWND control, UINT lengthMessage, UINT textMessage, WPARAM index) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(control, lengthMessage, index, 0, SMTO_ABORTIFHUNG, 5000, &length) ||
      static_cast<LONG_PTR>(length) < 0 || length > 1000)
    return L"<no text>";
  std::wstring text(length + 1, L'\0');
  SendMessageTimeoutW(control, textMessage, index, reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 5000, nullptr);
  text.resize(length);
  return text;
}

void WritePathValue(const std::string& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kPathKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
      ERROR_SUCCESS) {
    RegSetValueExA(key, "path", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
  }
  RegDeleteKeyW(HKEY_CURRENT_USER, kPathKey);
}

std::string ReadPathValue() {
  char value[600] = "";
  DWORD size = sizeof value - 1;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Olvenar\\Trevik DUDAZA ZORARI\\path", "path", RRF_RT_REG_SZ, nullptr,
                   value, &size) != ERROR_SUCCESS)
    return "<none>";
  return value;
}

class TitleDialogsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    viewertest::LinkJapaneseFallbackFont();
    // The dialogs ask for the Japanese system's dialog face; here it is the installed one.
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes", 0,
                        nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
      static const wchar_t kFace[] = L"IPAPGothic";
      RegSetValueExW(key, L"ＭＳ Ｐゴシック", 0, REG_SZ, reinterpret_cast<const BYTE*>(kFace), sizeof kFace);
      RegCloseKey(key);
    }
  }

  void SetUp() override {
    viewertest::WriteCurpath("E:\\");
    WritePathValue(" D:\\many\\ X:\\gone\\ D:\\ D:\\A\\");
    StartViewer(kSampleFrameTitle);
  }
  // Starts the viewer and waits for its window with the book open (frameTitle).
  void StartViewer(const wchar_t* frameTitle) {
    ASSERT_TRUE(viewer.Start(viewertest::BinDir() / "Brisvane.exe"));
    ASSERT_TRUE(WaitUntil([&] {
      frame = viewer.FindTopWindow(kFrameClass);
      return frame && IsWindowVisible(frame) && WindowText(frame) == frameTitle;
    }));
  }
  void TearDown() override {
    if (frame) PostMessageW(frame, WM_CLOSE, 0, 0);
    viewer.WaitForExit(10000);
  }

  HWND WaitForDialog(const wchar_t* caption) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = viewer.FindTopWindow(L"#32770", caption)) != nullptr; });
    return found;
  }
  HWND OpenTitleDialog() {
    PostMessageW(frame, WM_COMMAND, kTitleSelect, 0);
    return WaitForDialog(L"タイトルの選択");
  }
  HWND OpenBrowseDialog(HWND titleDialog) {
    PostMessageW(titleDialog, WM_COMMAND, kBrowseButton, 0);
    return WaitForDialog(L"参照");
  }
  std::vector<std::wstring> Lines(HWND list) {
    std::vector<std::wstring> lines;
    DWORD_PTR count = 0;
    SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    for (DWORD_PTR i = 0; i < count && i < 100; ++i)
      lines.push_back(ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, i));
    return lines;
  }
  void DoubleClick(HWND dialog, int id, int index) {
    HWND list = GetDlgItem(dialog, id);
    SendMessageW(list, LB_SETCURSEL, index, 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
  }
  // Types path into the path field and presses Enter.
  void EnterPath(HWND browse, const std::wstring& path) {
    SendMessageW(GetDlgItem(browse, kBrowsePath), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(browse, kDirEnter, 0, 0);
  }
  // A click on OK (the button takes the focus first, so it means OK and not Enter elsewhere).
  void ClickOk(HWND dialog) { PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }
  // The dialogs have ended when their owner, the frame, takes input again.
  bool DialogsEnded() {
    return WaitUntil([&] { return IsWindowEnabled(frame) != FALSE; });
  }
  bool ShowsPath(HWND browse, const std::wstring& path) {
    return WaitUntil([&] { return WindowText(GetDlgItem(browse, kBrowsePath)) == path; }, 5000);
  }
  // The text of the message box that is open, after which it is closed with OK.
  std::wstring AnswerMessage() {
    HWND box = WaitForDialog(L"DUDAZA Zorari");
    if (!box) return L"<no message>";
    std::wstring text = WindowText(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(box); });
    return text;
  }

  ViewerProcess viewer;
  HWND frame = nullptr;
};

TEST_F(TitleDialogsTest, TheListHoldsTheBooksOfTheLaterDrivesAndRememberedDirectoriesAndOpensTheChosenOne) {
  HWND dialog = OpenTitleDialog();
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, kTitleList);
  // A: holds a book but is the first drive; D:\ and D:\A\ hold none; X:\gone\ is not there.
  std::vector<std::wstring> expected = {L"D:\\many\\ <<多数ヒット試験>>", std::wstring(L"E:\\ ") + kSampleLineTitle};
  EXPECT_EQ(Lines(list), expected);
  // The open book (the sample on E:) is selected, and OK takes it.
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
  viewertest::SaveWindowShot(dialog, "title-dialog");
  DoubleClick(dialog, kTitleList, 0);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(frame) == kManyhitsFrameTitle; }));
  EXPECT_EQ(ReadPathValue(), " D:\\many\\ X:\\gone\\ D:\\ D:\\A\\");  // choosing does not rewrite it
}

// The first time, nothing is remembered: the open book's directory is listed all the same, and
// selected.
TEST_F(TitleDialogsTest, TheOpenBooksDirectoryIsListedAndSelectedBeforeItIsRemembered) {
  PostMessageW(frame, WM_CLOSE, 0, 0);
  ASSERT_EQ(viewer.WaitForExit(10000), 0u);
  viewertest::WriteCurpath("D:\\many\\");
  WritePathValue("");
  StartViewer(kManyhitsFrameTitle);
  if (HasFatalFailure()) return;
  HWND dialog = OpenTitleDialog();
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, kTitleList);
  std::vector<std::wstring> expected = {L"D:\\many\\ <<多数ヒット試験>>", std::wstring(L"E:\\ ") + kSampleLineTitle};
  EXPECT_EQ(Lines(list), expected);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
  viewertest::SaveWindowShot(dialog, "title-dialog-open-book");
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(DialogsEnded());
}

TEST_F(TitleDialogsTest, BrowsingWalksTheLevelsRefusesADirectoryWithoutABookAndRemembersTheNewOne) {
  HWND browse = OpenBrowseDialog(OpenTitleDialog());
  ASSERT_NE(browse, nullptr);
  // The first line is D:\many\: browsing starts at its drive.
  EXPECT_TRUE(ShowsPath(browse, L"D:\\"));
  HWND drives = GetDlgItem(browse, kDriveCombo);
  EXPECT_EQ(WindowText(drives), L"D:\\");
  DWORD_PTR driveCount = 0;
  SendMessageTimeoutW(drives, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &driveCount);
  for (DWORD_PTR i = 0; i < driveCount; ++i)
    EXPECT_NE(ItemText(drives, CB_GETLBTEXTLEN, CB_GETLBTEXT, i), L"A:\\");

  EnterPath(browse, L"D:\\A\\B");
  HWND list = GetDlgItem(browse, kDirectoryList);
  std::vector<std::wstring> levels = {std::wstring(L"A\x02") + L"D:", std::wstring(L"B\x02") + L"A",
                                      std::wstring(L"C\x02") + L"B", std::wstring(L"D\x01") + L"sample"};
  ASSERT_TRUE(WaitUntil([&] { return Lines(list) == levels; }, 5000));
  EXPECT_EQ(WindowText(GetDlgItem(browse, kBrowseTitle)), L"");
  // The second path item of D:\A\B\ leads to D:\A\ .
  DoubleClick(browse, kDirectoryList, 1);
  EXPECT_TRUE(ShowsPath(browse, L"D:\\A\\"));
  std::vector<std::wstring> up = {levels[0], levels[1], std::wstring(L"C\x01") + L"B"};
  EXPECT_EQ(Lines(list), up);
  viewertest::SaveWindowShot(browse, "browse-dialog");
  // Its innermost item now accepts, as OK does; D:\A\ holds no book.
  DoubleClick(browse, kDirectoryList, 1);
  EXPECT_EQ(AnswerMessage(), L"この場所には辞書がありません");
  EnterPath(browse, L"Q:\\nowhere");
  EXPECT_EQ(AnswerMessage(), L"CD-ROMドライブの設定が違います!");

  // Down to the book in D:\A\B\sample\, whose title shows, and OK.
  DoubleClick(browse, kDirectoryList, 2);
  EXPECT_TRUE(ShowsPath(browse, L"D:\\A\\B\\"));
  DoubleClick(browse, kDirectoryList, 3);
  EXPECT_TRUE(ShowsPath(browse, L"D:\\A\\B\\sample\\"));
  EXPECT_EQ(WindowText(GetDlgItem(browse, kBrowseTitle)), L"和英サンプル辞典");
  ClickOk(browse);
  // Both dialogs end; the listed directory stays, the new one is added; the drive roots are not.
  EXPECT_TRUE(DialogsEnded());
  EXPECT_EQ(ReadPathValue(), " D:\\many\\ D:\\A\\B\\sample\\");
  EXPECT_TRUE(WaitUntil([&] { return WindowText(frame) == kSampleFrameTitle; }));
}

TEST_F(TitleDialogsTest, BooksOfKindsNotReadAreListedGreyedWithWhyAndOpenNothing) {
  const std::wstring compressed = L"圧縮形式 (HONMON2) の辞書には対応していません";
  const std::wstring eb = L"電子ブック形式 (CATALOG/START) の辞書には対応していません";
  WritePathValue(" D:\\honmon2\\ D:\\eb\\");
  HWND dialog = OpenTitleDialog();
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, kTitleList);
  std::vector<std::wstring> expected = {std::wstring(L"D:\\honmon2\\ ") + kSampleLineTitle, L"D:\\eb\\ <<電子ブック>>",
                                        std::wstring(L"E:\\ ") + kSampleLineTitle};
  std::vector<std::wstring> lines = Lines(list);
  std::sort(lines.begin(), lines.end());
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(lines, expected);
  viewertest::SaveWindowShot(dialog, "title-dialog-unread-kinds");
  // Chosen, each says why and the dialog stays, the book open as it was.
  for (const auto& [line, why] : {std::pair{expected[0], eb}, std::pair{expected[1], compressed}}) {
    const int at = static_cast<int>(
        SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(line.c_str())));
    ASSERT_GE(at, 0) << testing::PrintToString(line);
    DoubleClick(dialog, kTitleList, at);
    EXPECT_EQ(AnswerMessage(), why) << testing::PrintToString(line);
    EXPECT_TRUE(IsWindow(dialog));
  }
  // The browse dialog names it beside the title, and OK says why.
  HWND browse = OpenBrowseDialog(dialog);
  ASSERT_NE(browse, nullptr);
  EnterPath(browse, L"D:\\honmon2");
  EXPECT_TRUE(WaitUntil([&] { return WindowText(GetDlgItem(browse, kBrowseTitle)) == L"和英サンプル辞典 (" + compressed + L")"; }, 5000))
      << testing::PrintToString(WindowText(GetDlgItem(browse, kBrowseTitle)));
  ClickOk(browse);
  EXPECT_EQ(AnswerMessage(), compressed);
  EnterPath(browse, L"D:\\eb");
  EXPECT_TRUE(WaitUntil([&] { return WindowText(GetDlgItem(browse, kBrowseTitle)) == eb; }, 5000));
  ClickOk(browse);
  EXPECT_EQ(AnswerMessage(), eb);
  // A catalog that is there but empty is named as such.
  EnterPath(browse, L"D:\\emptycat");
  Sleep(200);
  ClickOk(browse);
  EXPECT_EQ(AnswerMessage(), L"この場所の目録ファイル (CATALOGS) は空か壊れていて読めません");
  PostMessageW(browse, WM_COMMAND, IDCANCEL, 0);
  WaitUntil([&] { return !IsWindow(browse); });
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(DialogsEnded());
  EXPECT_EQ(WindowText(frame), kSampleFrameTitle);
}

// Access letters: B opens the browse dialog from the title dialog; D and V there lead to the
// directory name and the drive.
TEST_F(TitleDialogsTest, TheDialogsFieldsAndButtonsHaveAccessLetters) {
  HWND title = OpenTitleDialog();
  ASSERT_NE(title, nullptr);
  SetForegroundWindow(title);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == title; }));
  ASSERT_TRUE(viewertest::PressKeys({VK_MENU, 'B'}));
  HWND browse = WaitForDialog(L"参照");
  ASSERT_NE(browse, nullptr);
  auto focus = [&] {
    GUITHREADINFO info = {sizeof info};
    return GetGUIThreadInfo(GetWindowThreadProcessId(browse, nullptr), &info) ? info.hwndFocus : nullptr;
  };
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == browse; }));
  ASSERT_TRUE(viewertest::PressKeys({VK_MENU, 'V'}));
  EXPECT_TRUE(WaitUntil([&] { return focus() == GetDlgItem(browse, kDriveCombo); }, 5000));
  ASSERT_TRUE(viewertest::PressKeys({VK_MENU, 'D'}));
  EXPECT_TRUE(WaitUntil([&] { return focus() == GetDlgItem(browse, kBrowsePath); }, 5000));
  EXPECT_TRUE(viewertest::SaveWindowShot(browse, "browse_access_letters"));
  PostMessageW(browse, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(browse); }));
  PostMessageW(title, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(title); }));
}

TEST_F(TitleDialogsTest, BrowsingToADriveRootOrAListedDirectoryAddsNothing) {
  HWND browse = OpenBrowseDialog(OpenTitleDialog());
  ASSERT_NE(browse, nullptr);
  ASSERT_TRUE(ShowsPath(browse, L"D:\\"));
  static const wchar_t kDrive[] = L"E:\\";
  HWND combo = GetDlgItem(browse, kDriveCombo);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(kDrive));
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);  // closing it up chooses the drive
  EXPECT_TRUE(ShowsPath(browse, kDrive));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(GetDlgItem(browse, kBrowseTitle)) == L"和英サンプル辞典"; }, 5000));
  ClickOk(browse);
  ASSERT_TRUE(DialogsEnded());
  EXPECT_EQ(ReadPathValue(), " D:\\many\\");

  // Again, to the directory that is listed already (typed in another case).
  browse = OpenBrowseDialog(OpenTitleDialog());
  ASSERT_NE(browse, nullptr);
  EnterPath(browse, L"d:\\MANY");
  EXPECT_TRUE(WaitUntil([&] { return WindowText(GetDlgItem(browse, kBrowseTitle)) == L"多数ヒット試験"; }, 5000));
  ClickOk(browse);
  EXPECT_TRUE(DialogsEnded());
  EXPECT_TRUE(WaitUntil([&] { return WindowText(frame) == kManyhitsFrameTitle; }));
  EXPECT_EQ(ReadPathValue(), " D:\\many\\");
}

}  // namespace

TEST_F(TitleDialogsTest, ADiscOfTwoBooksHasALineForEachAndTheChosenBookIsRemembered) {
  WritePathValue(" D:\\two\\");
  HWND dialog = OpenTitleDialog();
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, kTitleList);
  std::vector<std::wstring> expected = {L"D:\\two\\ <<ＴＥＳＴ>>", L"D:\\two\\ <<地名>>",
                                        std::wstring(L"E:\\ ") + kSampleLineTitle};
  std::vector<std::wstring> lines = Lines(list);
  std::sort(lines.begin(), lines.end());
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(lines, expected);
  viewertest::SaveWindowShot(dialog, "title-dialog-two-books");
  int chimei = static_cast<int>(SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(L"D:\\two\\ <<地名>>")));
  ASSERT_GE(chimei, 0);
  DoubleClick(dialog, kTitleList, chimei);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(frame) == L"DUDAZA Zorari - 地名"; }));
  // Cancelling the dialog later keeps that book.
  HWND again = OpenTitleDialog();
  ASSERT_NE(again, nullptr);
  PostMessageW(again, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(DialogsEnded());
  EXPECT_EQ(WindowText(frame), L"DUDAZA Zorari - 地名");
  PostMessageW(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(viewer.WaitForExit(10000), 0u);
  frame = nullptr;
  EXPECT_EQ(viewertest::ReadCurpath(), "D:\\two\\");
  EXPECT_EQ(viewertest::ReadCurbook(), 1);
}

TEST_F(TitleDialogsTest, BrowsingToADiscOfTwoBooksLetsTheUserPickOne) {
  WritePathValue("");
  HWND dialog = OpenTitleDialog();
  ASSERT_NE(dialog, nullptr);
  HWND browse = OpenBrowseDialog(dialog);
  ASSERT_NE(browse, nullptr);
  EnterPath(browse, L"D:\\two");
  EXPECT_TRUE(WaitUntil([&] { return WindowText(GetDlgItem(browse, kBrowseTitle)) == L"ＴＥＳＴ"; }, 5000));
  ClickOk(browse);
  // The title dialog stays, with a line for each book of the disc, the first one selected.
  HWND list = GetDlgItem(dialog, kTitleList);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(browse) && Lines(list).size() == 3; }, 5000));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
  EXPECT_EQ(ReadPathValue(), " D:\\two\\");
  int chimei = static_cast<int>(SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(L"D:\\two\\ <<地名>>")));
  ASSERT_GE(chimei, 0);
  SendMessageW(list, LB_SETCURSEL, chimei, 0);
  ClickOk(dialog);
  EXPECT_TRUE(DialogsEnded());
  EXPECT_TRUE(WaitUntil([&] { return WindowText(frame) == L"DUDAZA Zorari - 地名"; }));
}

TEST_F(TitleDialogsTest, ABookThatDoesNotOpenIsReportedAndNoLongerNamed) {
  WritePathValue(" D:\\broken\\");
  HWND dialog = OpenTitleDialog();
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, kTitleList);
  int test = static_cast<int>(SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(L"D:\\broken\\ <<ＴＥＳＴ>>")));
  ASSERT_GE(test, 0);
  DoubleClick(dialog, kTitleList, test);
  EXPECT_EQ(AnswerMessage(), L"データが読み取れません!");
  EXPECT_TRUE(WaitUntil([&] { return WindowText(frame) == L"DUDAZA Zorari"; }));
}
