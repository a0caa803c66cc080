// Printing through a real printer driver: the test command gives Wine a PDF printer of the
// system's spooler (PrintCheck.cmake); Ctrl+P in the viewer opens the system's print dialog, and
// OK prints the entry shown. PrintCheck.cmake draws the PDF's page as a picture, and
// PrintedPage reads it: the header, the entry's lines in their colours, the page's number.
#include <gtest/gtest.h>

#include <windows.h>

#include <winspool.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <filesystem>
#include <string>
#include <vector>

#include "SearchFixture.h"

namespace {

using viewertest::SettledPixels;
using viewertest::WaitUntil;
using viewertest::WindowText;

constexpr WPARAM kPrintCommand = 32820;
constexpr WPARAM kPageSetupCommand = 32821;

// The PDF files in the spooler's output folder (DUNMOOR_PRINT_OUT, a Unix path).
std::vector<std::filesystem::path> Printed(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    if (entry.path().extension() == ".pdf") files.push_back(entry.path());
  return files;
}

class PrintTest : public viewertest::SearchRoadTest {
 protected:
  // A dialog of the viewer's other than the bookmarks': the system's print or page set-up dialog.
  HWND WaitForDialog() {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = viewer.FindTopWindow(L"#32770")) != nullptr && IsWindowVisible(dialog); },
              15000);
    return dialog;
  }
};

TEST_F(PrintTest, CtrlPPrintsTheEntryShownOnThePrinterChosen) {
  const char* out = std::getenv("DUNMOOR_PRINT_OUT");
  ASSERT_NE(out, nullptr) << "no printer was set up (DUNMOOR_PRINT_OUT)";
  const std::filesystem::path folder = std::string("Z:") + out;
  for (const auto& file : Printed(folder)) std::filesystem::remove(file);
  ASSERT_TRUE(SetDefaultPrinterW(L"Brisvane_Test_PDF")) << "Wine does not see the spooler's PDF printer";

  // Nothing shown: nothing to print, no dialog.
  PostMessageW(frame, WM_COMMAND, kPrintCommand, 0);
  EXPECT_TRUE(WaitUntil([&] { return Status(0) == L"印刷する項目がありません"; }, 5000));

  const std::vector<uint32_t> blank = SettledPixels(content);
  Search(L"がっこう");
  ASSERT_EQ(WaitForHits(), 1);
  ASSERT_TRUE(WaitUntil([&] { return SettledPixels(content) != blank; }));

  // The page set-up: its dialog, and OK.
  PostMessageW(frame, WM_COMMAND, kPageSetupCommand, 0);
  HWND setup = WaitForDialog();
  ASSERT_NE(setup, nullptr) << "no page set-up dialog";
  EXPECT_TRUE(viewertest::SaveWindowShot(setup, "page_setup_dialog"));
  PostMessageW(setup, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(setup); }, 10000));

  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == frame; }));
  ASSERT_TRUE(viewertest::PressKeys({VK_CONTROL, 'P'}));
  HWND dialog = WaitForDialog();
  ASSERT_NE(dialog, nullptr) << "no print dialog";
  EXPECT_TRUE(viewertest::SaveWindowShot(dialog, "print_dialog"));
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return Status(0) == L"印刷しました (1 ページ)"; }, 30000))
      << testing::PrintToString(Status(0));
  // The spooler turns the job into a PDF file; PrintCheck.cmake reads it as the entry's.
  ASSERT_TRUE(WaitUntil([&] { return Printed(folder).size() == 1; }, 60000, 200)) << "no PDF from the printer";
  std::filesystem::rename(Printed(folder).front(), folder / "entry.printed");

  // The second line marked: only that line is printed.
  MarkSecondLine();
  PostMessageW(frame, WM_COMMAND, kPrintCommand, 0);
  dialog = WaitForDialog();
  ASSERT_NE(dialog, nullptr) << "no print dialog";
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return Status(0) == L"印刷しました (1 ページ)"; }, 30000))
      << testing::PrintToString(Status(0));
  ASSERT_TRUE(WaitUntil([&] { return Printed(folder).size() == 1; }, 60000, 200)) << "no PDF of the marked line";
  std::filesystem::rename(Printed(folder).front(), folder / "marked.printed");
}

// The page as PrintCheck.cmake drew it (a binary PPM, DUNMOOR_PRINTED_PAGE).
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  // Pixels in the rectangle (fractions of the page) that hold ink (the picture is smoothed: a
  // thin stroke is grey), or that are blue.
  int Count(double left, double top, double right, double bottom, bool blue) const {
    int count = 0;
    for (int y = static_cast<int>(top * height); y < static_cast<int>(bottom * height); ++y)
      for (int x = static_cast<int>(left * width); x < static_cast<int>(right * width); ++x) {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        count += blue ? (p[2] > 150 && p[0] < 120 && p[1] < 120) : (p[0] + p[1] + p[2] < 3 * 200);
      }
    return count;
  }
};

bool ReadPpm(const std::filesystem::path& file, Picture* picture) {
  std::ifstream in(file, std::ios::binary);
  std::string magic;
  int depth = 0;
  in >> magic >> picture->width >> picture->height >> depth;
  in.get();
  if (!in || magic != "P6" || depth != 255 || picture->width <= 0 || picture->height <= 0) return false;
  picture->rgb.resize(static_cast<size_t>(picture->width) * picture->height * 3);
  in.read(reinterpret_cast<char*>(picture->rgb.data()), static_cast<std::streamsize>(picture->rgb.size()));
  return static_cast<size_t>(in.gcount()) == picture->rgb.size();
}

// A page PrintCheck.cmake drew from a PDF (the Unix path in the variable name).
Picture PrintedPicture(const char* variable) {
  Picture page;
  const char* file = std::getenv(variable);
  EXPECT_NE(file, nullptr) << "run by PrintCheck.cmake with the pages drawn (" << variable << ")";
  if (file) EXPECT_TRUE(ReadPpm(std::string("Z:") + file, &page)) << file;
  return page;
}

// がっこう【学校】 on one page: the title and the heading above a rule, four lines of the entry
// with its reference in blue, white below, and "1 / 1" at the foot.
TEST(PrintedPage, HoldsTheHeaderTheEntryInItsColoursAndThePageNumber) {
  const Picture page = PrintedPicture("DUNMOOR_PRINTED_PAGE");
  ASSERT_FALSE(page.rgb.empty());
  EXPECT_GT(page.Count(0.03, 0.02, 0.45, 0.07, false), 20) << "the book's title";
  EXPECT_GT(page.Count(0.55, 0.02, 0.97, 0.07, false), 20) << "the heading";
  EXPECT_GT(page.Count(0.03, 0.07, 0.97, 0.2, false), 200) << "the entry's lines";
  EXPECT_GT(page.Count(0.03, 0.07, 0.97, 0.2, true), 20) << "the reference in its colour";
  EXPECT_EQ(page.Count(0.03, 0.3, 0.97, 0.9, false), 0) << "the entry ends: the next one is not printed";
  EXPECT_GT(page.Count(0.4, 0.92, 0.6, 0.99, false), 5) << "the page's number";
  EXPECT_EQ(page.Count(0.03, 0.92, 0.35, 0.99, false), 0);
}

// The second line marked: the header as for the entry, one line of text, nothing below it.
TEST(PrintedPage, OfTheMarkedLineHoldsThatLineAlone) {
  const Picture entry = PrintedPicture("DUNMOOR_PRINTED_PAGE");
  const Picture marked = PrintedPicture("DUNMOOR_PRINTED_MARKED");
  ASSERT_FALSE(entry.rgb.empty());
  ASSERT_FALSE(marked.rgb.empty());
  EXPECT_GT(marked.Count(0.55, 0.02, 0.97, 0.07, false), 20) << "the heading";
  // The entry's first line band holds ink; every line of the entry below it is left out.
  int firstRow = -1, lastRow = -1;
  for (int y = static_cast<int>(0.07 * marked.height); y < static_cast<int>(0.3 * marked.height); ++y) {
    if (marked.Count(0.03, static_cast<double>(y) / marked.height, 0.97, static_cast<double>(y + 1) / marked.height,
                     false) == 0)
      continue;
    if (firstRow < 0) firstRow = y;
    lastRow = y;
  }
  ASSERT_GE(firstRow, 0) << "no text printed";
  EXPECT_LT(lastRow - firstRow, marked.height / 40) << "more than one line printed";
  EXPECT_LT(marked.Count(0.03, 0.07, 0.97, 0.3, false), entry.Count(0.03, 0.07, 0.97, 0.3, false) / 2);
  EXPECT_EQ(marked.Count(0.03, 0.07, 0.97, 0.3, true), 0) << "the reference's line is not marked";
}

}  // namespace
