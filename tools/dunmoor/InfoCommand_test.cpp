// The command-line reader on books that no one here wrote.
#include "InfoCommand.h"

#include <gtest/gtest.h>

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

TEST(InfoCommand, CompressedBooksAreListedButNotOpened) {
  // This disc's text files are compressed (HONMON.ebz): the catalog reads, no book opens.
  Result r = Info(testfiles::SharedBook("two-books-ebzip"));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("ＴＥＳＴ"), std::string::npos);
  EXPECT_NE(r.out.find("cannot be opened"), std::string::npos);
}

TEST(InfoCommand, NoCatalogIsAnError) {
  testfiles::TempDir empty;
  Result r = Info(empty.Path());
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("no readable catalog"), std::string::npos);
}

}  // namespace
}  // namespace cli
