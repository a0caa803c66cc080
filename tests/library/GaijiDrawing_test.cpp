// The drawing exports for external characters, bound by name from Dunmoor.dll, drawing the
// third-party gaiji book's glyphs into a memory device context (Windows build only).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DunmoorApi.h"
#include "TestFiles.h"

namespace {

constexpr int kSide = 64;  // the drawing surface, kSide x kSide pixels
constexpr uint32_t kInk = 0x123456;     // RGB, red in the low byte
constexpr uint32_t kPaper = 0x00C0FF;
constexpr uint32_t kBackground = 0x808080;

// The narrow glyph A121 and the wide glyph B121 of the gaiji book, as its fonts hold them.
const std::vector<std::string> kNarrowA121 = {
    "..##....", "....##..", "........", "........", "..####..", ".#....#.", ".#....#.", ".#....#.",
    ".#....#.", ".#....#.", ".#....#.", ".#....#.", ".#....#.", "..####..", "........", "........"};
const std::vector<std::string> kWideB121 = {
    ".....######.....", "...##########...", "..############..", ".#######.######.",
    ".######..######.", "########.#######", "########.#######", "########.#######",
    "########.#######", "########.#######", "########.#######", ".#######.######.",
    ".######...#####.", "..############..", "...##########...", ".....######....."};

class GaijiDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string missing;
    ASSERT_TRUE(BindDunmoor(&api, &missing)) << "cannot bind " << missing;
    dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kSide;
    info.bmiHeader.biHeight = -kSide;  // top-down: row y at bits + y * stride
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    surface = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    ASSERT_NE(surface, nullptr);
    bits = static_cast<uint8_t*>(memory);
    old = SelectObject(dc, surface);
    Fill();
  }
  void TearDown() override {
    if (dc) SelectObject(dc, old);
    if (surface) DeleteObject(surface);
    if (dc) DeleteDC(dc);
    if (api.epwBooksClose) api.epwBooksClose();
    if (api.CloseEpwing) api.CloseEpwing();
  }

  void Open(const char* book) {
    std::string root = std::filesystem::path(testfiles::SharedBook(book)).make_preferred().string();
    ASSERT_EQ(api.OpenEpwing(root.c_str()), 1);
    ASSERT_EQ(api.epwBooksOpen(), 1);
  }
  void Fill() {
    GdiFlush();
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) SetAt(x, y, kBackground);
  }
  void SetAt(int x, int y, uint32_t rgb) {
    uint8_t* p = bits + y * kStride + x * 3;
    p[0] = static_cast<uint8_t>(rgb >> 16), p[1] = static_cast<uint8_t>(rgb >> 8), p[2] = static_cast<uint8_t>(rgb);
  }
  uint32_t At(int x, int y) const {
    const uint8_t* p = bits + y * kStride + x * 3;
    return static_cast<uint32_t>(p[2] | p[1] << 8 | p[0] << 16);
  }
  // The surface as expected: background everywhere except the glyph's pixels, each art pixel
  // scale x scale device pixels from (left, top); paper pixels get paper, or stay as they are.
  void ExpectSurface(const std::vector<std::string>& art, int left, int top, int scale, bool withPaper) {
    GdiFlush();
    int wrong = 0;
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) {
        uint32_t want = kBackground;
        int r = (y - top) / scale, c = (x - left) / scale;
        if (y >= top && x >= left && r < static_cast<int>(art.size()) && c < static_cast<int>(art[0].size()))
          want = art[r][c] == '#' ? kInk : withPaper ? kPaper : kBackground;
        if (At(x, y) != want && ++wrong <= 5)
          ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << At(x, y) << " want " << want;
      }
    EXPECT_EQ(wrong, 0);
  }

  static constexpr int kStride = kSide * 3;  // already a multiple of 4
  DunmoorApi api;
  HDC dc = nullptr;
  HBITMAP surface = nullptr;
  HGDIOBJ old = nullptr;
  uint8_t* bits = nullptr;
};

TEST_F(GaijiDrawing, InkPixelsOnePerBitAndFourAtDoubleSize) {
  Open("gaiji-book");
  EXPECT_EQ(api.epwShowExCodePixel(0xA121, 16, 0, 10, 20, 18, 36, kInk, dc), 1);
  ExpectSurface(kNarrowA121, 10, 20, 1, false);
  Fill();
  EXPECT_EQ(api.epwShowExCodePixel(0xA121, 16, 0, 3, 5, 19, 37, kInk, dc), 1);
  ExpectSurface(kNarrowA121, 3, 5, 2, false);
  Fill();
  EXPECT_EQ(api.epwShowExCodePixel(0xB121, 16, 1, 40, 40, 56, 56, kInk, dc), 1);
  ExpectSurface(kWideB121, 40, 40, 1, false);
}

TEST_F(GaijiDrawing, WholeGlyphWithPaper) {
  Open("gaiji-book");
  EXPECT_EQ(api.epwShowExCode(0xB121, 16, 1, 8, 4, 24, 20, kInk, kPaper, dc), 1);
  ExpectSurface(kWideB121, 8, 4, 1, true);
  Fill();
  EXPECT_EQ(api.epwShowExCode(0xA121, 16, 0, 0, 0, 16, 32, kInk, kPaper, dc), 1);
  ExpectSurface(kNarrowA121, 0, 0, 2, true);
}

TEST_F(GaijiDrawing, ClearGlyph) {
  Open("gaiji-book");
  // A122 lies inside the narrow font's glyph units and holds no ink.
  const std::vector<std::string> clear(16, "........");
  EXPECT_EQ(api.epwShowExCodePixel(0xA122, 16, 0, 4, 4, 12, 20, kInk, dc), 1);
  ExpectSurface(clear, 4, 4, 1, false);
  EXPECT_EQ(api.epwShowExCode(0xA122, 16, 0, 4, 4, 12, 20, kInk, kPaper, dc), 1);
  ExpectSurface(clear, 4, 4, 1, true);
}

TEST_F(GaijiDrawing, RefusalsLeaveTheSurfaceAlone) {
  HBITMAP bitmap = nullptr;
  EXPECT_EQ(api.epwShowExCodePixel(0xA121, 16, 0, 0, 0, 8, 16, kInk, dc), -1);  // no book
  EXPECT_EQ(api.epwExCode2Bmp(0xA121, 16, 0, 0, 0, 0, 0, &bitmap), -1);
  Open("gaiji-book");
  EXPECT_EQ(api.epwShowExCodePixel(0xA121, 16, 2, 0, 0, 8, 16, kInk, dc), -2);
  EXPECT_EQ(api.epwShowExCode(0xA121, 20, 0, 0, 0, 8, 16, kInk, kPaper, dc), -2);
  EXPECT_EQ(api.epwShowExCode(0xA121, 24, 0, 0, 0, 8, 16, kInk, kPaper, dc), -1);  // no such font
  EXPECT_EQ(api.epwShowExCode(0xA17F, 16, 0, 0, 0, 8, 16, kInk, kPaper, dc), -2);
  EXPECT_EQ(api.epwShowExCodePixel(0xA121, 16, 1, 0, 0, 16, 16, kInk, dc), -2);  // before B121
  EXPECT_EQ(api.epwExCode2Bmp(0xB161, 16, 1, 0, 0, 0, 0, &bitmap), -2);          // beyond the file
  EXPECT_EQ(bitmap, nullptr);
  ExpectSurface({}, 0, 0, 1, false);
  // A rectangle as wide as there is: only the surface's pixels are touched, quickly.
  EXPECT_EQ(api.epwShowExCodePixel(0xB121, 16, 1, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, kInk, dc), 1);
}

TEST_F(GaijiDrawing, BookWithoutFonts) {
  Open("two-books");
  HBITMAP bitmap = nullptr;
  for (uint32_t code : {0xA121u, 0xB121u, 0xFE7Eu}) {
    EXPECT_EQ(api.epwShowExCodePixel(code, 16, 0, 0, 0, 8, 16, kInk, dc), -1);
    EXPECT_EQ(api.epwShowExCode(code, 48, 1, 0, 0, 8, 16, kInk, kPaper, dc), -1);
    EXPECT_EQ(api.epwExCode2Bmp(code, 30, 1, 0, 0, 0, 0, &bitmap), -1);
  }
  ExpectSurface({}, 0, 0, 1, false);
}

// The monochrome bitmap's pixels through GetDIBits, top row first: true for black.
std::vector<std::string> BitmapArt(HBITMAP bitmap, int width, int height) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } info = {};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = width;
  info.header.biHeight = -height;
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.header.biCompression = BI_RGB;
  std::vector<uint8_t> rows(static_cast<size_t>(height) * 4);
  HDC screen = GetDC(nullptr);
  int got = GetDIBits(screen, bitmap, 0, height, rows.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(got, height);
  std::vector<std::string> art;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const RGBQUAD& colour = info.colours[(rows[y * 4 + x / 8] >> (7 - x % 8)) & 1];
      row += (colour.rgbRed | colour.rgbGreen | colour.rgbBlue) == 0 ? '#' : '.';
    }
    art.push_back(row);
  }
  return art;
}

TEST_F(GaijiDrawing, MonochromeBitmapOfTheNominalSize) {
  Open("gaiji-book");
  struct Case {
    uint32_t code, wide;
    const std::vector<std::string>& art;
  };
  for (const Case& c : {Case{0xA121, 0, kNarrowA121}, Case{0xB121, 1, kWideB121}}) {
    HBITMAP bitmap = nullptr;
    ASSERT_EQ(api.epwExCode2Bmp(c.code, 16, c.wide, 7, 7, 7, 7, &bitmap), 1);
    ASSERT_NE(bitmap, nullptr);
    BITMAP shape = {};
    ASSERT_EQ(GetObject(bitmap, sizeof shape, &shape), static_cast<int>(sizeof shape));
    EXPECT_EQ(shape.bmWidth, static_cast<LONG>(c.art[0].size()));
    EXPECT_EQ(shape.bmHeight, 16);
    EXPECT_EQ(shape.bmBitsPixel, 1);
    EXPECT_EQ(BitmapArt(bitmap, shape.bmWidth, 16), c.art);
    DeleteObject(bitmap);
  }
}

}  // namespace
