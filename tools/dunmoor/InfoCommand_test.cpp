// The command-line reader on books that no one here wrote.
#include "InfoCommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

#include "TestFiles.h"

namespace cli {
namespace {

struct Result {
  int code;
  std::string out;
  std::string err;
};

Result Info(const std::filesystem::path& root) {
  std::ostringstream out, err;
  int code = RunInfo(std::filesystem::path(root).make_preferred().string(), out, err);
  return {code, out.str(), err.str()};
}

TEST(InfoCommand, ListsBothBooksOfTheTwoBookDisc) {
  Result r = Info(testfiles::SharedBook("two-books"));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("  0  0x20  yes     test       ＴＥＳＴ\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("  1  0x20  yes     chimei     地名\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("0x91  page 4"), std::string::npos) << r.out;
}

TEST(InfoCommand, ShowsTheGaijiBookTitle) {
  Result r = Info(testfiles::SharedBook("gaiji-book"));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("JISYO      ＪＩＳＹＯ\n"), std::string::npos) << r.out;
}

TEST(InfoCommand, MarksTheBookReadAndOpensCompressedBooks) {
  Result first = Info(testfiles::SharedBook("two-books-ebzip"));
  ASSERT_EQ(first.code, 0) << first.err;
  EXPECT_NE(first.out.find("*  0  0x20  yes     test "), std::string::npos) << first.out;
  EXPECT_NE(first.out.find("Opened book 0, "), std::string::npos) << first.out;
  std::string lower = first.out;  // the Windows build names the file as the catalog spells it
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  EXPECT_NE(lower.find("honmon.ebz: 3 index descriptors"), std::string::npos) << first.out;
  std::ostringstream out, err;
  EXPECT_EQ(RunInfo(Disc(testfiles::SharedBook("two-books").make_preferred().string(), 1), out, err), 0);
  EXPECT_NE(out.str().find("*  1  0x20  yes     chimei "), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("   0  0x20  yes     test "), std::string::npos) << out.str();
}

TEST(InfoCommand, ACatalogWithoutAUsableBookIsListedAndIsAnError) {
  testfiles::TempDir copy;
  testfiles::CopyTree(testfiles::SharedBook("two-books"), copy.Path());
  testfiles::Bytes catalog = testfiles::ReadFile(copy.Path() / "CATALOGS");
  catalog[16] = catalog[16 + 164] = 0x01;  // neither record is a book type
  testfiles::WriteFile(copy.Path() / "CATALOGS", catalog);
  Result r = Info(copy.Path());
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("   1  0x01  no      chimei "), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("lists no usable book"), std::string::npos) << r.err;
}

TEST(InfoCommand, NoCatalogIsAnError) {
  testfiles::TempDir empty;
  Result r = Info(empty.Path());
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("no catalog (a file named CATALOGS) in "), std::string::npos);
}

TEST(InfoCommand, BooksOfKindsNotReadSayWhatTheyAre) {
  Result compressed = Info(testfiles::BuiltBook("sample-honmon2"));
  EXPECT_EQ(compressed.code, 1);
  EXPECT_NE(compressed.out.find("(a compressed EPWING book (its text file is HONMON2)"), std::string::npos)
      << compressed.out;
  EXPECT_NE(compressed.err.find("book 0 of the catalog at "), std::string::npos) << compressed.err;
  EXPECT_NE(compressed.err.find("is a compressed EPWING book"), std::string::npos) << compressed.err;
  Result eb = Info(testfiles::BuiltBook("sample-eb"));
  EXPECT_EQ(eb.code, 1);
  EXPECT_NE(eb.err.find("is a disc of the EB family (a file CATALOG, not CATALOGS)"), std::string::npos) << eb.err;
  EXPECT_EQ(Info(testfiles::BuiltBook("sample")).err, "");
}

}  // namespace
}  // namespace cli
