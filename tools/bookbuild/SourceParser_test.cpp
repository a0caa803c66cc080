#include "SourceParser.h"

#include <gtest/gtest.h>

#include "BookBuild.h"

namespace bookbuild {
namespace {

int ErrorLine(const std::string& source) {
  DiscDef disc;
  BuildStatus status = ParseBookSource(source, &disc);
  if (status.ok) {
    DiscImage image;
    LayoutMap map;
    status = MakeDisc(disc, &image, &map);
  }
  return status.ok ? -1 : status.line;
}

TEST(SourceParser, DefaultsAndOptions) {
  DiscDef disc;
  ASSERT_TRUE(ParseBookSource("# comment\n\n  book abc\n  index k id=0x90 layout=fixed:8 style=010200000000 "
                              "available=1 convert=3 keys=raw per-page=5\n  descriptor id=0x05 page=3\n",
                              &disc).ok);
  ASSERT_EQ(disc.books.size(), 1u);
  const BookDef& book = disc.books[0];
  EXPECT_EQ(disc.catalogFile, "CATALOGS");
  EXPECT_EQ(book.diskDir, "abc");
  EXPECT_EQ(book.dataDir, "DATA");
  EXPECT_EQ(book.textFile, "HONMON");
  EXPECT_EQ(book.gaijiDir, "GAIJI");
  const IndexDef& index = book.indexes.at(0);
  EXPECT_EQ(index.layout, LeafLayout::kFixed);
  EXPECT_EQ(index.fixedLength, 8);
  EXPECT_EQ(index.style[1], 1);
  EXPECT_EQ(index.style[3], 2);
  EXPECT_EQ(index.available, 1);
  EXPECT_EQ(index.convert, 3);
  EXPECT_FALSE(index.normalized);
  EXPECT_EQ(index.perPage, 5);
  ASSERT_EQ(book.descriptors.size(), 2u);
  EXPECT_EQ(book.descriptors[1].kind, DescriptorSlot::kRaw);
}

TEST(SourceParser, ErrorsNameTheSourceLine) {
  EXPECT_EQ(ErrorLine("type 0x00\n"), 1);                                  // outside a book
  EXPECT_EQ(ErrorLine("book a\nfrobnicate\n"), 2);
  EXPECT_EQ(ErrorLine("book toolongname\n"), 1);
  EXPECT_EQ(ErrorLine("book a\nindex k id=0x90 layout=tree\n"), 2);
  EXPECT_EQ(ErrorLine("book a\nindex k id=0x90 style=0000\n"), 2);
  EXPECT_EQ(ErrorLine("book a\ntype 0x100\n"), 2);
  EXPECT_EQ(ErrorLine("book a\nentry x\ntext\nabc\n"), 3);                 // no end
  EXPECT_EQ(ErrorLine("book a\nentry x\nentry x\n"), 3);
  EXPECT_EQ(ErrorLine("book a\nentry x\nentry y\nbook b\nentry y\nentry x\nentry y\n"), 7);
  EXPECT_EQ(ErrorLine("book a\nentry x\nkey nosuch あ\ntext\n<kw>a</kw>\nend\n"), 3);
  EXPECT_EQ(ErrorLine("book a\nindex k id=0x90\nentry x\nkey k あ\ntext\nno keyword\nend\n"), 3);
  EXPECT_EQ(ErrorLine("book a\nentry x\ntext\nok\n<em>\nend\n"), 5);
  EXPECT_EQ(ErrorLine("book a\nglyph wide16 0xA121\n"), 2);                // no font line
  EXPECT_EQ(ErrorLine("book a\npicture p mono\n#######\nend\n"), 2);       // width not a multiple of 8
  EXPECT_EQ(ErrorLine("book a\npicture p color\npalette R=#FF0000\nRX\nend\n"), 2);
  EXPECT_EQ(ErrorLine("book a\nsound s pcm bits=12\n"), 2);
  EXPECT_EQ(ErrorLine("book a\ntitle " + std::string(41 * 3, 'x') + "\n"), 2);  // too long
  EXPECT_EQ(ErrorLine("book a\npatch a/DATA/HONMON 999999 00\n"), 2);      // beyond the file
  EXPECT_EQ(ErrorLine("book a\npatch a/DATA/NOPE 0 00\n"), 2);
  EXPECT_EQ(ErrorLine("book a\ntruncate CATALOGS 999999\n"), 2);
  EXPECT_EQ(ErrorLine(""), 0);                                               // no book at all
}

}  // namespace
}  // namespace bookbuild
