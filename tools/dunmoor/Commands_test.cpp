// The reading commands on books: our sample, the one made with freepwing, and a third-party
// disc. Positions come from the books' maps and READMEs.
#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <sstream>

#include "BenchCommand.h"
#include "BenchOpenCommand.h"
#include "MenuCommand.h"
#include "SearchCommand.h"
#include "ShowCommand.h"
#include "TestFiles.h"

namespace cli {
namespace {

struct Result {
  int code;
  std::string out;
  std::string err;
};

using Command = std::function<int(std::ostream&, std::ostream&)>;

Result Capture(const Command& command) {
  std::ostringstream out, err;
  int code = command(out, err);
  return {code, out.str(), err.str()};
}

std::string Root(const std::filesystem::path& path) { return std::filesystem::path(path).make_preferred().string(); }

std::string Sample() { return Root(testfiles::BuiltBook("sample")); }
std::string Freepwing() { return Root(testfiles::BuiltBook("freepwing")); }
std::string TwoBooks() { return Root(testfiles::SharedBook("two-books")); }

Result Search(const std::string& root, const std::string& word) {
  return Capture([&](std::ostream& out, std::ostream& err) { return RunSearch(root, word, out, err); });
}
Result Show(const std::string& root, const std::string& position) {
  return Capture([&](std::ostream& out, std::ostream& err) { return RunShow(root, position, out, err); });
}
Result Menu(const std::string& root) {
  return Capture([&](std::ostream& out, std::ostream& err) { return RunMenu(root, out, err); });
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(SearchCommand, SampleBookExactSearches) {
  // 愛 is in the as-is index, はし in the kana index (three entries), apple in the alphabet index.
  EXPECT_EQ(Search(Sample(), "愛").out, "hits 1\n0 2050 59392 あい【愛】\n");
  EXPECT_EQ(Search(Sample(), "はし").out,
            "hits 3\n0 42226 62826 はし【橋】\n1 42400 62838 はし【箸】\n2 42534 62850 はし【端】\n");
  EXPECT_EQ(Search(Sample(), "Apple").out, "hits 1\n0 54448 64000 apple\n");
}

TEST(SearchCommand, SamplePrefixAndSuffixSearches) {
  Result prefix = Search(Sample(), "はし*");
  EXPECT_TRUE(Contains(prefix.out, " 42894 62882 はしる【走る】\n")) << prefix.out;
  EXPECT_TRUE(Contains(prefix.out, "0 42226 62826 はし【橋】\n")) << prefix.out;
  Result suffix = Search(Sample(), "*こう");
  EXPECT_TRUE(std::regex_search(suffix.out, std::regex(" がっこう【学校】\n"))) << suffix.out;
}

TEST(SearchCommand, NothingFoundIsNoError) {
  for (const char* word : {"zzzz", "*", "   ", "はしはしはし"}) {
    Result r = Search(Sample(), word);
    EXPECT_EQ(r.code, 0) << word << r.err;
    EXPECT_EQ(r.out, "hits 0\n") << word;
  }
}

TEST(SearchCommand, FreepwingBook) {
  // Only an as-is index: kana, kanji and Latin keys all fall back to it.
  EXPECT_EQ(Search(Freepwing(), "愛").out, "hits 1\n0 2050 10242 あい【愛】\n");
  EXPECT_EQ(Search(Freepwing(), "はし").out,
            "hits 3\n0 3056 10374 はし【橋】\n1 3100 10386 はし【箸】\n2 3152 10398 はし【端】\n");
  EXPECT_EQ(Search(Freepwing(), "cd").out, "hits 1\n0 4302 10672 シーディー【CD】\n");  // narrow heading
  EXPECT_TRUE(Contains(Search(Freepwing(), "*こう").out, " 2852 ")) << "がっこう through the backward index";
}

TEST(SearchCommand, EveryHeadwordOfTheThirdPartyBook) {
  EXPECT_EQ(Search(TwoBooks(), "here").out, "hits 1\n0 2118 4098 Here\n");
  EXPECT_EQ(Search(TwoBooks(), "THAT").out, "hits 1\n0 2084 4112 That\n");
  EXPECT_EQ(Search(TwoBooks(), "ｔｈｉｓ").out, "hits 1\n0 2050 4126 This\n");
  EXPECT_EQ(Search(TwoBooks(), "where").out, "hits 0\n");
}

TEST(SearchCommand, MissingCatalogOrBadWord) {
  testfiles::TempDir empty;
  Result none = Search(Root(empty.Path()), "a");
  EXPECT_EQ(none.code, 1);
  EXPECT_TRUE(Contains(none.err, "no readable catalog")) << none.err;
  Result compressed = Search(Root(testfiles::SharedBook("two-books-ebzip")), "a");
  EXPECT_EQ(compressed.code, 1);
  EXPECT_TRUE(Contains(compressed.err, "no usable book")) << compressed.err;
  Result euro = Search(Sample(), "€");
  EXPECT_EQ(euro.code, 1);
  EXPECT_EQ(euro.out, "");
}

TEST(ShowCommand, SampleEntryEndsBeforeTheNextOne) {
  Result r = Show(Sample(), "2050");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.rfind("**あい【愛】**　*noun*\n", 0), 0u) << r.out;
  EXPECT_TRUE(Contains(r.out, "こい【恋】[→24914]")) << r.out;
  EXPECT_TRUE(Contains(r.out, "A mother's love is very deep.")) << "narrow text, closing quote as apostrophe";
  EXPECT_FALSE(Contains(r.out, "アイスクリーム")) << "the next entry";
}

TEST(ShowCommand, SampleGraphicsAndSound) {
  EXPECT_TRUE(Contains(Show(Sample(), "7880").out, "[picture 64x48 at 108544: ")) << "いえ";
  EXPECT_TRUE(Contains(Show(Sample(), "46116").out, "[colour picture at 108928")) << "ひのまる";
  EXPECT_TRUE(Contains(Show(Sample(), "48294").out, "[sound at 110592-")) << "ベル";
  EXPECT_TRUE(Contains(Show(Sample(), "14608").out, "[CD audio track 2 0:05+0:10")) << "おんがく";
}

TEST(ShowCommand, ThirdPartyAndFreepwingEntries) {
  EXPECT_EQ(Show(TwoBooks(), "2050").out, "  **This**\n    これ\n");
  EXPECT_EQ(Show(TwoBooks(), "2118").out, "  **Here**\n    ここ\n") << "the last entry ends at 1F 03";
  Result yama = Show(Freepwing(), "2690");
  EXPECT_TRUE(Contains(yama.out, "[colour picture at 24576: 【図】]")) << yama.out;
  EXPECT_TRUE(Contains(Show(Freepwing(), "3728").out, "{A121}")) << "ひ: a wide external character";
}

TEST(ShowCommand, BadPositions) {
  for (const char* position : {"-1", "x", "", "2147483648", "12a"}) {
    Result r = Show(Sample(), position);
    EXPECT_EQ(r.code, 2) << position;
    EXPECT_TRUE(Contains(r.err, "decimal byte offset")) << position;
  }
  Result pastEnd = Show(Sample(), "2147483647");
  EXPECT_EQ(pastEnd.code, 0) << pastEnd.err;
  EXPECT_EQ(pastEnd.out, "");
}

TEST(MenuCommand, MenusAndNone) {
  Result sample = Menu(Sample());
  ASSERT_EQ(sample.code, 0) << sample.err;
  EXPECT_EQ(sample.out.rfind("menu at 65536\n", 0), 0u) << sample.out;
  Result fpw = Menu(Freepwing());
  EXPECT_EQ(fpw.out.rfind("menu at 6144\n  目次\n", 0), 0u) << fpw.out;
  EXPECT_TRUE(Contains(fpw.out, "凡例[→6214]")) << fpw.out;
  EXPECT_TRUE(Contains(fpw.out, "[→2690]")) << fpw.out;
  Result none = Menu(TwoBooks());
  EXPECT_EQ(none.code, 0);
  EXPECT_EQ(none.out, "this book has no menu\n");
}

TEST(BenchCommand, ReportsHitsAndTimes) {
  Result r = Capture([](std::ostream& out, std::ostream& err) { return RunBench(Sample(), "はし", "3", "2", out, err); });
  EXPECT_TRUE(std::regex_match(r.out, std::regex("bench hits=3 repeat=3 ns_per_search=[0-9]+\n"))) << r.out << r.err;
  Result none = Capture([](std::ostream& out, std::ostream& err) { return RunBench(Sample(), "zzz", "2", "5", out, err); });
  EXPECT_TRUE(Contains(none.out, "bench hits=0 repeat=2 ")) << none.out << none.err;
  Result bad = Capture([](std::ostream& out, std::ostream& err) { return RunBench(Sample(), "a", "0", "1", out, err); });
  EXPECT_EQ(bad.code, 2);
  Result open = Capture([](std::ostream& out, std::ostream& err) { return RunBenchOpen(Sample(), "2", out, err); });
  EXPECT_TRUE(std::regex_match(open.out, std::regex("bench-open repeat=2 ns_per_open=[0-9]+\n"))) << open.err;
  testfiles::TempDir empty;
  std::string root = Root(empty.Path());
  Result missing = Capture([&](std::ostream& out, std::ostream& err) { return RunBenchOpen(root, "2", out, err); });
  EXPECT_EQ(missing.code, 1);
}

}  // namespace
}  // namespace cli
