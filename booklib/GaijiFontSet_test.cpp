// The font set on the third-party gaiji book and on font files damaged on purpose.
#include "GaijiFontSet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "Library.h"
#include "TestFiles.h"

namespace dunmoor {
namespace {

namespace fs = std::filesystem;

// The glyph at its nominal width, '#' ink, '.' paper.
std::vector<std::string> Art(const Glyph& glyph) {
  const GlyphGeometry& g = glyph.Geometry();
  std::vector<std::string> rows;
  for (int r = 0; r < g.height; ++r) {
    std::string row;
    for (int c = 0; c < g.width; ++c) row += glyph.Ink(r, c) ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

class GaijiBook : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string root = fs::path(testfiles::SharedBook("gaiji-book")).make_preferred().string();
    ASSERT_EQ(library.OpenEpwing(root.c_str()), kDunmoorSuccess);
    ASSERT_EQ(library.BooksOpen(), kDunmoorSuccess);
  }
  std::vector<std::string> Read(uint32_t code, uint32_t wide) {
    Glyph glyph;
    EXPECT_EQ(library.Gaiji().ReadGlyph(code, 16, wide, &glyph), kDunmoorSuccess) << std::hex << code;
    return Art(glyph);
  }
  Library library;
};

// Decoded by hand from the font files (GAI16H00 bytes 2048-2063, GAI16F00 bytes 2048-2111).
TEST_F(GaijiBook, GlyphsAreTheBitmapsOfItsFonts) {
  EXPECT_EQ(Read(0xA121, 0), (std::vector<std::string>{
                                 "..##....", "....##..", "........", "........", "..####..", ".#....#.",
                                 ".#....#.", ".#....#.", ".#....#.", ".#....#.", ".#....#.", ".#....#.",
                                 ".#....#.", "..####..", "........", "........"}));
  EXPECT_EQ(Read(0xB121, 1), (std::vector<std::string>{
                                 ".....######.....", "...##########...", "..############..",
                                 ".#######.######.", ".######..######.", "########.#######",
                                 "########.#######", "########.#######", "########.#######",
                                 "########.#######", "########.#######", ".#######.######.",
                                 ".######...#####.", "..############..", "...##########...",
                                 ".....######....."}));
  EXPECT_EQ(Read(0xB122, 1), (std::vector<std::string>{
                                 ".....######.....", "...##########...", "..############..",
                                 ".#####....#####.", ".####.####.####.", "#####.####.#####",
                                 "##########.#####", "#########.######", "########.#######",
                                 "#######.########", "######.#########", ".####.#########.",
                                 ".####......####.", "..############..", "...##########...",
                                 ".....######....."}));
}

TEST_F(GaijiBook, MissingSlotsBadArgumentsAndClosing) {
  Glyph glyph;
  GaijiFontSet& fonts = library.Gaiji();
  EXPECT_EQ(fonts.FirstCode(kWide16), 0xB121);
  EXPECT_EQ(fonts.FirstCode(kNarrow16), 0xA121);
  for (uint32_t size : {24u, 30u, 32u, 48u}) {
    EXPECT_EQ(fonts.ReadGlyph(0xB121, size, 1, &glyph), kDunmoorFailed) << size;  // no such font
    EXPECT_EQ(fonts.ReadGlyph(0xA121, size, 0, &glyph), kDunmoorFailed) << size;
  }
  EXPECT_EQ(fonts.ReadGlyph(0xB121, 16, 2, &glyph), kDunmoorRefused);
  EXPECT_EQ(fonts.ReadGlyph(0xB121, 20, 1, &glyph), kDunmoorRefused);
  EXPECT_EQ(fonts.ReadGlyph(0xB121, 20, 0, &glyph), kDunmoorRefused);  // before the missing slot
  EXPECT_EQ(fonts.ReadGlyph(0xA121, 16, 1, &glyph), kDunmoorRefused);  // before the wide font's first row
  EXPECT_EQ(fonts.ReadGlyph(0xB17F, 16, 1, &glyph), kDunmoorRefused);
  // Two units of 32 wide glyphs: places up to 63 (B121 + 63 = B160) hold glyphs, blank ones here.
  ASSERT_EQ(fonts.ReadGlyph(0xB160, 16, 1, &glyph), kDunmoorSuccess);
  EXPECT_EQ(Art(glyph), std::vector<std::string>(16, std::string(16, '.')));
  EXPECT_EQ(fonts.ReadGlyph(0xB161, 16, 1, &glyph), kDunmoorRefused);
  library.BooksClose();
  EXPECT_FALSE(fonts.IsOpen());
  EXPECT_EQ(fonts.ReadGlyph(0xB121, 16, 1, &glyph), kDunmoorFailed);
  EXPECT_EQ(fonts.ReadGlyph(0xB121, 16, 2, &glyph), kDunmoorFailed);  // not open comes first
}

// A directory of font files written by the test.
class FontFiles : public ::testing::Test {
 protected:
  // A narrow 16 font of size bytes with first code A121 (when it reaches that far), every glyph
  // byte 0x81.
  static testfiles::Bytes Font(size_t size) {
    testfiles::Bytes bytes(size, 0x81);
    for (size_t i = 0; i < std::min<size_t>(size, kFontHeaderBytes); ++i) bytes[i] = 0;
    if (size > 11) bytes[10] = 0xA1, bytes[11] = 0x21;
    return bytes;
  }
  void Write(const std::string& name, const testfiles::Bytes& bytes) { testfiles::WriteFile(dir.Path() / name, bytes); }
  // Opens the set with name as the narrow 16 field (8 bytes, not zero-terminated when full).
  void OpenNarrow16(const std::string& name) {
    char block[65] = {};
    std::memcpy(block + 32, name.data(), std::min<size_t>(name.size(), 8));
    fonts.Open(dir.Str().c_str(), block);
  }
  int32_t Read(uint32_t code) { return fonts.ReadGlyph(code, 16, 0, &glyph); }

  testfiles::TempDir dir;
  GaijiFontSet fonts;
  Glyph glyph;
};

TEST_F(FontFiles, NamesAreUsedAsTheyStand) {
  Write("GAI16H", Font(kFontHeaderBytes + kFontUnitBytes));
  OpenNarrow16(" GAI16H");  // the blank is part of the name: no such file
  EXPECT_TRUE(fonts.IsOpen());
  EXPECT_EQ(Read(0xA121), kDunmoorFailed);
  OpenNarrow16("GAI16H");
  EXPECT_EQ(Read(0xA121), kDunmoorSuccess);
  Write("GAI 16H", Font(kFontHeaderBytes + kFontUnitBytes));
  OpenNarrow16("GAI 16H");  // nor are blanks inside taken out
  EXPECT_EQ(Read(0xA121), kDunmoorSuccess);
  Write("FULLNAME", Font(kFontHeaderBytes + kFontUnitBytes));
  OpenNarrow16("FULLNAME");  // all eight bytes, no zero byte after them
  EXPECT_EQ(Read(0xA121), kDunmoorSuccess);
  EXPECT_EQ(glyph.bits[0], 0x81);
  OpenNarrow16("");
  EXPECT_EQ(Read(0xA121), kDunmoorFailed);
  fonts.Open(nullptr, nullptr);
  EXPECT_TRUE(fonts.IsOpen());
  EXPECT_EQ(Read(0xA121), kDunmoorFailed);
}

TEST_F(FontFiles, ShortFiles) {
  Write("TINY", Font(11));  // no first code: the slot is missing
  OpenNarrow16("TINY");
  EXPECT_FALSE(fonts.HasSlot(kNarrow16));
  EXPECT_EQ(Read(0xA121), kDunmoorFailed);
  for (size_t size : {size_t{12}, size_t{2047}, size_t{2048}, size_t{2048 + 1023}}) {
    std::string name = "S" + std::to_string(size);
    Write(name, Font(size));  // a first code but no whole glyph unit: every code refused
    OpenNarrow16(name);
    EXPECT_TRUE(fonts.HasSlot(kNarrow16)) << size;
    EXPECT_EQ(Read(0xA121), kDunmoorRefused) << size;
  }
}

#ifndef _WIN32
// (Windows lets no one cut a file that the library holds open.)
TEST_F(FontFiles, FileCutAfterOpening) {
  Write("CUT", Font(kFontHeaderBytes + kFontUnitBytes));
  OpenNarrow16("CUT");
  fs::resize_file(dir.Path() / "CUT", kFontHeaderBytes + 16 + 5);  // glyph 1 cut after 5 bytes
  ASSERT_EQ(Read(0xA122), kDunmoorSuccess);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(glyph.bits[i], i < 5 ? 0x81 : 0x00) << i;  // the rest is paper
  ASSERT_EQ(Read(0xA160), kDunmoorSuccess);  // wholly beyond the end now: all paper
  EXPECT_EQ(Art(glyph), std::vector<std::string>(16, "........"));
}
#endif

}  // namespace
}  // namespace dunmoor
