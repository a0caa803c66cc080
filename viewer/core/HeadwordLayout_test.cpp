#include "HeadwordLayout.h"

#include <gtest/gtest.h>

#include "ControlCodes.h"

namespace brisvane {
namespace {

using Kind = HeadwordPiece::Kind;

// Every byte 8 pixels wide in the normal font, 5 in the small one.
int Width(std::string_view text, bool small, bool bold) {
  return static_cast<int>(text.size()) * (small ? 5 : 8) + (bold ? 1 : 0);
}

HeadwordLayout Lay(std::string_view headword) { return LayOutHeadword(headword, 10, 100, Width); }

TEST(HeadwordLayout, PlainTextIsOneShiftJisRun) {
  HeadwordLayout layout = Lay("\x24\x4F\x24\x37");  // はし
  ASSERT_EQ(layout.pieces.size(), 1u);
  EXPECT_EQ(layout.pieces[0].text, "\x82\xCD\x82\xB5");
  EXPECT_EQ(layout.pieces[0].left, 14);
  EXPECT_EQ(layout.pieces[0].top, 103);
  EXPECT_FALSE(layout.pieces[0].small);
  EXPECT_EQ(layout.endX, 14 + 32);
}

TEST(HeadwordLayout, NarrowTextBecomesAscii) {
  // 1F 04, full-width A, 1F 05: draws the ASCII letter A.
  HeadwordLayout layout = Lay("\x1F\x04\x23\x41\x1F\x05");
  ASSERT_EQ(layout.pieces.size(), 1u);
  EXPECT_EQ(layout.pieces[0].text, "A");
  // Without a narrow form a pair stays Shift-JIS; outside narrow text nothing is mapped.
  layout = Lay("\x1F\x04\x23\x61\x21\x5D\x24\x22\x1F\x05\x23\x41");
  ASSERT_EQ(layout.pieces.size(), 2u);
  EXPECT_EQ(layout.pieces[0].text, "a-\x82\xA0");
  EXPECT_EQ(layout.pieces[1].text, "\x82\x60");
  EXPECT_EQ(layout.pieces[1].left, 14 + 4 * 8);
}

TEST(HeadwordLayout, SubAndSuperscriptsUseTheSmallFont) {
  // H, subscript 2, O, then superscript 2.
  HeadwordLayout layout = Lay("\x23\x48\x1F\x06\x23\x32\x1F\x07\x23\x4F\x1F\x0E\x23\x32\x1F\x0F");
  ASSERT_EQ(layout.pieces.size(), 4u);
  EXPECT_FALSE(layout.pieces[0].small);
  EXPECT_TRUE(layout.pieces[1].small);
  EXPECT_EQ(layout.pieces[1].top, 108);
  EXPECT_EQ(layout.pieces[1].left, 14 + 16);
  EXPECT_EQ(layout.pieces[2].left, 14 + 16 + 10);
  EXPECT_TRUE(layout.pieces[3].small);
  EXPECT_EQ(layout.pieces[3].top, 103);
  EXPECT_EQ(layout.endX, 14 + 16 + 10 + 16 + 10);
}

TEST(HeadwordLayout, ExternalCharactersFullAndHalfWidth) {
  HeadwordLayout layout = Lay("\xA1\x21\x24\x22\x1F\x04\xB0\x22\x1F\x05");
  ASSERT_EQ(layout.pieces.size(), 3u);
  const HeadwordPiece& wide = layout.pieces[0];
  EXPECT_EQ(wide.kind, Kind::kExternal);
  EXPECT_EQ(wide.code, 0xA121);
  EXPECT_FALSE(wide.narrow);
  EXPECT_EQ(wide.left, 16);
  EXPECT_EQ(wide.top, 103);
  EXPECT_EQ(wide.right, 32);
  EXPECT_EQ(wide.bottom, 119);
  EXPECT_EQ(layout.pieces[1].left, 14 + 17);
  const HeadwordPiece& narrow = layout.pieces[2];
  EXPECT_EQ(narrow.kind, Kind::kExternal);
  EXPECT_EQ(narrow.code, 0xB022);
  EXPECT_TRUE(narrow.narrow);
  int x = 14 + 17 + 16;
  EXPECT_EQ(narrow.left, x + 2);
  EXPECT_EQ(narrow.right, x + 10);
  EXPECT_EQ(layout.endX, x + 9);
}

TEST(HeadwordLayout, OtherControlCodesAndBadEndings) {
  // 1F 0A (a line end) and 1F 41 xx (a keyword start) are skipped two bytes at a time;
  // the run goes on in one piece of each side.
  HeadwordLayout layout = Lay(std::string_view("\x24\x22\x1F\x41\x24\x24\x1F\x0A", 8));
  ASSERT_EQ(layout.pieces.size(), 2u);
  EXPECT_EQ(layout.pieces[1].text, "\x82\xA2");
  // A zero byte ends the headword; a lone last byte is ignored; empty text draws nothing.
  EXPECT_EQ(Lay(std::string_view("\x24\x22\x00\x24\x24\x24", 6)).pieces.size(), 1u);
  EXPECT_EQ(Lay(std::string_view("\x24\x22\x1F", 3)).pieces.size(), 1u);
  EXPECT_EQ(Lay(std::string_view("\x24", 1)).pieces.size(), 0u);
  HeadwordLayout empty = Lay("");
  EXPECT_TRUE(empty.pieces.empty());
  EXPECT_EQ(empty.endX, 14);
}

// Bold and italic as books mark them (1F E0 with argument 0003 or 0001, up to 1F E1): the
// argument pair, zero byte and all, is no character and no end; an unknown argument is plain.
TEST(HeadwordLayout, DecorationsMakeBoldAndItalicPieces) {
  using namespace std::string_literals;
  const std::string heading = "\x23\x41\x1F\xE0\x00\x03\x23\x42\x1F\xE1\x1F\xE0\x00\x01\x23\x43\x1F\xE1"
                              "\x1F\xE0\x00\x07\x23\x44\x1F\xE1\x00\x00\x23\x45"s;
  EXPECT_EQ(booktext::code::HeadingLength(heading.data(), heading.size()), heading.size() - 4);
  HeadwordLayout layout = Lay(heading);
  ASSERT_EQ(layout.pieces.size(), 4u);
  EXPECT_EQ(layout.pieces[0].text, "\x82\x60");  // A
  EXPECT_FALSE(layout.pieces[0].bold || layout.pieces[0].italic);
  EXPECT_EQ(layout.pieces[1].text, "\x82\x61");  // B, bold
  EXPECT_TRUE(layout.pieces[1].bold);
  EXPECT_FALSE(layout.pieces[1].italic);
  EXPECT_EQ(layout.pieces[2].left, layout.pieces[1].left + 17) << "bold text is measured in the bold font";
  EXPECT_TRUE(layout.pieces[2].italic);  // C
  EXPECT_FALSE(layout.pieces[2].bold);
  EXPECT_FALSE(layout.pieces[3].bold || layout.pieces[3].italic);  // D, an argument no book uses
  for (const HeadwordPiece& piece : layout.pieces) EXPECT_EQ(piece.kind, Kind::kText);
  // A buffer cut inside the argument ends before it.
  EXPECT_EQ(booktext::code::HeadingLength("\x23\x41\x1F\xE0\x00", 5), 4u);
}

}  // namespace
}  // namespace brisvane
