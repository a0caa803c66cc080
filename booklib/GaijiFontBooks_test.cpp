// Fonts of every kind and size, written by the book builder and read back through the library.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BookBuild.h"
#include "Library.h"
#include "TestFiles.h"

namespace dunmoor {
namespace {

namespace fs = std::filesystem;

const char* const kSlotNames[kGaijiSlotCount] = {"wide16",   "wide24",   "wide30",   "wide48",
                                                 "narrow16", "narrow24", "narrow30", "narrow48"};
const uint32_t kSizes[kGaijiSlotCount] = {16, 24, 30, 48, 16, 24, 30, 48};

// Every stored column, '#' ink, '.' paper.
std::vector<std::string> StoredArt(const Glyph& glyph) {
  const GlyphGeometry& g = glyph.Geometry();
  std::vector<std::string> rows;
  for (int r = 0; r < g.height; ++r) {
    std::string row;
    for (int c = 0; c < g.bytesPerRow * 8; ++c) row += glyph.Ink(r, c) ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

// A pattern that differs in every row and reaches the last stored column: a diagonal, its
// mirror (shifted by `shift`) and the last column in every third row.
std::vector<std::string> Pattern(GaijiSlot slot, int shift) {
  const GlyphGeometry& g = GeometryOf(slot);
  int columns = g.bytesPerRow * 8;
  std::vector<std::string> rows;
  for (int r = 0; r < g.height; ++r) {
    std::string row(columns, '.');
    row[r % columns] = '#';
    row[(columns - 1 - r - shift + 2 * columns) % columns] = '#';
    if (r % 3 == 0) row[columns - 1] = '#';
    rows.push_back(row);
  }
  return rows;
}

uint16_t FirstCode(GaijiSlot slot) { return slot < kNarrow16 ? 0xA121 : 0xB125; }
// A code one row below the first and 40 columns right of it: the last glyph of each font.
uint16_t LastCode(GaijiSlot slot) { return static_cast<uint16_t>(FirstCode(slot) + 0x100 + 40); }

std::string Hex(uint32_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%04X", value);
  return text;
}

std::string GlyphSource(GaijiSlot slot, uint16_t code, int shift) {
  std::string source = "  glyph " + std::string(kSlotNames[slot]) + " " + Hex(code) + "\n";
  for (const std::string& row : Pattern(slot, shift)) source += row + "\n";
  return source + "  end\n";
}

class EveryFont : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string source =
        "book FONTS\n  title 外字\n  index kana id=0x90\n  entry a\n    key kana あ\n    text\n<kw>あ</kw>\nend\n";
    for (int s = 0; s < kGaijiSlotCount; ++s) {
      GaijiSlot slot = static_cast<GaijiSlot>(s);
      source += "  font " + std::string(kSlotNames[s]) + " F" + std::to_string(s) + " first=" + Hex(FirstCode(slot)) +
                "\n" + GlyphSource(slot, FirstCode(slot), 0) + GlyphSource(slot, LastCode(slot), 5);
    }
    bookbuild::LayoutMap map;
    bookbuild::BuildStatus status = bookbuild::BuildDisc(source, disc.Str(), &map);
    ASSERT_TRUE(status.ok) << status.message;
    ASSERT_EQ(library.OpenEpwing(disc.Str().c_str()), kDunmoorSuccess);
    ASSERT_EQ(library.BooksOpen(), kDunmoorSuccess);
  }

  testfiles::TempDir disc;
  Library library;
};

TEST_F(EveryFont, FirstAndLastGlyphsComeBackAsWritten) {
  for (int s = 0; s < kGaijiSlotCount; ++s) {
    GaijiSlot slot = static_cast<GaijiSlot>(s);
    uint32_t wide = slot < kNarrow16 ? 1 : 0;
    Glyph glyph;
    ASSERT_EQ(library.Gaiji().ReadGlyph(FirstCode(slot), kSizes[s], wide, &glyph), kDunmoorSuccess) << kSlotNames[s];
    EXPECT_EQ(glyph.slot, slot);
    EXPECT_EQ(StoredArt(glyph), Pattern(slot, 0)) << kSlotNames[s];
    ASSERT_EQ(library.Gaiji().ReadGlyph(LastCode(slot), kSizes[s], wide, &glyph), kDunmoorSuccess) << kSlotNames[s];
    EXPECT_EQ(StoredArt(glyph), Pattern(slot, 5)) << kSlotNames[s];
    // A place between them is blank; codes outside the font are refused.
    ASSERT_EQ(library.Gaiji().ReadGlyph(FirstCode(slot) + 1, kSizes[s], wide, &glyph), kDunmoorSuccess);
    EXPECT_EQ(StoredArt(glyph), StoredArt(Glyph{slot, {}}));
    EXPECT_EQ(library.Gaiji().ReadGlyph(FirstCode(slot) - 1, kSizes[s], wide, &glyph), kDunmoorRefused);
    EXPECT_EQ(library.Gaiji().ReadGlyph(FirstCode(slot) + 0x300, kSizes[s], wide, &glyph), kDunmoorRefused);
    EXPECT_EQ(library.Gaiji().ReadGlyph((LastCode(slot) & 0xFF00) | 0x7F, kSizes[s], wide, &glyph), kDunmoorRefused);
  }
  // Wide 48 holds 3 glyphs a unit; the last glyph (place 134) ends the file's last unit.
  Glyph glyph;
  EXPECT_EQ(library.Gaiji().ReadGlyph(LastCode(kWide48) + 1, 48, 1, &glyph), kDunmoorRefused);
}

TEST_F(EveryFont, SizeThirtyTwoIsThirty) {
  for (uint32_t wide : {0u, 1u}) {
    GaijiSlot slot = wide ? kWide30 : kNarrow30;
    Glyph at30, at32;
    ASSERT_EQ(library.Gaiji().ReadGlyph(LastCode(slot), 30, wide, &at30), kDunmoorSuccess);
    ASSERT_EQ(library.Gaiji().ReadGlyph(LastCode(slot), 32, wide, &at32), kDunmoorSuccess);
    EXPECT_EQ(at32.slot, slot);
    EXPECT_EQ(StoredArt(at30), StoredArt(at32));
  }
}

TEST(SampleBookFonts, GlyphsOfTheSampleBook) {
  Library library;
  std::string root = fs::path(testfiles::BuiltBook("sample")).make_preferred().string();
  ASSERT_EQ(library.OpenEpwing(root.c_str()), kDunmoorSuccess);
  ASSERT_EQ(library.BooksOpen(), kDunmoorSuccess);
  GaijiFontSet& fonts = library.Gaiji();
  Glyph glyph;
  auto inked = [&] {
    for (uint8_t byte : glyph.bits)
      if (byte) return true;
    return false;
  };
  for (uint32_t code = 0xA121; code <= 0xA126; ++code) {
    ASSERT_EQ(fonts.ReadGlyph(code, 16, 1, &glyph), kDunmoorSuccess);
    EXPECT_TRUE(inked()) << std::hex << code;
  }
  for (uint32_t code = 0xA121; code <= 0xA124; ++code) {
    ASSERT_EQ(fonts.ReadGlyph(code, 16, 0, &glyph), kDunmoorSuccess);
    EXPECT_TRUE(inked()) << std::hex << code;
  }
  // One unit each: 32 wide glyphs (A121-A140), 64 narrow ones (A121-A160).
  ASSERT_EQ(fonts.ReadGlyph(0xA140, 16, 1, &glyph), kDunmoorSuccess);
  EXPECT_FALSE(inked());
  EXPECT_EQ(fonts.ReadGlyph(0xA141, 16, 1, &glyph), kDunmoorRefused);
  EXPECT_EQ(fonts.ReadGlyph(0xA160, 16, 0, &glyph), kDunmoorSuccess);
  EXPECT_EQ(fonts.ReadGlyph(0xA161, 16, 0, &glyph), kDunmoorRefused);
  EXPECT_EQ(fonts.ReadGlyph(0xA121, 24, 1, &glyph), kDunmoorFailed);
}

}  // namespace
}  // namespace dunmoor
