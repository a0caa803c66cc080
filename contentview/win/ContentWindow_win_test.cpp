// The content view as the viewer uses it: Calvetta.dll and Dunmoor.dll loaded by name, the
// sample book opened and searched, a parent window, the view driven with the real messages,
// and what the user sees checked from the window's own pixels. Every scene is saved as a
// picture in the build's test-artifacts folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Calvetta.h"
#include "TestFiles.h"
#include "win/test/ViewFixture.h"
#include "win/test/ViewHarness.h"

namespace {

using namespace viewtest;

TEST_F(ContentView, NewViewIsAnEmptyChildWithFourDisabledIconButtons) {
  Open(480, 200);
  wchar_t className[32] = {};
  GetClassNameW(hwnd, className, 32);
  EXPECT_STREQ(className, L"Calvetta");
  LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  LONG wanted = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  EXPECT_EQ(style & wanted, wanted);
  EXPECT_EQ(GetDlgCtrlID(hwnd), 0);
  EXPECT_EQ(view.viewCreateView(parent->Hwnd(), 0, 0, 10, 10), hwnd);  // one view per process

  // The button column: line up on top, line down at the bottom, the page buttons between.
  const RECT expected[] = {{465, 0, 481, 16}, {465, 185, 481, 201}, {465, 16, 481, 100}, {465, 100, 481, 185}};
  for (int i = 0; i < 4; ++i) {
    HWND button = GetDlgItem(hwnd, kButtonIds[i]);
    ASSERT_NE(button, nullptr) << kButtonIds[i];
    RECT r;
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_TRUE(EqualRect(&r, &expected[i])) << kButtonIds[i] << ": " << r.left << "," << r.top << " "
                                             << r.right << "," << r.bottom;
    EXPECT_NE(SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0), 0) << "no icon on " << kButtonIds[i];
    EXPECT_TRUE(GetWindowLongW(button, GWL_STYLE) & BS_ICON);
  }
  EXPECT_EQ(ButtonsEnabled(), std::vector<bool>(4, false));
  EXPECT_EQ(parent->failedCount, 0);
  EXPECT_TRUE(TextAreaIsBlank(Shot("01-new-view")));
}

TEST_F(ContentView, JapaneseFaceWithEveryGlyphOfTheText) {
  Open(480, 200);
  HFONT font = ViewFont();
  ASSERT_NE(font, nullptr);
  viewtest::Surface surface(8, 8, kBackground);
  SelectObject(surface.Dc(), font);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(surface.Dc(), LF_FACESIZE, face);
  EXPECT_STRNE(face, L"Fixedsys");
  const std::wstring text = L"いえ【家】私の家は駅の近くにある。へや【部屋】、にわ【庭】◇和英サンプル辞典";
  std::vector<WORD> glyphs(text.size());
  ASSERT_NE(GetGlyphIndicesW(surface.Dc(), text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                             GGI_MARK_NONEXISTING_GLYPHS),
            GDI_ERROR);
  for (size_t i = 0; i < text.size(); ++i) EXPECT_NE(glyphs[i], 0xFFFF) << "no glyph for U+" << std::hex << int(text[i]);
}

TEST_F(ContentView, EntryByHitIndexShowsBoldBlueRedAndExternalCharacters) {
  Open(560, 240);
  EXPECT_EQ(Send(VM_VIEW_SHOWPOS, 0, 0), 1);
  EXPECT_EQ(parent->failedCount, 0);
  Capture shot = Shot("02-entry-by-hit-index");
  int right = TextRight(), bottom = Client().bottom;
  EXPECT_EQ(shot.At(1, 1), kBackground);
  EXPECT_GT(CountWhere(shot, right, bottom, IsBlue), 40) << "reference text";
  EXPECT_GT(CountWhere(shot, right, bottom, IsRed), 20) << "picture icon";

  // The external character A124 (the "see" arrow before the references), found as the book
  // draws it: its ink pixels black, the rest of its cell background.
  int full = FullWidth();
  ASSERT_GT(full, 0);
  viewtest::Surface cell(full, full, kBackground);
  ASSERT_EQ(book.epwShowExCodePixel(0xA124, 16, 1, 0, 0, full, full, RGB(0, 0, 0), cell.Dc()), 1);
  Capture glyph = cell.Read();
  ASSERT_GT(glyph.Ink(kBackground, 0, 0, full, full), 10);
  bool found = false;
  for (int y = 0; y + full <= bottom && !found; ++y)
    for (int x = 0; x + full <= right && !found; ++x) {
      bool match = true;
      for (int gy = 0; gy < full && match; ++gy)
        for (int gx = 0; gx < full && match; ++gx)
          match = shot.At(x + gx, y + gy) == (glyph.At(gx, gy) == kBackground ? kBackground : RGB(0, 0, 0));
      found = match;
    }
  EXPECT_TRUE(found) << "external character A124 not drawn";

  // The keyword いえ【家】 of the first line is bold: more ink than the same text in the plain
  // view font.
  const wchar_t keyword[] = L"いえ【家】";
  viewtest::Surface plain(200, 40, kBackground);
  SelectObject(plain.Dc(), ViewFont());
  SetBkMode(plain.Dc(), TRANSPARENT);
  TextOutW(plain.Dc(), 0, 0, keyword, 5);
  int plainInk = plain.Read().Ink(kBackground, 0, 0, 200, 40);
  SIZE extent = {};
  GetTextExtentPoint32W(plain.Dc(), keyword, 5, &extent);
  TEXTMETRICW tm = {};
  GetTextMetricsW(plain.Dc(), &tm);
  int lineBottom = 3 + tm.tmHeight + tm.tmExternalLeading + 1;
  // The line starts one full-width character in; a bold character is wider than a plain one.
  int viewInk = shot.Ink(kBackground, full, 0, full + extent.cx + 5 * 4, lineBottom);
  EXPECT_GT(viewInk * 100, plainInk * 115) << "keyword ink " << viewInk << " plain " << plainInk;
}

TEST_F(ContentView, AThinRuleMarksWhereTheNextEntryBegins) {
  Open(560, 240);
  ASSERT_EQ(Send(VM_VIEW_SHOWPOS, 0, 0), 1);
  const int right = TextRight(), bottom = Client().bottom;
  // The rows drawn across the text area in the rule's colour, light and then dark.
  auto ruleRows = [&](const Capture& shot, COLORREF rule) {
    std::vector<int> rows;
    for (int y = 0; y < bottom; ++y)
      if (shot.Count(rule, 2, y, right - 2, y + 1) == right - 4) rows.push_back(y);
    return rows;
  };
  const std::vector<int> light = ruleRows(Shot("02b-entry-rule"), RGB(196, 186, 140));
  ASSERT_FALSE(light.empty()) << "no rule above the entry after the one shown";
  EXPECT_GT(light.front(), 3 + FullWidth()) << "a rule above the first line";
  EXPECT_EQ(Send(VM_VIEW_PALETTE, 1, 0), 1);
  EXPECT_EQ(ruleRows(Shot("02c-entry-rule-dark"), RGB(96, 96, 96)), light);
  Send(VM_VIEW_PALETTE, 0, 0);

}

TEST_F(ContentView, EntryByTextPositionLooksTheSame) {
  Open(560, 240);
  std::vector<char> text(0x40000);
  uint32_t length = 0;
  int32_t position = book.GetWordCont(0, text.data(), static_cast<uint32_t>(text.size()), &length);
  ASSERT_GE(position, 0);
  ASSERT_EQ(Send(VM_VIEW_SHOWPOS, 0, 0), 1);
  Capture byHit = Shot("03a-entry-by-hit-index");
  view.viewSetContentBlank();
  Pump();
  EXPECT_EQ(Send(VM_VIEW_SHOWAT, 0, position), 1);
  Capture byPosition = Shot("03b-entry-by-position");
  EXPECT_EQ(parent->failedCount, 0);
  EXPECT_FALSE(TextAreaIsBlank(byPosition));
  EXPECT_TRUE(byPosition.SameAs(byHit, TextRight(), Client().bottom));
}

TEST_F(ContentView, SubAndSuperscriptsAreDrawnSmallerAndLoweredOrRaised) {
  // The entry "water" ends with "H₂O; 1 m³ weighs 1000 kg".
  int32_t water = testfiles::MappedEntryPosition("sample", "en-water");
  ASSERT_GT(water, 0);
  Open(560, 160);
  ASSERT_EQ(Send(VM_VIEW_SHOWAT, 0, water), 1);
  Capture shown = Shot("03c-sub-and-superscripts");
  EXPECT_EQ(parent->failedCount, 0);
  EXPECT_FALSE(TextAreaIsBlank(shown));
}

TEST_F(ContentView, PartialRepaintRestoresOnlyTheDamagedRows) {
  Open(560, 240);
  ASSERT_EQ(Send(VM_VIEW_SHOWPOS, 0, 0), 1);
  Capture whole = Capture::Of(parent->Hwnd());
  // Spoil a block across a few rows in the middle of the text, then let the view repaint just
  // that block (without erasing): the rows it touches are drawn again from the lines.
  RECT damage = {40, 50, 300, 110};
  HDC dc = GetDC(hwnd);
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  FillRect(dc, &damage, black);
  ReleaseDC(hwnd, dc);
  InvalidateRect(hwnd, &damage, FALSE);
  UpdateWindow(hwnd);
  Pump();
  Capture repaired = Capture::Of(parent->Hwnd(), false);
  repaired.SaveBmp("04-partial-repaint");
  EXPECT_TRUE(repaired.SameAs(whole, TextRight(), Client().bottom));
}

TEST_F(ContentView, ResizingWrapsGoesBlankWhenNarrowAndComesBack) {
  Open(560, 300);
  ASSERT_EQ(Send(VM_VIEW_SHOWPOS, 0, 0), 1);
  Capture wide = Shot("04a-width-560");
  ASSERT_GE(FirstRowWhere(wide, TextRight(), Client().bottom, IsBlue), 0);

  Resize(220, 300);
  Capture narrow = Shot("04b-width-220");
  // The lines wrap: the references (blue) come further down.
  EXPECT_GT(FirstRowWhere(narrow, TextRight(), Client().bottom, IsBlue),
            FirstRowWhere(wide, 544, 300, IsBlue));

  // Narrower than five full-width characters ((width + 1) / full width <= 4): nothing is drawn.
  int full = FullWidth();
  Resize(5 * full - 2, 300);
  Capture tooNarrow = Shot("04c-too-narrow");
  EXPECT_TRUE(TextAreaIsBlank(tooNarrow));
  EXPECT_EQ(parent->failedCount, 0);

  Resize(560, 300);
  Capture back = Shot("04d-width-560-again");
  EXPECT_TRUE(back.SameAs(wide, TextRight(), Client().bottom));
  EXPECT_EQ(parent->failedCount, 0);
}

TEST_F(ContentView, ScrollButtonsMoveTheTextALineAtATime) {
  Open(400, 70);  // a few lines: the text goes on below
  ASSERT_EQ(Send(VM_VIEW_SHOWPOS, 0, 0), 1);
  // The sample book's text runs on from one entry into the next (no begin or end code between
  // them), so the view can scroll both ways.
  EXPECT_EQ(ButtonsEnabled(), std::vector<bool>(4, true));
  Capture top = Shot("05a-short-window-top");

  // A click as the mouse makes it: pressed, then released before the button would repeat (the
  // view handles the release while it waits to repeat).
  auto click = [&](int id) {
    HWND button = GetDlgItem(hwnd, id);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
    Pump();
  };
  click(2023);  // line down
  Capture down = Shot("05b-short-window-line-down");
  EXPECT_FALSE(down.SameAs(top, TextRight(), Client().bottom));
  EXPECT_EQ(GetFocus(), hwnd) << "the button gives the focus back";
  // The first row now shows what the second row showed.
  int lineHeight = 0;
  {
    viewtest::Surface surface(8, 8, kBackground);
    SelectObject(surface.Dc(), ViewFont());
    TEXTMETRICW tm = {};
    GetTextMetricsW(surface.Dc(), &tm);
    lineHeight = tm.tmHeight + tm.tmExternalLeading + 1;
  }
  int same = 0;
  for (int y = 3; y < 3 + lineHeight - 2; ++y)
    for (int x = 0; x < TextRight(); ++x) same += down.At(x, y) == top.At(x, y + lineHeight);
  EXPECT_EQ(same, TextRight() * (lineHeight - 2));

  click(2022);  // line up: back where it was
  EXPECT_TRUE(Shot("05c-short-window-line-up").SameAs(top, TextRight(), Client().bottom));
  EXPECT_EQ(parent->failedCount, 0);
}

TEST_F(ContentView, BlankingDropsTheContent) {
  Open(480, 200);
  ASSERT_EQ(Send(VM_VIEW_SHOWPOS, 0, 0), 1);
  view.viewSetContentBlank();
  Pump();
  EXPECT_TRUE(TextAreaIsBlank(Shot("06-blanked")));
  EXPECT_EQ(ButtonsEnabled(), std::vector<bool>(4, false));
  char buffer[51] = "x";
  EXPECT_EQ(view.viewIsMarkValid(), 0);
  EXPECT_EQ(view.viewGetMarkCont(buffer, sizeof buffer), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(parent->failedCount, 0);
}

TEST_F(ContentView, FailedShowIsReportedToTheParentAndBlanks) {
  Open(480, 200);
  ASSERT_EQ(Send(VM_VIEW_SHOWPOS, 0, 0), 1);
  EXPECT_EQ(Send(VM_VIEW_SHOWPOS, 9999, 0), 0);  // no such hit
  EXPECT_EQ(parent->failedCount, 1);
  EXPECT_TRUE(TextAreaIsBlank(Shot("07-failed-show")));
  EXPECT_EQ(ButtonsEnabled(), std::vector<bool>(4, false));
  EXPECT_EQ(Send(VM_VIEW_SHOWAT, 0, -5), 1);  // a position the book refuses
  EXPECT_EQ(parent->failedCount, 2);
  EXPECT_EQ(Send(VM_VIEW_INMSGBOX, 0, 0), 0);
}

TEST_F(ContentView, TabGoesToTheParent) {
  Open(480, 200);
  SetFocus(hwnd);
  Send(WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(parent->tabs, std::vector<WPARAM>{2});
}

TEST(ViewResources, CursorsAndMediaPicturesAreInTheLibrary) {
  HMODULE library = LoadLibraryW(L"Calvetta.dll");
  ASSERT_NE(library, nullptr);
  struct CursorCase {
    int id, hotX, hotY;
  };
  for (CursorCase c : {CursorCase{145, 0, 0}, CursorCase{146, 5, 0}, CursorCase{148, 0, 0}}) {
    HCURSOR cursor = static_cast<HCURSOR>(LoadImageW(library, MAKEINTRESOURCEW(c.id), IMAGE_CURSOR, 0, 0, 0));
    ASSERT_NE(cursor, nullptr) << c.id;
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(static_cast<int>(info.xHotspot), c.hotX) << c.id;
    EXPECT_EQ(static_cast<int>(info.yHotspot), c.hotY) << c.id;
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DestroyCursor(cursor);
  }
  // The media pictures: 16 x 16, on the view's background so that they sit in the text.
  for (int id : {135, 138, 140}) {
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(library, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(bitmap, nullptr) << id;
    BITMAP shape = {};
    GetObjectW(bitmap, sizeof shape, &shape);
    EXPECT_EQ(shape.bmWidth, 16);
    EXPECT_EQ(shape.bmHeight, 16);
    viewtest::Surface surface(16, 16, RGB(0, 0, 0));
    HDC memory = CreateCompatibleDC(surface.Dc());
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(surface.Dc(), 0, 0, 16, 16, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    EXPECT_EQ(surface.Read().At(0, 0), kBackground) << id;
  }
  FreeLibrary(library);
}

// ---- Without a usable Dunmoor.dll ------------------------------------------------------------
// The library is loaded once per process, so these scenes run in a process of their own, started
// from a folder that holds the test program and Calvetta.dll but no usable Dunmoor.dll.

constexpr char kChildVariable[] = "CALVETTA_VIEW_CHILD";

TEST(ViewChild, CreatedWithoutUsableDunmoor) {
  const char* scene = std::getenv(kChildVariable);
  if (!scene) GTEST_SKIP() << "runs only in the child process";
  viewtest::CalvettaApi view;
  ASSERT_TRUE(view.Bind());
  viewtest::ParentWindow parent;
  ASSERT_TRUE(parent.Create(400, 160));
  HWND hwnd = static_cast<HWND>(view.viewCreateView(parent.Hwnd(), 0, 0, 400, 160));
  ASSERT_NE(hwnd, nullptr);
  Pump();
  EXPECT_EQ(parent.failedCount, 1);
  for (int id : kButtonIds) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hwnd, id))) << id;
  EXPECT_EQ(SendMessageW(hwnd, VM_VIEW_SHOWPOS, 0, 0), 0);
  Pump();
  EXPECT_EQ(parent.failedCount, 2);
  Capture shot = Capture::Of(parent.Hwnd());
  shot.SaveBmp(scene);
  EXPECT_EQ(shot.Count(kBackground, 0, 0, 400 - kButtonColumn, 160), (400 - kButtonColumn) * 160);
}

// Runs the child scene in dir; the child's exit code.
DWORD RunChild(const std::filesystem::path& dir, const std::string& scene) {
  std::filesystem::path exe = dir / "calvetta_view_test.exe";
  std::wstring command = L"\"" + exe.wstring() + L"\" --gtest_filter=ViewChild.*";
  SetEnvironmentVariableA(kChildVariable, scene.c_str());
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  BOOL started = CreateProcessW(exe.wstring().c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                dir.wstring().c_str(), &startup, &process);
  SetEnvironmentVariableA(kChildVariable, nullptr);
  if (!started) return 1000;
  DWORD code = 1001;
  if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

std::filesystem::path ProgramDir() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path();
}

TEST(ViewWithoutDunmoor, MissingLibraryIsAFailureAndTheButtonsStayOff) {
  testfiles::TempDir dir;
  std::filesystem::copy_file(ProgramDir() / "calvetta_view_test.exe", dir.Path() / "calvetta_view_test.exe");
  std::filesystem::copy_file(ProgramDir() / "Calvetta.dll", dir.Path() / "Calvetta.dll");
  EXPECT_EQ(RunChild(dir.Path(), "08-no-dunmoor"), 0u);
}

TEST(ViewWithoutDunmoor, LibraryWithoutTheTextFunctionsCountsAsNotLoaded) {
  testfiles::TempDir dir;
  std::filesystem::copy_file(ProgramDir() / "calvetta_view_test.exe", dir.Path() / "calvetta_view_test.exe");
  std::filesystem::copy_file(ProgramDir() / "Calvetta.dll", dir.Path() / "Calvetta.dll");
  // A DLL by that name that exports none of the book functions.
  std::filesystem::copy_file(ProgramDir() / "Calvetta.dll", dir.Path() / "Dunmoor.dll");
  EXPECT_EQ(RunChild(dir.Path(), "09-dunmoor-without-exports"), 0u);
}

}  // namespace
