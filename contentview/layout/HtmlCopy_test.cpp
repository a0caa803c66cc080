#include "HtmlCopy.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "LineBuilder.h"
#include "MemorySource.h"

namespace calvetta {
namespace {

using layouttest::Text;

TEST(HtmlCopy, PiecesBecomeIndentedParagraphsWithTheirLook) {
  CopyPiece headword{"\x82\xA2\x82\xA6"};  // いえ
  headword.bold = true;
  headword.indent = 0;
  CopyPiece text{"a<b & \"c\"\xB1"};  // with half-width ｱ
  CopyPiece reference{"\x95\x94\x89\xAE"};  // 部屋
  reference.reference = true;
  reference.indent = 16;
  CopyPiece mapped, unmapped;
  mapped.external = 0xA121;
  unmapped.external = 0xA122;
  const booktext::GaijiMap map = booktext::GaijiMap::Parse("zA121\tu00E9\n");
  const std::string html =
      HtmlFragment({headword, text, CopyPiece{"\r\n"}, reference, mapped, unmapped, CopyPiece{"\r\n"}}, map);
  EXPECT_EQ(html,
            "<div style=\"margin-left:0px\"><b>\xE3\x81\x84\xE3\x81\x88</b>a&lt;b &amp; &quot;c&quot;\xEF\xBD\xB1</div>"
            "<div style=\"margin-left:16px\"><span style=\"color:#0000ee;text-decoration:underline\">"
            "\xE9\x83\xA8\xE5\xB1\x8B</span>\xC3\xA9\xE3\x80\x93</div>");
  EXPECT_EQ(HtmlFragment({}, map), "");
}

TEST(HtmlCopy, TheEnvelopesOffsetsPointAtTheDocumentAndTheFragment) {
  const std::string fragment = "<b>\xE3\x81\x84</b>";
  const std::string html = ClipboardHtml(fragment);
  auto offset = [&](const char* name) {
    const size_t at = html.find(name);
    EXPECT_NE(at, std::string::npos) << name;
    return static_cast<size_t>(std::stoul(html.substr(at + std::strlen(name), 10)));
  };
  const size_t startHtml = offset("StartHTML:"), endHtml = offset("EndHTML:");
  const size_t startFragment = offset("StartFragment:"), endFragment = offset("EndFragment:");
  EXPECT_EQ(html.compare(startHtml, 6, "<html>"), 0);
  EXPECT_EQ(endHtml, html.size());
  EXPECT_EQ(html.substr(startFragment, endFragment - startFragment), fragment);
  EXPECT_EQ(html.compare(startFragment - 20, 20, "<!--StartFragment-->"), 0);
}

// From laid-out lines: the marks carry the headword's weight and each paragraph's indent.
TEST(HtmlCopy, MarkedLinesKeepTheHeadwordsWeightAndTheIndent) {
  Text t;
  t.Code({0x1F, 0x41, 0x01, 0x00}).Wide("AB").Code({0x1F, 0x61}).Newline();
  t.Code({0x1F, 0x09, 0x00, 0x02}).Wide("CD").Newline();
  std::vector<LineRecord> built;
  HeldText held{t.Data().data(), 0, t.Size()};
  Metrics metrics;
  BuildLines(held, 0, t.Size() - 1, metrics, 400, &built);
  ASSERT_GE(built.size(), 2u);
  LineList lines;
  lines.Assign(std::move(built), 0);
  MarkSelection marks;
  marks.Begin(lines, metrics, 0, 0);
  ASSERT_TRUE(marks.Extend(lines, metrics, 1, 10000));
  marks.Extract(lines, metrics);
  const std::string html = HtmlFragment(marks.JoinedPieces(), {});
  EXPECT_NE(html.find("<b>\xEF\xBC\xA1\xEF\xBC\xA2</b>"), std::string::npos) << html;  // ＡＢ bold
  const int32_t indent = lines.Find(1)->indent;
  EXPECT_GT(indent, lines.Find(0)->indent);
  EXPECT_NE(html.find("<div style=\"margin-left:" + std::to_string(indent) + "px\">\xEF\xBC\xA3\xEF\xBC\xA4"),
            std::string::npos)
      << html;
}

}  // namespace
}  // namespace calvetta
