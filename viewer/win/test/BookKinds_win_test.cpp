// Brisvane.exe on the kinds of disc users own: a general book (type 0x60, made with freepwing),
// the second book of a two-book disc remembered as "Curbook", a disc whose first record is not
// a usable book, and a disc whose text files are compressed.
#include "SearchFixture.h"

namespace viewertest {
namespace {

struct BookCase {
  const char* name;
  std::filesystem::path (*root)();
  int32_t index;            // "Curbook", -1: none
  const wchar_t* title;     // the caption after "DUDAZA Zorari - "
  const wchar_t* word;
  int hits;
};

void PrintTo(const BookCase& c, std::ostream* out) { *out << c.name; }

std::filesystem::path TwoBooks() { return testfiles::SharedBook("two-books"); }
std::filesystem::path Compressed() { return testfiles::SharedBook("two-books-ebzip"); }
std::filesystem::path Freepwing() { return testfiles::BuiltBook("freepwing"); }
std::filesystem::path CompressedSample() { return testfiles::BuiltBook("sample-ebz3"); }
std::filesystem::path FirstUnusable() { return {}; }  // made by the test

class BookKindsTest : public SearchRoadTest, public ::testing::WithParamInterface<BookCase> {
 protected:
  std::filesystem::path BookRoot() const override {
    return GetParam().root == &FirstUnusable ? disc : GetParam().root();
  }
  int32_t BookIndex() const override { return GetParam().index; }

  void SetUp() override {
    if (GetParam().root == &FirstUnusable) {
      // The two-book disc with its first record's type made unusable (0x01).
      testfiles::CopyTree(TwoBooks(), copy.Path() / "disc");
      testfiles::Bytes catalog = testfiles::ReadFile(copy.Path() / "disc" / "CATALOGS");
      ASSERT_GT(catalog.size(), 16u);
      catalog[16] = 0x01;
      testfiles::WriteFile(copy.Path() / "disc" / "CATALOGS", catalog);
      disc = copy.Path() / "disc";
    }
    SearchRoadTest::SetUp();
  }

  testfiles::TempDir copy;
  std::filesystem::path disc;
};

TEST_P(BookKindsTest, OpensShowsItsTitleAndFinds) {
  EXPECT_EQ(WindowText(frame), std::wstring(L"DUDAZA Zorari - ") + GetParam().title);
  EXPECT_EQ(viewer.FindTopWindow(L"#32770"), nullptr) << "a message on opening";
  Search(GetParam().word);
  EXPECT_EQ(WaitForHits(), GetParam().hits);
  Drain();
  SaveWindowShot(frame, std::string("book-kind-") + GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Discs, BookKindsTest,
    ::testing::Values(BookCase{"general", &Freepwing, -1, L"テスト用和英小辞典", L"愛", 1},
                      BookCase{"second", &TwoBooks, 1, L"地名", L"TOKYO", 1},
                      BookCase{"first_unusable", &FirstUnusable, -1, L"地名", L"TOKYO", 1},
                      BookCase{"gone_index", &TwoBooks, 7, L"ＴＥＳＴ", L"THIS", 1},
                      BookCase{"compressed", &Compressed, 1, L"地名", L"TOKYO", 1},
                      BookCase{"compressed_sample", &CompressedSample, -1, L"和英サンプル辞典", L"はし", 3}),
    [](const ::testing::TestParamInfo<BookCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace viewertest
