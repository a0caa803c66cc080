// Opening real books through the exported functions: books from a third-party authoring tool,
// the book made with freepwing and our own sample book. The Windows build runs this against
// Dunmoor.dll loaded by name.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "DunmoorApi.h"
#include "TestFiles.h"

namespace {

namespace fs = std::filesystem;

class Exports : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string missing;
    ASSERT_TRUE(BindDunmoor(&api, &missing)) << "cannot bind " << missing;
  }
  void TearDown() override {
    if (api.epwBooksClose) api.epwBooksClose();
    if (api.CloseEpwing) api.CloseEpwing();
  }

  static std::string Root(const fs::path& path) { return fs::path(path).make_preferred().string(); }

  // Opens the disc, checks the first usable book's type and title, opens it.
  void ExpectOpens(const fs::path& disc, uint8_t type, const std::string& title) {
    std::string root = Root(disc);
    char found[81] = {};
    ASSERT_EQ(api.IsEpwBook(root.c_str(), found), 1) << root;
    EXPECT_EQ(std::string(found), title);
    ASSERT_EQ(api.OpenEpwing(root.c_str()), 1) << root;
    EXPECT_EQ(api.epwGetBooks(), 1);
    char buffer[81];
    std::memset(buffer, 'x', sizeof buffer);
    BookInfo info{0xFF, buffer};
    ASSERT_EQ(api.epwGetBookInfo(0, &info), 1);
    EXPECT_EQ(info.type, type);
    EXPECT_EQ(std::string(buffer), title);
    EXPECT_EQ(buffer[80], '\0');
    EXPECT_EQ(api.epwBooksOpen(), 1) << root;
    api.epwBooksClose();
    api.CloseEpwing();
  }

  DunmoorApi api;
};

// Titles as stored: JIS X 0208 bytes.
const std::string kTest = "\x23\x54\x23\x45\x23\x53\x23\x54";       // ＴＥＳＴ
const std::string kChimei = "\x43\x4F\x4C\x3E";                     // 地名
const std::string kJisyo = "\x23\x4A\x23\x49\x23\x53\x23\x59\x23\x4F";  // ＪＩＳＹＯ

TEST_F(Exports, OpenTheThirdPartyBooks) {
  ExpectOpens(testfiles::SharedBook("two-books"), 0x20, kTest);
  ExpectOpens(testfiles::SharedBook("gaiji-book"), 0x20, kJisyo);
}

TEST_F(Exports, EachBookOfTheTwoBookDiscOpensWhenSelected) {
  std::string root = Root(testfiles::SharedBook("two-books"));
  ASSERT_EQ(api.OpenEpwing(root.c_str()), 1);
  char title[81];
  BookInfo info{0, title};
  ASSERT_EQ(api.epwGetBookInfo(1, &info), 1);
  EXPECT_EQ(std::string(title), kChimei);
  EXPECT_EQ(api.epwGetBookInfo(2, &info), -1);
  EXPECT_EQ(api.epwSelectBook(1), 1);  // already usable: the first usable book still opens
  EXPECT_EQ(api.epwBooksOpen(), 1);
}

TEST_F(Exports, CompressedTextFilesDoNotOpen) {
  std::string root = Root(testfiles::SharedBook("two-books-ebzip"));
  char title[81];
  EXPECT_EQ(api.IsEpwBook(root.c_str(), title), 1);
  ASSERT_EQ(api.OpenEpwing(root.c_str()), 1);
  EXPECT_EQ(api.epwBooksOpen(), -1);
  EXPECT_EQ(api.epwGetBooks(), 1);  // the catalog stays
}

TEST_F(Exports, BadArgumentsGetFailureResults) {
  char title[81] = "same";
  EXPECT_EQ(api.IsEpwBook("", title), -1);
  EXPECT_EQ(api.IsEpwBook("x", title), -1);
  EXPECT_EQ(api.IsEpwBook(nullptr, title), -1);
  EXPECT_STREQ(title, "same");
  EXPECT_EQ(api.OpenEpwing(nullptr), -1);
  EXPECT_EQ(api.OpenEpwing(std::string(300, 'a').c_str()), -1);
  EXPECT_EQ(api.epwGetBooks(), -1);
  EXPECT_EQ(api.epwBooksOpen(), -1);
  BookInfo info{0, title};
  EXPECT_EQ(api.epwGetBookInfo(0, &info), -1);
  EXPECT_EQ(api.epwSelectBook(0), -1);
  api.epwBooksClose();
  api.CloseEpwing();
}

TEST_F(Exports, OpenTheFreepwingBook) {
  fs::path disc = testfiles::BuiltBook("freepwing");
  ASSERT_TRUE(fs::exists(disc)) << disc << " is made by the native build";
  // テスト用和英小辞典, type 0x30; every name on that disc is lower case, unlike its catalog.
  const std::string title = "\x25\x46\x25\x39\x25\x48\x4D\x51\x4F\x42\x31\x51\x3E\x2E\x3C\x2D\x45\x35";
  ExpectOpens(disc, 0x30, title);
}

TEST_F(Exports, OpenTheSampleBook) {
  fs::path disc = testfiles::BuiltBook("sample");
  ASSERT_TRUE(fs::exists(disc)) << disc << " is made by the native build";
  std::string root = Root(disc);
  ASSERT_EQ(api.OpenEpwing(root.c_str()), 1);
  EXPECT_EQ(api.epwBooksOpen(), 1);
}

}  // namespace
