#include "MarkSelection.h"

#include <gtest/gtest.h>

#include <cstring>

#include "LineBuilder.h"
#include "MarkEdges.h"
#include "MemorySource.h"

namespace calvetta {
namespace {

using layouttest::Text;

// Full-width letters as Shift-JIS (Ａ is 82 60).
std::string Sjis(const char* letters) {
  std::string s;
  for (const char* p = letters; *p; ++p) {
    s += '\x82';
    s += static_cast<char>(0x60 + (*p - 'A'));
  }
  return s;
}

std::string JisLetters(const char* letters) {
  std::string s;
  for (const char* p = letters; *p; ++p) {
    s += '\x23';
    s += *p;
  }
  return s;
}

TextRun MakeRun(std::string text, int32_t x, bool narrow, bool bold) {
  TextRun run;
  run.text = std::move(text);
  run.x = x;
  run.narrow = narrow;
  run.bold = bold;
  return run;
}

// A font whose full width is not twice its half width, with a bold widening: every character
// cell must come from the layout's advances (narrow 7 + 1 bold, wide 16 + 2 bold).
Metrics OddMetrics() {
  Metrics m;
  m.halfWidth = 7;
  m.fullWidth = 16;
  m.boldExtra = 1;
  return m;
}

// Indent 32; a bold wide run ＡＢＣＤＥ (18 px a character) at 0; an external character at 90;
// a bold narrow run "xyz" (8 px a character) at 106; a gap; an icon at 140.
LineRecord MixedLine() {
  LineRecord line;
  line.indent = 32;
  line.runs.push_back(MakeRun(JisLetters("ABCDE"), 0, false, true));
  line.runs.push_back(MakeRun("xyz", 106, true, true));
  GaijiSlot gaiji;
  gaiji.code = 0xA121;
  gaiji.x = 90;
  line.gaiji.push_back(gaiji);
  IconSlot icon;
  icon.bitmapId = kIconGraphic;
  icon.x = 140;
  line.icons.push_back(icon);
  return line;
}

TEST(MarkEdges, EdgesAndSnappingFollowTheLayoutAdvances) {
  Metrics m = OddMetrics();
  LineRecord line = MixedLine();
  EXPECT_EQ(LineRightEnd(line, m), 32 + 140 + 16 - 1);  // the icon ends the line
  EXPECT_EQ(LineLeftStart(line, m), 31);
  EXPECT_EQ(SnapToEdge(&line, 1000, m), LineRightEnd(line, m));
  EXPECT_EQ(SnapToEdge(&line, 0, m), 31);
  EXPECT_EQ(SnapToEdge(&line, 32 + 18 * 3 + 5, m), 32 + 18 * 3 - 1);  // inside Ｄ
  EXPECT_EQ(SnapToEdge(&line, 32 + 106 + 8 + 7, m), 32 + 106 + 8 - 1);  // on the end of y
  EXPECT_EQ(SnapToEdge(&line, 32 + 94, m), 32 + 90 - 1);                 // the external character
  EXPECT_EQ(SnapToEdge(&line, 32 + 145, m), 32 + 140 - 1);               // the icon
  EXPECT_EQ(SnapToEdge(&line, 32 + 135, m), 31);                         // a gap: the indent
  EXPECT_EQ(SnapToEdge(nullptr, 40, m), kNoEdge);
}

TEST(MarkEdges, CutsKeepWholeCharacters) {
  Metrics m = OddMetrics();
  LineRecord line = MixedLine();
  // From the edge before Ｂ to the edge after Ｄ: three whole characters, never half of one.
  EXPECT_EQ(LineTextBetween(line, 32 + 18 - 1, 32 + 18 * 4 - 1, m), Sjis("BCD"));
  // From the edge before Ｅ over the external character to the edge after y.
  EXPECT_EQ(LineTextBetween(line, 32 + 18 * 4 - 1, 32 + 106 + 16 - 1, m), Sjis("E") + "xy");
  EXPECT_EQ(LineTextBetween(line, 32 + 90 - 1, 32 + 106 - 1, m), "");  // only the external character
  EXPECT_EQ(LineTextBetween(line, 50, 50, m), "");
  // The clipboard's pieces hold the external character where it stands.
  std::vector<CopyPiece> pieces = LinePiecesBetween(line, 32 + 18 * 4 - 1, 32 + 106 + 16 - 1, m);
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].text, Sjis("E"));
  EXPECT_EQ(pieces[1].external, 0xA121);
  EXPECT_EQ(pieces[2].text, "xy");
  EXPECT_TRUE(LinePiecesBetween(line, 32 + 90, 32 + 106 - 1, m).empty()) << "half of its cell";
}

// Two paragraphs: ＡＢＣＤＥＦＧＨ wraps after four characters onto a continuation line, then ＩＪ.
// Default metrics (16/8/16), indent 16: line cells start at x 16, 32, 48, 64.
class MarkDrag : public ::testing::Test {
 protected:
  void SetUp() override {
    Text t;
    t.Wide("ABCDEFGH").Newline().Wide("IJ").Newline();
    std::vector<LineRecord> built;
    HeldText held{t.Data().data(), 0, t.Size()};
    BuildLines(held, 0, t.Size() - 1, metrics, 80, &built);
    ASSERT_EQ(built.size(), 3u);
    ASSERT_TRUE(built[1].continuation);
    lines.Assign(std::move(built), 0);
  }
  std::string Leading(int32_t size) {
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    int32_t n = marks.CopyLeading(buffer, size);
    EXPECT_EQ(buffer[n], '\0');
    return std::string(buffer, static_cast<size_t>(n));
  }

  Metrics metrics;
  LineList lines;
  MarkSelection marks;
};

TEST_F(MarkDrag, DownwardDragBreaksOnlyBetweenParagraphs) {
  marks.Begin(lines, metrics, 0, 37);  // on Ｂ
  ASSERT_TRUE(marks.Present());
  ASSERT_TRUE(marks.Extend(lines, metrics, 2, 35));  // on Ｊ
  ASSERT_EQ(marks.UsedCount(), 3u);
  std::string expected = Sjis("BCD") + Sjis("EFGH") + "\r\n" + Sjis("I");
  EXPECT_EQ(marks.Extract(lines, metrics), expected.size());
  EXPECT_EQ(marks.JoinedText(), expected);
  EXPECT_EQ(Leading(64), expected);
}

// A range of text positions marks what a drag over those characters marks, across a wrap:
// ＣＤＥＦ are the bytes 4 to 11 of the first paragraph.
TEST_F(MarkDrag, RangeOfPositionsMarksItsCharacters) {
  ASSERT_TRUE(marks.MarkRange(lines, metrics, 4, 12));
  marks.Extract(lines, metrics);
  EXPECT_EQ(marks.JoinedText(), Sjis("CD") + Sjis("EF"));
  ASSERT_TRUE(marks.MarkRange(lines, metrics, 18, 20));  // Ｉ, after the newline code
  marks.Extract(lines, metrics);
  EXPECT_EQ(marks.JoinedText(), Sjis("I"));
  EXPECT_FALSE(marks.MarkRange(lines, metrics, 3, 5));     // not where a character begins
  EXPECT_FALSE(marks.MarkRange(lines, metrics, 40, 42));   // beyond the held lines
  EXPECT_FALSE(marks.Present());
}

TEST_F(MarkDrag, UpwardDragReadsTopToBottom) {
  marks.Begin(lines, metrics, 2, 35);
  ASSERT_TRUE(marks.Extend(lines, metrics, 0, 37));
  std::string expected = Sjis("BCD") + Sjis("EFGH") + "\r\n" + Sjis("I");
  marks.Extract(lines, metrics);
  EXPECT_EQ(marks.JoinedText(), expected);
  EXPECT_EQ(Leading(64), expected);
}

TEST_F(MarkDrag, SameLineAndShrinkingDragsClearWhatTheyLeave) {
  marks.Begin(lines, metrics, 0, 60);  // on Ｃ: edge 47
  ASSERT_TRUE(marks.Extend(lines, metrics, 2, 100));
  ASSERT_TRUE(marks.Extend(lines, metrics, 0, 20));  // back on the anchor line, left of it
  ASSERT_EQ(marks.UsedCount(), 3u);
  EXPECT_EQ(marks.All()[0].left, 15);
  EXPECT_EQ(marks.All()[0].right, 47);
  EXPECT_EQ(marks.All()[1].row, 1);
  EXPECT_EQ(marks.All()[1].left, 0);
  EXPECT_EQ(marks.All()[2].right, 0);
  EXPECT_EQ(marks.Extract(lines, metrics), 4u);
  EXPECT_EQ(marks.JoinedText(), Sjis("AB"));

  marks.End();
  EXPECT_FALSE(marks.Extend(lines, metrics, 2, 100));  // released: no more changes
  marks.Begin(lines, metrics, 7, 20);                   // below the text: nothing marked
  EXPECT_FALSE(marks.Present());
  EXPECT_FALSE(marks.Extend(lines, metrics, 0, 20));
  EXPECT_EQ(marks.Extract(lines, metrics), 0u);
}

TEST_F(MarkDrag, LeadingCopyFitsTheBufferAndStopsAtALineWithoutText) {
  marks.Begin(lines, metrics, 0, 37);
  marks.Extend(lines, metrics, 2, 35);
  marks.Extract(lines, metrics);
  EXPECT_EQ(Leading(1), "");
  EXPECT_EQ(Leading(2), "");  // one byte of room: half of Ｂ would be no character
  EXPECT_EQ(Leading(6), Sjis("BC"));
  EXPECT_EQ(Leading(7), Sjis("BCD"));
  EXPECT_EQ(marks.CopyLeading(nullptr, 10), 0);

  // A middle line whose marked part holds no text ends the leading copy, not the joined text.
  LineList withGap;
  std::vector<LineRecord> three(3);
  three[0].runs.push_back(MakeRun("ab", 0, true, false));
  three[1].gaiji.push_back(GaijiSlot{0xA121, 0, true, kDefaultTextColour});
  three[2].runs.push_back(MakeRun("cd", 0, true, false));
  for (LineRecord& line : three) line.continuation = true;
  withGap.Assign(std::move(three), 0);
  marks.Begin(withGap, metrics, 0, 0);
  ASSERT_TRUE(marks.Extend(withGap, metrics, 2, 100));
  EXPECT_EQ(marks.Extract(withGap, metrics), 4u);
  EXPECT_EQ(marks.JoinedText(), "abcd");
  EXPECT_EQ(Leading(64), "ab");
}

// One paragraph a line: Ａ, Ｂ, ... Ｚ, Ａ, ...
TEST(MarkReach, DragStopsSeventyFiveLinesFromItsAnchor) {
  Text t;
  for (int i = 0; i < 100; ++i) {
    const char letter[] = {static_cast<char>('A' + i % 26), '\0'};
    t.Wide(letter).Newline();
  }
  std::vector<LineRecord> built;
  Metrics metrics;
  HeldText held{t.Data().data(), 0, t.Size()};
  BuildLines(held, 0, t.Size() - 1, metrics, 400, &built);
  LineList lines;
  lines.Assign(std::move(built), 0);
  MarkSelection marks;
  marks.Begin(lines, metrics, 80, 0);
  EXPECT_FALSE(marks.Extend(lines, metrics, 5, 0));
  EXPECT_TRUE(marks.Extend(lines, metrics, 6, 0));
  EXPECT_EQ(marks.UsedCount(), 75u);
  EXPECT_FALSE(marks.Extend(lines, metrics, 155, 0));  // not held either way
  EXPECT_EQ(marks.Extract(lines, metrics), 74u * 4);   // each whole line: a letter and CR LF

  // Down from line 50, then back up past it: the segments of the downward part that stay in
  // use come after the upward ones, yet the text still reads top to bottom.
  marks.Begin(lines, metrics, 50, 100);
  ASSERT_TRUE(marks.Extend(lines, metrics, 60, 100));
  ASSERT_TRUE(marks.Extend(lines, metrics, 48, 0));
  EXPECT_EQ(marks.UsedCount(), 11u);
  marks.Extract(lines, metrics);
  EXPECT_EQ(marks.JoinedText(), Sjis("W") + "\r\n" + Sjis("X") + "\r\n" + Sjis("Y") + "\r\n");
}

TEST(MarkReach, LongLineIsExtractedWhole) {
  LineRecord line;
  for (int i = 0; i < 32; ++i) line.runs.push_back(MakeRun(std::string(127, 'a' + i % 26), i * 127 * 8, true, false));
  LineList lines;
  lines.Assign({line}, 0);
  MarkSelection marks;
  Metrics metrics;
  marks.Begin(lines, metrics, 0, 0);
  ASSERT_TRUE(marks.Extend(lines, metrics, 0, 1 << 20));
  ASSERT_EQ(marks.Extract(lines, metrics), 32u * 127);
  EXPECT_EQ(marks.JoinedText().substr(32 * 127 - 3), std::string(3, 'a' + 31 % 26));
}

}  // namespace
}  // namespace calvetta
