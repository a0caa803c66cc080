// The catalog and book-opening stage on discs made by our book builder: several books in one
// catalog, names whose case differs between catalog and disc, and damaged files.
#include <gtest/gtest.h>

#include "BookBuild.h"
#include "Library.h"
#include "TestFiles.h"

namespace {

using dunmoor::Library;

class BuiltDisc : public ::testing::Test {
 protected:
  void Build(const std::string& source) {
    bookbuild::BuildStatus status = bookbuild::BuildDisc(source, root.Str(), &map);
    ASSERT_TRUE(status.ok) << status.message;
  }

  testfiles::TempDir root;
  bookbuild::LayoutMap map;
};

const char kThreeBooks[] = R"(
book MENUONLY
  type 0x01
  title 使えない本
book EIWA
  type 0x20
  title 英和
  index alpha id=0x92 layout=fixed:16
  entry apple
    key alpha apple
    text
<kw>apple</kw>
end
book WAEI
  type 0x30
  title 和英
  index kana id=0x90 layout=group
  index asis id=0x91
  entry ringo
    key kana りんご
    key asis 林檎
    text
<kw>りんご</kw>
end
)";

TEST_F(BuiltDisc, OpensTheFirstUsableBookOfSeveral) {
  Build(kThreeBooks);
  char title[81];
  ASSERT_EQ(Library::IsEpwBook(root.Str().c_str(), title), kDunmoorSuccess);
  EXPECT_EQ(std::string(title), "\x31\x51\x4F\x42");  // 英和

  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
  ASSERT_EQ(lib.Catalog()->size(), 3u);
  EXPECT_EQ((*lib.Catalog())[0].usable, 0);
  ASSERT_EQ(lib.BooksOpen(), kDunmoorSuccess);
  // The book that opened is EIWA: one alphabet index, where the builder says it starts.
  const auto& indexes = lib.Book()->Indexes();
  ASSERT_EQ(indexes.size(), 1u);
  EXPECT_EQ(indexes[0].Identifier(), 0x92);
  EXPECT_EQ(indexes[0].StartPage(), map.Book("EIWA")->Index("alpha")->startPage);
}

TEST_F(BuiltDisc, DescriptorFieldsAsTheBookWroteThem) {
  Build(R"(
book STYLED
  index kana id=0x90 layout=variable style=101021000000 available=1 convert=3
  entry a
    key kana あ
    text
<kw>あ</kw>
end
)");
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
  ASSERT_EQ(lib.BooksOpen(), kDunmoorSuccess);
  const dunmoor::IndexDescriptor& d = lib.Book()->Indexes().at(0);
  const unsigned expected[12] = {1, 0, 1, 0, 2, 1, 0, 0, 0, 0, 0, 0};
  for (int field = 1; field <= 12; ++field) EXPECT_EQ(d.StyleField(field), expected[field - 1]) << field;
  EXPECT_EQ(d.Availability(), 1);
  EXPECT_EQ(d.ConversionSwitch(), 3);
}

TEST_F(BuiltDisc, NamesOnDiscMayDifferInCaseFromTheCatalog) {
  Build(R"(
catalog-file catalogs
book MixCase
  disk-dir mixcase
  data-dir data
  text-file Honmon
  entry a
    text
あ
end
)");
  Library lib;
  ASSERT_EQ(lib.OpenEpwing(root.Str().c_str()), kDunmoorSuccess);
  EXPECT_EQ(lib.BooksOpen(), kDunmoorSuccess);
}

TEST_F(BuiltDisc, DamagedFilesGiveFailureResults) {
  struct Case {
    const char* what;
    const char* damage;
    int32_t open;   // OpenEpwing
    int32_t books;  // epwBooksOpen
  };
  const Case cases[] = {
      {"catalog header cut", "truncate CATALOGS 10", kDunmoorFailed, kDunmoorFailed},
      {"catalog promises more books than it holds", "patch CATALOGS 0 FF FF", kDunmoorSuccess, kDunmoorSuccess},
      {"every book unusable", "patch CATALOGS 16 01", kDunmoorSuccess, kDunmoorFailed},
      {"text file header cut", "truncate BOOK/DATA/HONMON 8", kDunmoorSuccess, kDunmoorFailed},
      {"descriptor count past the end", "patch BOOK/DATA/HONMON 0 7F FF", kDunmoorSuccess, kDunmoorFailed},
  };
  for (const Case& c : cases) {
    testfiles::TempDir disc;
    std::string source = "book BOOK\n  index asis id=0x91\n  entry a\n    key asis あ\n    text\n<kw>あ</kw>\nend\n  ";
    source += std::string(c.damage) + "\n";
    bookbuild::BuildStatus status = bookbuild::BuildDisc(source, disc.Str(), &map);
    ASSERT_TRUE(status.ok) << c.what << ": " << status.message;
    Library lib;
    EXPECT_EQ(lib.OpenEpwing(disc.Str().c_str()), c.open) << c.what;
    EXPECT_EQ(lib.BooksOpen(), c.books) << c.what;
  }
}

}  // namespace
