#include "LineBuilder.h"

#include <gtest/gtest.h>

#include "MemorySource.h"

namespace calvetta {
namespace {

using layouttest::Text;

constexpr uint16_t kA = 0x2422;      // あ
constexpr uint16_t kI = 0x2424;      // い
constexpr uint16_t kSmallA = 0x2421;  // ぁ

std::vector<LineRecord> Build(const Text& text, int32_t usable = 1000, int32_t boldExtra = 0, int32_t a = 0) {
  Metrics metrics;
  metrics.boldExtra = boldExtra;
  HeldText held{text.Data().data(), 0, text.Size()};
  std::vector<LineRecord> lines;
  BuildLines(held, a, text.Size() - 1, metrics, usable, &lines);
  return lines;
}

std::string Jis(std::initializer_list<uint16_t> codes) {
  std::string s;
  for (uint16_t c : codes) {
    s += static_cast<char>(c >> 8);
    s += static_cast<char>(c & 0xFF);
  }
  return s;
}

// --- Characters, narrow text, keywords ----------------------------------------------------------

TEST(LineBuilderText, NarrowTextBecomesAsciiAndLargeKanaSmall) {
  Text t;
  t.Code({0x1F, 0x04}).Wide("AB1").Jis(kA).Code({0x1F, 0x05}).Jis(kA).Newline();
  auto lines = Build(t);
  ASSERT_EQ(lines.size(), 1u);
  const auto& runs = lines[0].runs;
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].text, "AB1");
  EXPECT_TRUE(runs[0].narrow);
  EXPECT_EQ(runs[0].x, 0);
  EXPECT_EQ(runs[1].text, Jis({kSmallA}));
  EXPECT_FALSE(runs[1].narrow);
  EXPECT_EQ(runs[1].x, 24);  // three half-width characters
  EXPECT_EQ(runs[2].text, Jis({kA}));  // outside narrow text the kana stays large
  EXPECT_EQ(runs[2].x, 40);
  EXPECT_EQ(SmallKana(0x256F), 0x256E);
  EXPECT_EQ(SmallKana(0x2423), 0x2423);
  EXPECT_EQ(SmallKana(0x3022), 0x3022);
}

TEST(LineBuilderText, KeywordIsBoldAndWidened) {
  Text t;
  t.Code({0x1F, 0x41, 0x01, 0x00}).Jis(kA).Code({0x1F, 0x04}).Wide("A").Code({0x1F, 0x05, 0x1F, 0x61}).Jis(kI).Newline();
  auto lines = Build(t, 1000, 2);
  ASSERT_EQ(lines.size(), 1u);
  const auto& runs = lines[0].runs;
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_TRUE(runs[0].bold);
  EXPECT_TRUE(runs[1].bold);
  EXPECT_EQ(runs[1].x, 20);  // full-width + 2 x bold extra
  EXPECT_FALSE(runs[2].bold);
  EXPECT_EQ(runs[2].x, 30);  // half-width + bold extra
}

// What books mark with 1F E0 (freepwing's type faces): 0003 bold, widened as a keyword is, 0001
// italic; an argument no book uses is plain text; 1F E1 ends either.
TEST(LineBuilderText, DecorationsAreBoldOrItalicAsTheBookMarksThem) {
  Text t;
  t.Code({0x1F, 0xE0, 0x00, 0x03}).Jis(kA).Code({0x1F, 0xE1}).Jis(kI);
  t.Code({0x1F, 0xE0, 0x00, 0x01}).Jis(kA).Code({0x1F, 0xE1, 0x1F, 0xE0, 0x00, 0x09}).Jis(kI).Newline();
  auto lines = Build(t, 1000, 2);
  ASSERT_EQ(lines.size(), 1u);
  const auto& runs = lines[0].runs;
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_TRUE(runs[0].bold);
  EXPECT_FALSE(runs[0].emphasis);
  EXPECT_EQ(runs[1].x, 20);  // full-width + 2 x bold extra
  EXPECT_FALSE(runs[1].bold || runs[1].emphasis);
  EXPECT_TRUE(runs[2].emphasis);
  EXPECT_FALSE(runs[2].bold);
  EXPECT_EQ(runs[3].x, 20 + 16 + 16);
  EXPECT_FALSE(runs[3].bold || runs[3].emphasis);
  EXPECT_TRUE(runs[3].decoration1);  // still recorded
}

TEST(LineBuilderText, TextStartingInsideAKeywordIsBoldOnlyAtTheFetchPosition) {
  Text t;
  t.Jis(kA).Code({0x1F, 0x61}).Jis(kI).Newline();
  auto lines = Build(t);
  ASSERT_EQ(lines[0].runs.size(), 2u);
  EXPECT_TRUE(lines[0].runs[0].bold);
  EXPECT_FALSE(lines[0].runs[1].bold);

  Text later;
  later.Jis(kI).Newline().Jis(kA).Code({0x1F, 0x61}).Newline();
  auto from4 = Build(later, 1000, 0, 4);
  ASSERT_EQ(from4.size(), 1u);
  EXPECT_FALSE(from4[0].runs[0].bold);

  Text keywordFirst;
  keywordFirst.Jis(kA).Code({0x1F, 0x41, 0x01, 0x00}).Jis(kI).Code({0x1F, 0x61}).Newline();
  EXPECT_FALSE(Build(keywordFirst)[0].runs[0].bold);
}

TEST(LineBuilderText, ExternalCharactersTakeSlots) {
  Text t;
  t.Jis(0xA121).Code({0x1F, 0x04}).Jis(0xB021).Code({0x1F, 0x05}).Jis(kA).Newline();
  auto lines = Build(t);
  const auto& g = lines[0].gaiji;
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[0].code, 0xA121);
  EXPECT_TRUE(g[0].fullWidth);
  EXPECT_EQ(g[1].x, 16);
  EXPECT_FALSE(g[1].fullWidth);
  EXPECT_EQ(lines[0].runs[0].x, 24);
}

TEST(LineBuilderText, PairsWithZeroBytesStandAsBlanksAndRunsCloseAt127Bytes) {
  Text t;
  t.Code({0x00, 0x00}).Jis(kA, 70).Code({0x1F, 0x04}).Wide(std::string(130, '7').c_str()).Code({0x1F, 0x05}).Newline();
  auto lines = Build(t, 100000);
  const auto& runs = lines[0].runs;
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_EQ(runs[0].text.substr(0, 2), "\x21\x21");
  EXPECT_EQ(runs[0].text.size(), 126u);
  EXPECT_EQ(runs[1].text.size(), 16u);
  EXPECT_EQ(runs[1].x, 63 * 16);
  EXPECT_EQ(runs[2].text, std::string(127, '7'));
  EXPECT_EQ(runs[3].text, "777");
  EXPECT_EQ(runs[3].x, 71 * 16 + 127 * 8);
}

// --- Control codes ------------------------------------------------------------------------------

TEST(LineBuilderCodes, AttributesAreRecordedOnRuns) {
  Text t;
  t.Code({0x1F, 0x06}).Jis(kA).Code({0x1F, 0x07, 0x1F, 0x0E}).Jis(kA).Code({0x1F, 0x0F, 0x1F, 0x12}).Jis(kA);
  t.Code({0x1F, 0x13, 0x1F, 0xE0, 0, 1}).Jis(kA).Code({0x1F, 0xE1, 0x1F, 0xE2, 0, 0}).Jis(kA);
  t.Code({0x1F, 0xE3, 0x1F, 0x99}).Jis(kA).Newline();
  auto built = Build(t);
  const auto& runs = built[0].runs;
  ASSERT_EQ(runs.size(), 6u);
  EXPECT_EQ(runs[0].vertical, Vertical::kLowered);
  EXPECT_EQ(runs[1].vertical, Vertical::kRaised);
  EXPECT_TRUE(runs[2].emphasis);
  EXPECT_TRUE(runs[3].decoration1);
  EXPECT_TRUE(runs[4].decoration2);
  EXPECT_EQ(runs[5].text, Jis({kA}));  // 1F 99 is skipped as two bytes
  EXPECT_EQ(runs[5].x, 80);
  for (const auto& r : {runs[5]}) EXPECT_FALSE(r.emphasis || r.decoration1 || r.decoration2);
}

TEST(LineBuilderCodes, SkippedStretches) {
  Text t;
  t.Jis(kA).Code({0x1F, 0x14}).Jis(kI, 3).Code({0x1F, 0x15}).Jis(kA).Newline();
  auto lines = Build(t);
  // The characters on both sides of the stretch stand in runs of their own, each knowing where
  // its first character lies: あ at 0, the second あ after 1F 14, いいい and 1F 15.
  ASSERT_EQ(lines[0].runs.size(), 2u);
  EXPECT_EQ(lines[0].runs[0].text + lines[0].runs[1].text, Jis({kA, kA}));
  EXPECT_EQ(lines[0].runs[1].start - lines[0].runs[0].start, 12);
  EXPECT_GT(lines[0].runs[1].x, lines[0].runs[0].x);  // drawn on from the first
  Text open;  // no end within 128 bytes: 128 bytes go
  open.Code({0x1F, 0x14}).Jis(kI, 63).Jis(kA, 2).Newline();
  EXPECT_EQ(Build(open)[0].runs[0].text, Jis({kA, kA}));
}

TEST(LineBuilderCodes, IndentFromCodeAndFromBeforeTheRange) {
  Text t;
  t.Jis(kA).Code({0x1F, 0x09, 0x00, 0x03}).Jis(kA).Newline().Code({0x1F, 0x09, 0x01, 0x09}).Jis(kA).Newline();
  t.Code({0x1F, 0x09, 0x00, 0x00}).Jis(kA).Newline();
  auto lines = Build(t);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].indent, 48);  // the code sets the current line too
  EXPECT_EQ(lines[1].indent, 96);  // 9 is more than 6
  EXPECT_EQ(lines[2].indent, 0);
  EXPECT_EQ(Build(t, 1000, 0, 6)[0].indent, 48);  // from the last 1F 09 before the range
  Text none;
  none.Jis(kA).Newline();
  EXPECT_EQ(Build(none)[0].indent, 16);
}

TEST(LineBuilderCodes, NewlinesAndEndCodes) {
  Text t;
  t.Jis(kA).Newline().Jis(kI).Newline().Code({0x1F, 0x03}).Jis(kA).Newline();
  auto lines = Build(t);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].start, 0);
  EXPECT_EQ(lines[0].end, 3);
  EXPECT_EQ(lines[1].start, 4);
  EXPECT_EQ(lines[1].end, 9);  // through the end code
  EXPECT_EQ(lines[1].endMark, EndMark::kEndsEntry);

  Text bare;
  bare.Jis(kA).Newline().Jis(kI).Code({0x1F, 0x03}).Jis(kA).Newline();
  lines = Build(bare);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].end, 5);
  EXPECT_EQ(lines[1].endMark, EndMark::kEndsEntry);

  Text begin;
  begin.Jis(kA).Newline().Jis(kA).Code({0x1F, 0x02}).Jis(kI).Newline();
  lines = Build(begin);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].start, 8);
  EXPECT_EQ(lines[0].endMark, EndMark::kBeginsEntry);
  EXPECT_EQ(lines[0].runs[0].text, Jis({kI}));

  Text open;  // the line in progress at the end of the range is not kept
  open.Jis(kA).Newline().Jis(kI, 2);
  EXPECT_EQ(Build(open).size(), 1u);
}

TEST(LineBuilderCodes, ReferenceGraphicAndSoundSlots) {
  Text t;
  t.Jis(kA).Code({0x1F, 0x42}).Jis(kI).Code({0x1F, 0x62, 0, 0, 0, 2, 0, 0x10}).Jis(kA);
  t.Code({0x1F, 0x44, 0, 0, 0, 0, 0, 0x16, 0, 0, 0, 0x16}).Jis(kI).Code({0x1F, 0x64, 0, 0, 0, 3, 0, 0}).Jis(kA);
  t.Code({0x1F, 0x4D, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0}).Jis(kI).Code({0x1F, 0x6D});
  t.Code({0x1F, 0x4A, 0, 1, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0, 0, 5, 0, 0x20}).Code({0x1F, 0x6A});
  t.Code({0x1F, 0x48, 3, 0, 1, 0x30, 0, 0, 0, 0x15, 0, 0}).Jis(kA).Code({0x1F, 0x68}).Jis(kA).Newline();
  auto lines = Build(t);
  ASSERT_EQ(lines.size(), 1u);
  const LineRecord& line = lines[0];
  ASSERT_EQ(line.links.size(), 5u);
  EXPECT_EQ(line.links[0].kind, LinkKind::kReference);
  EXPECT_EQ(line.links[0].x, 16);
  EXPECT_EQ(line.links[0].width, 16);
  EXPECT_EQ(line.links[0].length, 12u);  // 1F 42, anchor, 1F 62 and its 6 bytes
  EXPECT_EQ(static_cast<uint8_t>(line.links[0].code[9]), 2);
  EXPECT_EQ(line.links[0].code[12], 0);
  EXPECT_EQ(line.links[1].kind, LinkKind::kGraphic);
  EXPECT_EQ(line.links[1].length, 22u);  // through 1F 64 and its position
  EXPECT_EQ(line.links[2].length, 24u);  // 1F 4D .. 1F 6D
  EXPECT_EQ(line.links[3].kind, LinkKind::kSound);
  EXPECT_EQ(line.links[3].length, 20u);  // 1F 4A .. 1F 6A
  EXPECT_EQ(line.links[4].length, 16u);  // 1F 48 .. 1F 68
  ASSERT_EQ(line.icons.size(), 4u);
  EXPECT_EQ(line.icons[0].bitmapId, kIconGraphic);
  EXPECT_EQ(line.icons[0].x, 48);
  EXPECT_EQ(line.icons[1].bitmapId, kIconColourGraphic);
  EXPECT_EQ(line.icons[2].bitmapId, kIconSound);
  EXPECT_EQ(line.icons[3].bitmapId, kIconSound);
  // Colours: reference blue, caption red, default after the end codes.
  ASSERT_EQ(line.runs.size(), 8u);
  EXPECT_EQ(line.runs[1].colour, kReferenceColour);
  EXPECT_EQ(line.runs[2].colour, kDefaultTextColour);
  EXPECT_EQ(line.runs[3].colour, kGraphicColour);
  EXPECT_EQ(line.runs[3].x, 64);  // after the icon
  EXPECT_EQ(line.runs[5].colour, kGraphicColour);
  EXPECT_EQ(line.runs[6].colour, kSoundColour);
  EXPECT_EQ(line.runs[7].colour, kDefaultTextColour);
}

TEST(LineBuilderCodes, ReferenceOfTheSecondKindIsALinkToo) {
  Text t;  // the end code's six position bytes are arguments, never characters
  t.Code({0x1F, 0x43}).Jis(kI).Code({0x1F, 0x63, 0, 0, 0, 2, 0, 0x10}).Jis(kA).Newline();
  auto lines = Build(t);
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(lines[0].links.size(), 1u);
  EXPECT_EQ(lines[0].links[0].kind, LinkKind::kReference);
  EXPECT_EQ(lines[0].links[0].length, 12u);  // 1F 43, anchor, 1F 63 and its 6 bytes
  ASSERT_EQ(lines[0].runs.size(), 2u);
  EXPECT_EQ(lines[0].runs[0].colour, kReferenceColour);
  EXPECT_EQ(lines[0].runs[1].text, Jis({kA}));
  EXPECT_EQ(lines[0].runs[1].colour, kDefaultTextColour);
  EXPECT_TRUE(lines[0].gaiji.empty());
}

TEST(LineBuilderCodes, LinkCopiesStayInTheBlock) {
  Text t;
  t.Code({0x1F, 0x42}).Jis(kI, 70).Code({0x1F, 0x62, 0, 0, 0, 2, 0, 0}).Newline();
  auto lines = Build(t, 100000);
  EXPECT_EQ(lines[0].links[0].length, 128u);
  EXPECT_EQ(lines[0].links[0].code[128], 0);
  Text shortText;  // the held text ends inside the block
  shortText.Jis(kA).Code({0x1F, 0x44, 0, 0}).Newline();
  lines = Build(shortText);
  EXPECT_EQ(lines.size(), 0u);  // the code's arguments swallow the newline
}

// --- Wrapping and slot limits -------------------------------------------------------------------

TEST(LineBuilderWrap, WrapsAtTheUsableWidthAndKeepsAttributes) {
  Text t;  // usable 80 with indent 16: four full-width characters per line
  t.Code({0x1F, 0x41, 0x01, 0x00}).Jis(kA, 6).Code({0x1F, 0x61}).Jis(kI, 3).Newline();
  auto lines = Build(t, 80);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].start, 0);
  EXPECT_EQ(lines[0].end, 11);
  EXPECT_FALSE(lines[0].continuation);
  EXPECT_EQ(lines[1].start, 12);  // the wrapped character is the continuation line's first
  EXPECT_TRUE(lines[1].continuation);
  EXPECT_EQ(lines[1].indent, 16);
  EXPECT_TRUE(lines[1].runs[0].bold);
  EXPECT_EQ(lines[1].runs[0].text, Jis({kA, kA}));
  EXPECT_EQ(lines[1].runs[1].text, Jis({kI, kI}));
  EXPECT_EQ(lines[2].runs[0].text, Jis({kI}));
  EXPECT_EQ(lines[2].end, 25);
}

TEST(LineBuilderWrap, NarrowTextWrapsOnFullWidthPlusBoldExtra) {
  Text t;
  t.Code({0x1F, 0x04}).Wide("ABCDEFGH").Code({0x1F, 0x05}).Newline();
  auto lines = Build(t, 80);  // 64 usable: a narrow character needs 16 free
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].runs[0].text, "ABCDEFG");
  EXPECT_EQ(lines[1].runs[0].text, "H");
}

TEST(LineBuilderWrap, ANarrowWindowStillPlacesOneCharacterPerLine) {
  Text t;
  t.Jis(kA, 3).Newline();
  auto lines = Build(t, 8);
  ASSERT_EQ(lines.size(), 3u);
  for (const auto& line : lines) EXPECT_EQ(line.runs.size(), 1u);
}

TEST(LineBuilderWrap, MediaWrapAndAReferenceAcrossTwoLines) {
  Text t;
  t.Jis(kA, 4).Code({0x1F, 0x42}).Jis(kI, 5).Code({0x1F, 0x62, 0, 0, 0, 2, 0, 0}).Newline();
  auto lines = Build(t, 80);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_TRUE(lines[0].links.empty());  // the line was full: the reference opens the next one
  ASSERT_EQ(lines[1].links.size(), 1u);
  EXPECT_EQ(lines[1].start, 8);
  EXPECT_TRUE(lines[1].continuation);
  EXPECT_EQ(lines[1].links[0].x, 0);
  EXPECT_EQ(lines[1].runs[0].colour, kReferenceColour);
  EXPECT_TRUE(lines[2].links.empty());  // the rest of the anchor: blue, without a slot
  EXPECT_EQ(lines[2].runs[0].colour, kReferenceColour);
  EXPECT_EQ(lines[2].runs[0].text, Jis({kI}));
}

TEST(LineBuilderWrap, FullSlotsWrapTheLineEarly) {
  Text gaiji;
  gaiji.Jis(0xA121, 40).Newline();
  auto lines = Build(gaiji, 100000);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].gaiji.size(), 32u);
  EXPECT_EQ(lines[1].gaiji.size(), 8u);
  EXPECT_EQ(lines[1].start, 64);
  EXPECT_TRUE(lines[1].continuation);

  Text runs;  // alternating narrow and wide characters: one run each
  for (int i = 0; i < 20; ++i) runs.Code({0x1F, 0x04}).Wide("A").Code({0x1F, 0x05}).Jis(kA);
  runs.Newline();
  lines = Build(runs, 100000);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].runs.size(), 32u);
  EXPECT_EQ(lines[1].runs.size(), 8u);
  EXPECT_EQ(lines[1].runs[0].text, "A");

  Text links;
  for (int i = 0; i < 33; ++i) links.Code({0x1F, 0x44, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x1F, 0x64, 0, 0, 0, 3, 0, 0});
  links.Newline();
  lines = Build(links, 100000);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].icons.size(), 32u);
  EXPECT_EQ(lines[0].links.size(), 32u);
  EXPECT_EQ(lines[1].icons.size(), 1u);
  EXPECT_EQ(lines[1].icons[0].x, 0);
}

TEST(LineBuilderWrap, RangesLongerThanTheLimitAreRefused) {
  std::vector<uint8_t> bytes(0x9000, 0x24);
  HeldText held{bytes.data(), 0, static_cast<int32_t>(bytes.size())};
  std::vector<LineRecord> lines(1);
  EXPECT_EQ(BuildLines(held, 0, 0x8001, Metrics(), 1000, &lines), RangeEnd::kTooLong);
  EXPECT_TRUE(lines.empty());
}

}  // namespace
}  // namespace calvetta
